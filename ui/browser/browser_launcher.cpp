// The moon-zodiac window runs in the helper program, which alone links the
// browser engine; the main program starts it and waits. Its name comes from
// the build, which names the program once.
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <QWidget>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#include "ui/platform/qt_platform.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {
namespace {

// A helper ended by the user or the session (kill, logout) did not crash; the
// exit code of a process that died of a signal is that signal.
bool endedOnPurpose(int signal) {
    return signal == SIGTERM || signal == SIGKILL || signal == SIGINT || signal == SIGHUP;
}

}  // namespace

void QtPlatform::runBrowserWindow(QWidget* owner) {
    // The helper comes in a package of its own, which a lean installation
    // may leave out or leave broken.
    const QString program = executableFolder() + QLatin1Char('/') + QLatin1String(LUNOMAT_BROWSER_PROGRAM);
    const auto tell = [&](const QString& headline, const QString& what) {
        messageBox(owner, MessageIcon::Exclamation, QString(), QStringLiteral("%1\r(%2 %3)").arg(headline, program, what));
    };
    const QFileInfo file(program);
    if (!file.isExecutable()) {
        tell(QStringLiteral("Die Mondzeichen-Seite braucht das Paket „lunomat-browser“."),
             file.exists() ? QStringLiteral("ist nicht ausführbar.") : QStringLiteral("fehlt."));
        return;
    }

    // The owner is off while the window is open and on again however the
    // wait ends.
    const DisabledWhileAlive guard{owner};

    QProcess helper;
    helper.setProgram(program);
    // The helper's standard output carries its one report that the window is
    // on screen; its messages go to the user's terminal as they are.
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const pid_t parent = getpid();
    helper.setChildProcessModifier([parent] {
        // Ends the helper when this program dies without cleaning up. Set in
        // the child before exec, so there is no window in which the parent
        // could die unnoticed.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(1);
    });

    bool shown = false;
    QEventLoop loop;
    // A helper that hangs, before its window appears or after (its window
    // then frozen and deaf to its close box), would keep the user waiting for
    // nothing: each report it writes gives it the limit anew.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::readyReadStandardOutput, &loop, [&] {
        shown = shown || helper.readAllStandardOutput().contains(kBrowserShownReport);
        if (shown) limit.start(browserStartLimit());
    });
    QObject::connect(&helper, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) loop.quit();
    });
    // Closing the main window ends the program, and the helper with it.
    bool ownerGone = false;
    if (QWindow* window = owner ? owner->window()->windowHandle() : nullptr)
        QObject::connect(window, &QWindow::visibleChanged, &loop, [&](bool visible) {
            if (!visible) ownerGone = true, loop.quit();
        });

    helper.start();
    // A helper that could not be started may already have reported it.
    if (helper.state() != QProcess::NotRunning) {
        limit.start(browserStartLimit());
        loop.exec();
    }
    shown = shown || helper.readAllStandardOutput().contains(kBrowserShownReport);
    const bool hung = helper.state() != QProcess::NotRunning;
    if (hung) {
        helper.kill();
        helper.waitForFinished(1000);
    }
    if (ownerGone) return;
    const QString failed = QStringLiteral("Die Mondzeichen-Seite ließ sich nicht öffnen.");
    if (hung)
        tell(failed, QStringLiteral("antwortet nicht."));
    else if (helper.error() == QProcess::FailedToStart)
        tell(failed, QStringLiteral("lässt sich nicht starten."));
    else if (helper.exitStatus() == QProcess::CrashExit && !endedOnPurpose(helper.exitCode()))
        tell(failed, QStringLiteral("ist abgestürzt."));
    else if (!shown)
        tell(failed, QStringLiteral("hat kein Fenster gezeigt."));
}

std::chrono::milliseconds QtPlatform::browserStartLimit() const { return std::chrono::seconds(30); }

}  // namespace lunomat
