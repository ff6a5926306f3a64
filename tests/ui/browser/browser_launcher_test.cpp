// The launcher of the browser helper, run against stand-in helpers: the
// owner is off while the helper runs, its timers keep ticking, and it is on
// again however the helper ends; a helper that is missing, cannot run,
// crashes or hangs is named to the user, and closing the owner's window ends
// the wait and the helper.
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <csignal>

#include "testsupport/qt_platform_in.h"

namespace {

// Stand-in helpers: a script (none: no helper at all), whether it may be
// run, when the owner's window is closed (-1: never), the least time the
// launcher waits, and how the message ends ("" for none).
struct Case {
    const char* script;
    bool executable;
    int closeOwnerMs;
    int leastMs;
    const char* message;
};

TEST(BrowserLauncher, WaitsForTheHelperAndAlwaysLeavesTheUserAWayOut) {
    const char* shown = "echo 'lunomat-browser: window shown'; ";
    const Case cases[] = {
        {"$SHOWN sleep 0.4", true, -1, 350, ""},
        {"$SHOWN sleep 0.4; exit 3", true, -1, 350, ""},
        {"$SHOWN sleep 0.4; kill -SEGV $$", true, -1, 350, "ist abgestürzt.)"},
        {"$SHOWN sleep 0.4; kill -TERM $$", true, -1, 350, ""},  // ended by the user
        {"exit 0", true, -1, 0, "hat kein Fenster gezeigt.)"},
        {"exec sleep 30", true, -1, 550, "antwortet nicht.)"},
        {"$SHOWN exec sleep 30", true, 800, 750, ""},  // shown, not hung: the main window closed
        {"$SHOWN sleep 0.4", false, -1, 0, "ist nicht ausführbar.)"},
        {nullptr, false, -1, 0, "fehlt.)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script ? c.script : "(no helper)");
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString program = folder.path() + QLatin1Char('/') + QLatin1String(LUNOMAT_BROWSER_PROGRAM);
        if (c.script) {
            QFile helper(program);
            ASSERT_TRUE(helper.open(QIODevice::WriteOnly));
            helper.write("#!/bin/sh\necho $$ > \"$0.pid\"\n" + QByteArray(c.script).replace("$SHOWN", shown) + "\n");
            helper.close();
            if (c.executable) helper.setPermissions(helper.permissions() | QFileDevice::ExeOwner);
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
        if (c.closeOwnerMs >= 0) QTimer::singleShot(c.closeOwnerMs, &owner, &QWidget::close);
        QElapsedTimer clock;
        clock.start();
        lunomat::test::QtPlatformIn platform(folder.path());
        platform.runBrowserWindow(&owner);
        const qint64 ms = clock.elapsed();

        EXPECT_GE(ms, c.leastMs);
        EXPECT_LT(ms, 5000);
        EXPECT_GE(ticks, c.leastMs / 100);
        EXPECT_TRUE(offWhileRunning);
        EXPECT_TRUE(owner.isEnabled());
        if (*c.message) {
            ASSERT_EQ(platform.boxes.size(), 1);
            EXPECT_TRUE(platform.boxes[0].endsWith(program + ' ' + c.message)) << platform.boxes[0].toStdString();
        } else {
            EXPECT_TRUE(platform.boxes.isEmpty()) << platform.boxes.join('|').toStdString();
        }
        // The helper is gone when the call returns.
        QFile pid(program + ".pid");
        if (pid.open(QIODevice::ReadOnly)) {
            EXPECT_NE(::kill(pid.readAll().trimmed().toInt(), 0), 0);
        }
    }
}

}  // namespace
