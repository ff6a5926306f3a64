// The moon-zodiac window runs in the helper program, which alone links the
// browser engine; the main program starts it and waits. Its name comes from
// the build, which names the program once.
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#include "ui/platform/qt_platform.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {

void QtPlatform::runBrowserWindow(QWidget* owner) {
    // The helper comes in a package of its own, which a lean installation
    // may leave out.
    const QString program = executableFolder() + QLatin1Char('/') + QLatin1String(LUNOMAT_BROWSER_PROGRAM);
    if (!QFileInfo(program).isExecutable()) {
        messageBox(owner, MessageIcon::Exclamation, QString(),
                   QStringLiteral("Die Mondzeichen-Seite braucht das Paket „lunomat-browser“.\r(%1 fehlt.)")
                       .arg(program));
        return;
    }

    // The owner is off while the window is open and on again however the
    // wait ends.
    const DisabledWhileAlive guard{owner};

    // Destroying the QProcess kills a helper that is still running, e.g.
    // when the application quits while the window is open.
    QProcess helper;
    helper.setProgram(program);
    helper.setProcessChannelMode(QProcess::ForwardedChannels);
    const pid_t parent = getpid();
    helper.setChildProcessModifier([parent] {
        // Ends the helper when this program dies without cleaning up. Set in
        // the child before exec, so there is no window in which the parent
        // could die unnoticed.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(1);
    });

    QEventLoop loop;
    QObject::connect(&helper, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) loop.quit();
    });
    helper.start();
    // A helper that could not be started may already have reported it.
    if (helper.state() != QProcess::NotRunning) loop.exec();
}

}  // namespace lunomat
