// Luno-Mat: the desktop program. The main window is created, loaded (which
// computes today's moon, or ends the program on a wrong regional date
// format) and shown; closing it ends the program.
#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "ui/platform/qt_platform.h"
#include "ui/widgets/ui_conventions.h"
#include "ui/main/mondphase.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Luno-Mat"));
    // Under Wayland the window's app id; it must name the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lunomat.Lunomat"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    lunomat::useGermanQtTexts();
    // From a pixmap, so that no icon-engine plugin is loaded for it.
    QApplication::setWindowIcon(QIcon(lunomat::readPicture(lunomat::dataFolder() + QStringLiteral("/lunomat.png"))));

    lunomat::QtPlatform platform;
    lunomat::Mondphase window(platform);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
