// Luno-Mat: the desktop program. The main window is created, loaded (which
// computes today's moon, or ends the program on a wrong regional date
// format) and shown; closing it ends the program.
#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QPixmap>

#include <fontconfig/fontconfig.h>

#include <unistd.h>
#include <clocale>
#include <cstdio>
#include <thread>

#include "ui/browser/helper_launcher.h"
#include "ui/main/mondphase.h"
#include "ui/platform/qt_platform.h"
#include "ui/widgets/ui_conventions.h"

namespace {

// Until the toolkit has its display, its messages are held back: without a
// display it ends the program with English text about platform plugins,
// which says nothing to the user. Then one German line is said instead, and
// the program ends with status 1; with a display the messages follow as
// they came.
QtMessageHandler gToolkitMessages = nullptr;
struct HeldMessage {
    QtMsgType type;
    QByteArray category;  // e.g. "qt.qpa.plugin", shown before the text
    QString text;
};
QList<HeldMessage> gHeldMessages;

void holdUntilDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        gHeldMessages.append({type, QByteArray(context.category ? context.category : "default"), text});
        return;
    }
    std::fputs(
        "Luno-Mat: Das Fenster kann nicht geöffnet werden, denn es ist keine grafische Anzeige erreichbar "
        "(DISPLAY und WAYLAND_DISPLAY sind nicht gesetzt, oder die Anzeige antwortet nicht).\n",
        stderr);
    std::fflush(stderr);
    _exit(1);
}

void releaseHeldMessages() {
    qInstallMessageHandler(gToolkitMessages);
    for (const HeldMessage& m : std::exchange(gHeldMessages, {}))
        gToolkitMessages(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.constData()), m.text);
}

}  // namespace

int main(int argc, char** argv) {
    // The toolkit sets the user's locale as it starts. Set here first, it
    // cannot change while fontconfig reads decimal numbers on the other thread.
    std::setlocale(LC_ALL, "");
    // Reading the font configuration and the font caches takes milliseconds,
    // which the window's first text waits for; the connection to the display
    // does not need it, so a second thread reads them meanwhile.
    std::thread fontConfiguration([] { FcInit(); });
    gToolkitMessages = qInstallMessageHandler(holdUntilDisplay);
    QApplication app(argc, argv);
    releaseHeldMessages();
    // On X11 and Wayland the window's first control wakes the accessibility
    // bridge, which then waits for the session bus (where there is none, for
    // the attempt to start one to fail). Connecting on a second thread lets
    // the fonts be found meanwhile. The program offers nothing on the bus, so
    // the connection need not hold back messages until it is set up.
    std::thread sessionBus;
    const QString platformName = QGuiApplication::platformName();
    if (platformName == QLatin1String("xcb") || platformName.startsWith(QLatin1String("wayland")))
        sessionBus = std::thread([] { QDBusConnection::sessionBus(); });
    QApplication::setApplicationName(QStringLiteral("Luno-Mat"));
    // Under Wayland the window's app id; it must name the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lunomat.lunomat"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    lunomat::useGermanQtTexts();
    // From a pixmap, so that no icon-engine plugin is loaded for it.
    QApplication::setWindowIcon(QIcon(lunomat::readPicture(lunomat::dataFolder() + QStringLiteral("/lunomat.png"))));

    // Joined before the first text is laid out, so that the configuration is read once.
    fontConfiguration.join();
    lunomat::Mondphase::loadFonts();
    if (sessionBus.joinable()) sessionBus.join();

    lunomat::HelperBrowserLauncher browser(QCoreApplication::applicationDirPath());
    lunomat::QtPlatform platform(browser);
    lunomat::Mondphase window(platform);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
