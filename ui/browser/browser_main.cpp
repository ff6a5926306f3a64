// lunomat-browser: shows the moon-zodiac window and ends when it closes.
// The main program starts it and waits for it, so that only this small
// program loads the browser engine.

#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "ui/browser/helper_launcher.h"
#include "ui/browser/internet_browser.h"
#include "ui/platform/qt_platform.h"
#include "ui/widgets/ui_conventions.h"

int main(int argc, char** argv) {
    // Die with the program that started us, whatever way it ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);

    // The engine's sandbox refuses to run for root; the page must still show.
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    // The engine's start-up report is of no use on the user's terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Luno-Mat"));
    QApplication::setWindowIcon(QIcon(lunomat::readPicture(lunomat::dataFolder() + QStringLiteral("/lunomat.png"))));

    auto* window = new lunomat::Internet_Browser;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
    // The program that started us waits for this report and takes us for
    // hung without it.
    QTimer::singleShot(0, window, [] {
        std::fputs(lunomat::kBrowserShownReport, stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    });
    // While the window answers, the program that waits for it hears so
    // (only through its pipe, never on a terminal the helper was run from).
    struct stat out {};
    QTimer alive;
    if (fstat(STDOUT_FILENO, &out) == 0 && S_ISFIFO(out.st_mode)) {
        QObject::connect(&alive, &QTimer::timeout, [] {
            std::fputs(lunomat::kBrowserAliveReport, stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        });
        alive.start(lunomat::kBrowserAliveInterval);
    }
    return app.exec();
}
