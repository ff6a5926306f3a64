#include "ui/browser/helper_launcher.h"

#include <sys/prctl.h>
#include <unistd.h>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <csignal>

#include "ui/platform/platform.h"
#include "ui/widgets/ui_conventions.h"

namespace lunomat {
namespace {

// A helper ended by the user or the session (kill, logout) did not crash; the
// exit code of a process that died of a signal is that signal.
bool endedOnPurpose(int signal) {
    return signal == SIGTERM || signal == SIGKILL || signal == SIGINT || signal == SIGHUP;
}

struct HelperEnd {
    bool shown = false;      // the helper reported its window on screen
    bool hung = false;       // it was still running and has been killed
    bool ownerGone = false;  // the owner's window went while it ran
};

// Starts the helper and waits until it ends, hangs or the owner's window
// goes; a hung helper is killed.
HelperEnd waitFor(QProcess& helper, QWidget* owner, std::chrono::milliseconds startLimit) {
    HelperEnd end;
    QEventLoop loop;
    // A helper that hangs, before its window appears or after (its window
    // then frozen and deaf to its close box), would keep the user waiting for
    // nothing: each report it writes gives it the limit anew.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::readyReadStandardOutput, &loop, [&] {
        end.shown = end.shown || helper.readAllStandardOutput().contains(kBrowserShownReport);
        if (end.shown) limit.start(startLimit);
    });
    QObject::connect(&helper, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) loop.quit();
    });
    // Closing the main window ends the program, and the helper with it.
    if (QWindow* window = owner ? owner->window()->windowHandle() : nullptr)
        QObject::connect(window, &QWindow::visibleChanged, &loop, [&](bool visible) {
            if (!visible) end.ownerGone = true, loop.quit();
        });

    helper.start();
    // A helper that could not be started may already have reported it.
    if (helper.state() != QProcess::NotRunning) {
        limit.start(startLimit);
        loop.exec();
    }
    end.shown = end.shown || helper.readAllStandardOutput().contains(kBrowserShownReport);
    end.hung = helper.state() != QProcess::NotRunning;
    if (end.hung) {
        helper.kill();
        helper.waitForFinished(1000);
    }
    return end;
}

}  // namespace

HelperBrowserLauncher::HelperBrowserLauncher(QString folder, std::chrono::milliseconds startLimit)
    : program_(folder + QLatin1Char('/') + QLatin1String(LUNOMAT_BROWSER_PROGRAM)), startLimit_(startLimit) {}

void HelperBrowserLauncher::run(QWidget* owner, Platform& platform) {
    const auto tell = [&](const QString& headline, const QString& what) {
        platform.messageBox(owner, MessageIcon::Exclamation, QString(),
                            QStringLiteral("%1\r(%2 %3)").arg(headline, program_, what));
    };
    // The helper comes in a package of its own, which a lean installation
    // may leave out or leave broken.
    const QFileInfo file(program_);
    if (!file.isExecutable()) {
        tell(QStringLiteral("Die Mondzeichen-Seite braucht das Paket „lunomat-browser“."),
             file.exists() ? QStringLiteral("ist nicht ausführbar.") : QStringLiteral("fehlt."));
        return;
    }

    // The owner is off while the window is open and on again however the
    // wait ends.
    const DisabledWhileAlive guard{owner};

    QProcess helper;
    helper.setProgram(program_);
    // The helper's standard output carries its reports; its messages go to
    // the user's terminal as they are.
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const pid_t parent = getpid();
    helper.setChildProcessModifier([parent] {
        // Ends the helper when this program dies without cleaning up. Set in
        // the child before exec, so there is no window in which the parent
        // could die unnoticed.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(1);
    });
    const HelperEnd end = waitFor(helper, owner, startLimit_);
    if (end.ownerGone) return;
    const QString failed = QStringLiteral("Die Mondzeichen-Seite ließ sich nicht öffnen.");
    if (end.hung) tell(failed, QStringLiteral("antwortet nicht."));
    else if (helper.error() == QProcess::FailedToStart) tell(failed, QStringLiteral("lässt sich nicht starten."));
    else if (helper.exitStatus() == QProcess::CrashExit && !endedOnPurpose(helper.exitCode()))
        tell(failed, QStringLiteral("ist abgestürzt."));
    else if (!end.shown) tell(failed, QStringLiteral("hat kein Fenster gezeigt."));
}

}  // namespace lunomat
