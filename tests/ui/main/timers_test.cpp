// The timers of the main window: star-sky ring, clock, focus return and the
// switch to the new day after midnight.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <map>

#include "tests/ui/main/main_window_fixture.h"
#include "ui/widgets/frame_picture.h"

namespace lunomat::test {
namespace {

class TimersTest : public MainWindowTest {
protected:
    using Tick = void (Mondphase::*)();
    // One 100 ms period of the ring: every ring timer that is on ticks once,
    // in ring order. Returns the frames shown in that period.
    QList<int> ringPeriod() {
        const std::pair<QTimer*, Tick> ring[] = {{w->Timer5, &Mondphase::Timer5_Timer}, {w->Timer6, &Mondphase::Timer6_Timer},
                                                 {w->Timer7, &Mondphase::Timer7_Timer}, {w->Timer8, &Mondphase::Timer8_Timer},
                                                 {w->Timer9, &Mondphase::Timer9_Timer}, {w->Timer10, &Mondphase::Timer10_Timer}};
        std::vector<Tick> due;
        for (const auto& [timer, tick] : ring)
            if (timer->isActive()) due.push_back(tick);
        QList<int> frames;
        for (Tick tick : due) {
            (w.get()->*tick)();
            frames << w->shownFrame();
        }
        return frames;
    }
    // Which of the six frames image i shows: the one it differs least from,
    // stretched to the image's size. The image keeps its frames with at most
    // 256 colours, so it differs from the stretched frame a little, but less
    // than half as much as from any other frame.
    int shownSkyFrame(int i) const {
        const QImage shown = w->Image1[i]->picture().convertToFormat(QImage::Format_RGB32);
        int best = 0;
        double bestDifference = 1e9, secondDifference = 1e9;
        for (int n = 1; n <= 6; ++n) {
            const QImage frame = QImage(assetFolder() + QStringLiteral("/mondgif/starsky-blue-%1.gif").arg(n))
                                     .convertToFormat(QImage::Format_RGB32)
                                     .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            double sum = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    const QRgb a = shown.pixel(x, y), b = frame.pixel(x, y);
                    sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
                }
            const double mean = sum / (shown.width() * shown.height());
            if (mean < bestDifference) {
                secondDifference = bestDifference;
                best = n, bestDifference = mean;
            } else if (mean < secondDifference) {
                secondDifference = mean;
            }
        }
        return bestDifference < secondDifference / 2 ? best : 0;  // 0: not clearly one of them
    }
};

TEST_F(TimersTest, RingShowsFramesOneToSixAndRoundAgain) {
    start();
    QList<int> seen;
    for (int i = 0; i < 8; ++i) seen << ringPeriod();
    EXPECT_EQ(seen, QList<int>({1, 2, 3, 4, 5, 6, 1, 2}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(shownSkyFrame(i), 2) << "image " << i;
}

TEST_F(TimersTest, AComputationDuringTheRingAddsASecondRunner) {
    start();
    ringPeriod(), ringPeriod(), ringPeriod();  // Timer8 is on now
    ASSERT_TRUE(w->Timer8->isActive());
    compute("29", "07", "2009");
    // Two frames three apart in every period (which of the two comes first
    // depends on when each runner was started).
    QList<QList<int>> periods;
    for (int i = 0; i < 4; ++i) {
        QList<int> frames = ringPeriod();
        std::sort(frames.begin(), frames.end());
        periods << frames;
    }
    EXPECT_EQ(periods, QList<QList<int>>({{1, 4}, {2, 5}, {3, 6}, {1, 4}}));
    // Two runners one step apart merge into one.
    compute("29", "07", "2009");  // Timer5 is on already: nothing changes
    w->Timer5->stop(), w->Timer6->stop(), w->Timer7->stop(), w->Timer8->stop(), w->Timer9->stop(), w->Timer10->stop();
    w->Timer5->start(), w->Timer6->start();
    EXPECT_EQ(ringPeriod(), QList<int>({1, 2}));
    EXPECT_EQ(ringPeriod(), QList<int>({3}));
}

TEST_F(TimersTest, AMissingFrameKeepsThePreviousOneAndTheRingGoesOn) {
    QTemporaryDir dir;
    for (const QString& f : QDir(assetFolder() + "/mondgif").entryList(QDir::Files)) {
        QDir().mkpath(dir.path() + "/mondgif");
        QFile::copy(assetFolder() + "/mondgif/" + f, dir.path() + "/mondgif/" + f);
    }
    QFile::remove(dir.path() + "/mondgif/starsky-blue-3.gif");
    QFile bad(dir.path() + "/mondgif/starsky-blue-5.gif");  // a text file under a picture's name
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("not a picture");
    bad.close();
    platform.folder = dir.path();
    start();
    QList<int> seen;
    for (int i = 0; i < 7; ++i) seen << ringPeriod();
    EXPECT_EQ(seen, QList<int>({1, 2, 2, 4, 4, 6, 1}));
    EXPECT_TRUE(platform.events.empty());
}

TEST_F(TimersTest, RingRunsOnItsOwnAt100Milliseconds) {
    start();
    QList<int> seen;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (seen.isEmpty() || seen.back() != w->shownFrame()) seen << w->shownFrame();
    });
    sampler.start(5);
    // Ten frames a second; a loaded machine may take longer, so wait for
    // eight changes rather than for a fixed time.
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() >= 8; }, 5000));
    for (int i = 1; i < seen.size(); ++i) {
        if (seen[i - 1] != 0) {
            EXPECT_EQ(seen[i], seen[i - 1] % 6 + 1);
        }
    }
}

