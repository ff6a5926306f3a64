// The launcher of the browser helper, run against stand-in helpers: the
// owner is off while the helper runs, its timers keep ticking, and it is on
// again however the helper ends, also when there is no helper at all.
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "ui/platform/qt_platform.h"

namespace {

class PlatformWithHelperIn : public lunomat::QtPlatform {
public:
    explicit PlatformWithHelperIn(QString folder) : folder_(std::move(folder)) {}
    QString programFolder() const override { return folder_; }

private:
    QString folder_;
};

TEST(BrowserLauncher, WaitsForTheHelperWithOwnerOffAndTimersRunning) {
    // No script: there is no helper program at all.
    for (const char* script : {"sleep 0.4", "sleep 0.4; exit 3", "sleep 0.4; kill -9 $$", ""}) {
        SCOPED_TRACE(script);
        QTemporaryDir folder;
        if (*script) {
            QFile helper(folder.path() + QLatin1Char('/') + QLatin1String(LUNOMAT_BROWSER_PROGRAM));
            ASSERT_TRUE(helper.open(QIODevice::WriteOnly));
            helper.write(QByteArray("#!/bin/sh\n") + script + "\n");
            helper.close();
            helper.setPermissions(helper.permissions() | QFileDevice::ExeOwner);
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
        QElapsedTimer clock;
        clock.start();
        PlatformWithHelperIn(folder.path()).runBrowserWindow(&owner);
        if (*script) {
            EXPECT_GE(clock.elapsed(), 350);
            EXPECT_GE(ticks, 5);
            EXPECT_TRUE(offWhileRunning);
        } else {
            EXPECT_LT(clock.elapsed(), 2000);
        }
        EXPECT_TRUE(owner.isEnabled());
    }
}

}  // namespace
