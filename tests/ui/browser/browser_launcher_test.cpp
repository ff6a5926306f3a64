// The launcher of the browser helper, run against stand-in helpers: the
// owner is off while the helper runs, its timers keep ticking, and it is on
// again however the helper ends; a helper that is missing, cannot run,
// crashes or hangs is named to the user, and closing the owner's window ends
// the wait and the helper.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <csignal>

#include "testsupport/golden.h"
#include "testsupport/fake_platform.h"
#include "ui/browser/helper_launcher.h"

namespace {

TEST(BrowserLauncher, WaitsForTheHelperAndAlwaysLeavesTheUserAWayOut) {
    const QList<QStringList> cases = lunomat::test::readTable("ui/browser/launcher-cases.tsv");
    ASSERT_EQ(cases.size(), 10);
    for (const QStringList& c : cases) {
        SCOPED_TRACE(c[0].toStdString());
        const int closeOwnerMs = c[2].toInt(), leastMs = c[3].toInt();
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString program = folder.path() + QLatin1Char('/') + QLatin1String(LUNOMAT_BROWSER_PROGRAM);
        if (c[0] != "-") {
            QFile helper(program);
            ASSERT_TRUE(helper.open(QIODevice::WriteOnly));
            helper.write("#!/bin/sh\necho $$ > \"$0.pid\"\n" +
                         c[0].toUtf8().replace("$SHOWN", "echo 'lunomat-browser: window shown';") + "\n");
            helper.close();
            if (c[1] == "1") helper.setPermissions(helper.permissions() | QFileDevice::ExeOwner);
        }
        QWidget owner;
        owner.show();
        int ticks = 0;
        bool offWhileRunning = true;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++ticks;
            offWhileRunning = offWhileRunning && !owner.isEnabled();
        });
        ticker.start(10);
        if (closeOwnerMs >= 0) QTimer::singleShot(closeOwnerMs, &owner, &QWidget::close);
        QElapsedTimer clock;
        clock.start();
        lunomat::test::FakePlatform platform;
        lunomat::HelperBrowserLauncher(folder.path(), std::chrono::milliseconds(600)).run(&owner, platform);
        const qint64 ms = clock.elapsed();

        EXPECT_GE(ms, leastMs);
        EXPECT_LT(ms, 5000);
        EXPECT_GE(ticks, leastMs / 100);
        EXPECT_TRUE(offWhileRunning);
        EXPECT_TRUE(owner.isEnabled());
        ASSERT_EQ(platform.kinds(), c[4].isEmpty() ? QStringList() : QStringList{"box"});
        if (!c[4].isEmpty()) {
            EXPECT_TRUE(platform.lastBox()->text.endsWith(program + ' ' + c[4]));
        }
        // The helper is gone when the call returns.
        QFile pid(program + ".pid");
        if (pid.open(QIODevice::ReadOnly)) {
            EXPECT_NE(::kill(pid.readAll().trimmed().toInt(), 0), 0);
        }
    }
}

// The real helper ends with the program that started it, however that ends:
// here it is killed outright a second after starting the helper.
TEST(BrowserLauncher, TheHelperEndsWithItsStarter) {
    const QString helper = QCoreApplication::applicationDirPath() + QStringLiteral("/" LUNOMAT_BROWSER_PROGRAM);
    QProcess starter;
    const QString script = QStringLiteral("\"$0\" >/dev/null 2>&1 & echo $!; sleep 1; kill -9 $$");
    starter.start(QStringLiteral("sh"), {QStringLiteral("-c"), script, helper});
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

}  // namespace