TEST_F(TimersTest, ClockFollowsTheSystemTimeWithTwoDigits) {
    start();
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 0));
    w->Timer4_Timer();
    EXPECT_EQ(w->StatusBar1Panels[2]->text(), "Uhrzeit: 09.05  Uhr");
    EXPECT_EQ(w->Timer4->interval(), 1000);  // mid-minute: once a second
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 59, 930));
    w->Timer4_Timer();
    EXPECT_LE(w->Timer4->interval(), 100);  // the next minute shows at once
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(23, 59, 59));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->StatusBar1Panels[2]->text() == "Uhrzeit: 23.59  Uhr"; }, 2000));
}

TEST_F(TimersTest, ClockKeepsRunningWhileARealMessageBoxIsOpen) {
    start();
    QString seenWhileOpen;
    platform.onBox = [&](const PlatformEvent&) {
        QMessageBox box(QMessageBox::Critical, "t", "x", QMessageBox::Ok, w.get());
        QTimer::singleShot(50, [&] { platform.clock = platform.clock.addSecs(3600); });
        QTimer::singleShot(1300, [&] {  // the clock looks at least once a second
            seenWhileOpen = w->StatusBar1Panels[2]->text();
            box.accept();
        });
        box.exec();
    };
    compute("0", "07", "2009");  // the day message opens the box
    EXPECT_EQ(seenWhileOpen, "Uhrzeit: 10.07  Uhr");
}

TEST_F(TimersTest, FocusReturnsToTheDayFieldAfterAComputation) {
    start();
    setFields("29", "07", "2009");
    w->cmd_Abbrechen->setFocus();
    QTest::keyClick(w->txtJahr, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == w->txtTag; }, 1000));
    EXPECT_EQ(w->txtTag->selectedText(), "29");
    EXPECT_FALSE(w->Timer1->isActive());
}

TEST_F(TimersTest, MidnightSwitchesToTheNewDayOnce) {
    struct Case {
        const char* what;
        QDateTime next;
        bool switches;
    };
    const QDate day(2026, 12, 5);
    const Case cases[] = {
        {"the tick in the second 00:00:01", QDateTime(day.addDays(1), QTime(0, 0, 1)), true},
        {"a late first tick", QDateTime(day.addDays(1), QTime(0, 0, 3)), true},
        {"waking days later", QDateTime(day.addDays(4), QTime(14, 30)), true},
        {"the clock set back a day", QDateTime(day.addDays(-1), QTime(23, 0)), true},
        {"the last second before", QDateTime(day.addDays(1), QTime(0, 0, 0, 500)), false},
        {"an ordinary minute", QDateTime(day, QTime(14, 31)), false},
    };
    for (const Case& c : cases) {
        platform.clock = QDateTime(day, QTime(23, 59, 58));
        start();
        compute("29", "07", "2009");
        w->Timer2->stop();  // ticks are driven by the test
        platform.clock = c.next;
        w->Timer2_Timer();
        EXPECT_EQ(w->Timer3->isActive(), c.switches) << c.what;
        if (!c.switches) {
            EXPECT_EQ(fields(), QStringList({"29", "07", "2009"})) << c.what;
            continue;
        }
        // First the entered date is computed again with the new day in the
        // status bar, then the today command follows.
        EXPECT_EQ(w->StatusBar1Panels[1]->text(), "Kalenderdatum:  " + c.next.date().toString("dd.MM.yyyy"));
        EXPECT_EQ(w->lbl_Datumangabe->text(), "Mittwoch, der 29.07.2009") << c.what;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !w->Timer3->isActive(); }, 1000)) << c.what;
        EXPECT_EQ(fields(), QStringList({c.next.date().toString("dd"), c.next.date().toString("MM"), "2026"}));
        // Later ticks of the same day change nothing.
        compute("29", "07", "2009");
        w->Timer2_Timer();
        EXPECT_FALSE(w->Timer3->isActive()) << c.what;
    }
}

}  // namespace
}  // namespace lunomat::test
