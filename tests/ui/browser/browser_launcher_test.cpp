// The launcher of the browser helper, run against stand-in helpers: the
// owner is off while the helper runs, its timers keep ticking, and it is on
// again however the helper ends; a helper that is missing, cannot run,
// crashes or hangs is named to the user, and closing the owner's window ends
// the wait and the helper.
#include <csignal>

#include "testsupport/ui_test.h"
#include "ui/browser/helper_launcher.h"

namespace lunomat::test {

const QString kShownLine = "echo 'lunomat-browser: window shown';";  // what the helper says once its window is up

TEST(BrowserLauncher, WaitsForTheHelperAndAlwaysLeavesTheUserAWayOut) {
    for (const QStringList& c : readCases("ui/browser/launcher-cases.tsv", 13)) {
        SCOPED_TRACE(c[0].toStdString());
        QTemporaryDir folder;
        const QString program = folder.filePath(LUNOMAT_BROWSER_PROGRAM);
        if (c[0] != "-") writeStandIn(program, QString(c[0]).replace("$SHOWN", kShownLine), c[1] == "1");
        QWidget owner;
        owner.show();
        int ticks = 0;
        bool offWhileRunning = true;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks, offWhileRunning &= !owner.isEnabled(); });
        ticker.start(10);
        if (c[2].toInt() >= 0) QTimer::singleShot(c[2].toInt(), &owner, &QWidget::close);
        QElapsedTimer clock;
        clock.start();
        FakePlatform platform;
        HelperBrowserLauncher(folder.path(), std::chrono::milliseconds(600)).run(&owner, platform);

        EXPECT_GE(clock.elapsed(), c[3].toInt());
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_GE(ticks, c[3].toInt() / 100);
        EXPECT_TRUE(offWhileRunning && owner.isEnabled());
        ASSERT_EQ(platform.kinds(), c[4].isEmpty() ? QStringList() : QStringList{"box"});
        EXPECT_TRUE(c[4].isEmpty() || platform.lastBox()->text.endsWith(program + ' ' + c[4]));
        // The helper is gone when the call returns.
        if (QFile pid(program + ".pid"); pid.open(QIODevice::ReadOnly)) {
            EXPECT_NE(::kill(pid.readAll().trimmed().toInt(), 0), 0);
        }
    }
}

// The real helper ends with the program that started it, however that ends:
// here it is killed outright a second after starting the helper.
TEST(BrowserLauncher, TheHelperEndsWithItsStarter) {
    QProcess starter;
    starter.start("sh", {"-c", "\"$0\" >/dev/null 2>&1 & echo $!; sleep 1; kill -9 $$",
                         QCoreApplication::applicationDirPath() + "/" LUNOMAT_BROWSER_PROGRAM});
    ASSERT_TRUE(starter.waitForFinished(10000));
    const int pid = starter.readAllStandardOutput().trimmed().toInt();
    ASSERT_GT(pid, 0);
    const auto running = [pid] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        return stat.open(QIODevice::ReadOnly) && stat.readAll().split(' ').value(2) != "Z";
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(); }, 5000));
    if (running()) ::kill(pid, SIGKILL);
}

}  // namespace lunomat::test
