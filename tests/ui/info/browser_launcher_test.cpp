// The launcher of the browser helper, run against stand-in helpers: the
// owner is off while the helper runs, its timers keep ticking, and it is on
// again however the helper ends, also when there is no helper at all.
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "ui/common/qt_platform.h"

namespace {

class PlatformWithHelperIn : public lunomat::QtPlatform {
public:
    explicit PlatformWithHelperIn(QString folder) : folder_(std::move(folder)) {}
    QString programFolder() const override { return folder_; }

private:
    QString folder_;
};

void writeHelper(const QString& folder, const QByteArray& script) {
    QFile file(folder + QStringLiteral("/lunomat-browser"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + script + "\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

struct LaunchResult {
    qint64 milliseconds = 0;
    int ticks = 0;
    bool ownerWasOffWhileRunning = true;
    bool ownerOnAfter = false;
};

LaunchResult runLauncher(const QString& folder) {
    QWidget owner;
    owner.show();
    LaunchResult run;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++run.ticks;
        run.ownerWasOffWhileRunning = run.ownerWasOffWhileRunning && !owner.isEnabled();
    });
    ticker.start();
    PlatformWithHelperIn platform(folder);
    QElapsedTimer clock;
    clock.start();
    platform.runBrowserWindow(&owner);
    run.milliseconds = clock.elapsed();
    run.ownerOnAfter = owner.isEnabled();
    return run;
}

TEST(BrowserLauncher, WaitsForTheHelperWithOwnerOffAndTimersRunning) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const struct {
        const char* name;
        QByteArray script;
    } helpers[] = {
        {"ends normally", "sleep 0.4"},
        {"fails", "sleep 0.4; exit 3"},
        {"is killed", "sleep 0.4; kill -9 $$"},
    };
    for (const auto& h : helpers) {
        SCOPED_TRACE(h.name);
        writeHelper(folder.path(), h.script);
        const LaunchResult run = runLauncher(folder.path());
        EXPECT_GE(run.milliseconds, 350);
        EXPECT_GE(run.ticks, 5);  // the owner's timers tick during the wait
        EXPECT_TRUE(run.ownerWasOffWhileRunning);
        EXPECT_TRUE(run.ownerOnAfter);
    }
}

TEST(BrowserLauncher, MissingOrUnstartableHelperReturnsAtOnceWithOwnerOn) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    LaunchResult run = runLauncher(folder.path());  // no helper there
    EXPECT_LT(run.milliseconds, 2000);
    EXPECT_TRUE(run.ownerOnAfter);

    QFile notExecutable(folder.path() + QStringLiteral("/lunomat-browser"));
    ASSERT_TRUE(notExecutable.open(QIODevice::WriteOnly));
    notExecutable.write("not a program");
    notExecutable.close();
    notExecutable.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    run = runLauncher(folder.path());
    EXPECT_LT(run.milliseconds, 2000);
    EXPECT_TRUE(run.ownerOnAfter);
}

}  // namespace
