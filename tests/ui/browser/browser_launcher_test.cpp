// The launcher of the browser helper, run against stand-in helpers: the
// owner is off while the helper runs, its timers keep ticking, and it is on
// again however the helper ends; with no helper at all the user is told which
// package is missing.
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
    QString executableFolder() const override { return folder_; }
    void messageBox(QWidget*, lunomat::MessageIcon, const QString&, const QString& text) override {
        messages.append(text);
    }
    QStringList messages;

private:
    QString folder_;
};

struct LaunchResult {
    qint64 milliseconds = 0;
    int ticks = 0;
    bool ownerOffWhileRunning = true;
    bool ownerOnAfter = false;
    QStringList messages;
};

LaunchResult launch(const QString& folder) {
    QWidget owner;
    owner.show();
    LaunchResult result;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++result.ticks;
        result.ownerOffWhileRunning = result.ownerOffWhileRunning && !owner.isEnabled();
    });
    ticker.start(10);
    QElapsedTimer clock;
    clock.start();
    PlatformWithHelperIn platform(folder);
    platform.runBrowserWindow(&owner);
    result.milliseconds = clock.elapsed();
    result.messages = platform.messages;
    result.ownerOnAfter = owner.isEnabled();
    return result;
}

TEST(BrowserLauncher, WaitsForTheHelperWithOwnerOffAndTimersRunning) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* script : {"sleep 0.4", "sleep 0.4; exit 3", "sleep 0.4; kill -9 $$"}) {
        SCOPED_TRACE(script);
        QFile helper(folder.path() + QLatin1Char('/') + QLatin1String(LUNOMAT_BROWSER_PROGRAM));
        ASSERT_TRUE(helper.open(QIODevice::WriteOnly));
        helper.write(QByteArray("#!/bin/sh\n") + script + "\n");
        helper.close();
        helper.setPermissions(helper.permissions() | QFileDevice::ExeOwner);

        const LaunchResult result = launch(folder.path());
        EXPECT_GE(result.milliseconds, 350);
        EXPECT_GE(result.ticks, 5);
        EXPECT_TRUE(result.ownerOffWhileRunning);
        EXPECT_TRUE(result.ownerOnAfter);
        EXPECT_TRUE(result.messages.isEmpty());
    }
}

TEST(BrowserLauncher, MissingHelperNamesItsPackageAndLeavesOwnerOn) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const LaunchResult result = launch(folder.path());
    EXPECT_LT(result.milliseconds, 2000);
    EXPECT_TRUE(result.ownerOnAfter);
    ASSERT_EQ(result.messages.size(), 1);
    EXPECT_TRUE(result.messages[0].contains(QStringLiteral("Paket „lunomat-browser“")));
}

}  // namespace
