// The timers of the main window, driven by the real event loop and the fake
// clock: star-sky ring, clock, and the switch to the new day at midnight.
#include "testsupport/main_window_fixture.h"
#include "ui/widgets/frame_picture.h"

namespace lunomat::test {

using TimersTest = MainWindowTest;

// One runner goes round the six frames at 100 ms, however many computations
// come while it runs. While nobody can see the window the star sky neither
// changes nor paints; shown again, it goes on with the frame after the one it
// stopped at.
TEST_F(TimersTest, StarSkyKeepsItsPaceAndRestsWhileTheWindowIsNotSeen) {
    start();
    for (int i = 0; i < 4; ++i) compute("29", "07", "2009"), QTest::qWait(130);
    auto* sky = find<FramePicture>("Image1_0");
    QList<QImage> ring;  // the frames in the order shown
    for (const QDeadlineTimer end(1500); !end.hasExpired(); QTest::qWait(10))
        if (ring.isEmpty() || ring.back() != sky->picture()) ring << sky->picture();
    EXPECT_TRUE(ring.size() >= 7 && ring.size() <= 17) << ring.size();  // 15 frames at 100 ms, 30 with two runners
    for (int i = 6; i < ring.size(); ++i) EXPECT_TRUE(ring[i] == ring[i - 6]) << i;  // the same ring of six
    ring = ring.mid(1, 6);
    countPaints(sky);
    // clang-format off
    const std::pair<std::function<void()>, std::function<void()>> aways[] = {
        {[&] { w->showMinimized(); }, [&] { w->showNormal(); }},
        {[&] { w->hide(); }, [&] { w->show(); }},
        {[&] { covered(true); }, [&] { covered(false); }}};
    // clang-format on
    for (const auto& [away, back] : aways) {
        away();
        QTest::qWait(50);  // a frame already under way
        const QImage held = sky->picture();
        paints = 0;
        QTest::qWait(450);
        EXPECT_TRUE(sky->picture() == held && paints == 0);
        back();
        ASSERT_TRUE(QTest::qWaitFor([&] { return sky->picture() != held; }, 1000));
        ASSERT_GE(ring.indexOf(held), 0);
        EXPECT_TRUE(sky->picture() == ring[(ring.indexOf(held) + 1) % 6]);
    }
}

TEST_F(TimersTest, ClockShowsTheNewMinuteAtOnce) {
    start(QDateTime(QDate(2026, 12, 5), QTime(0, 0, 30)));
    EXPECT_EQ(text("StatusBar1Panel3"), "Uhrzeit: 00.00  Uhr");
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 59, 900));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("StatusBar1Panel3") == "Uhrzeit: 09.05  Uhr"; }, 1500));
    // The tick just before a full minute sets the next one just after it.
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(9, 6, 0, 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("StatusBar1Panel3") == "Uhrzeit: 09.06  Uhr"; }, 400));
}

// At midnight the window switches to the new day, once.
TEST_F(TimersTest, MidnightSwitchesToTheNewDayOnceWhateverIsOpen) {
    for (const QStringList& c : readCases("ui/main/midnight.tsv", 4)) {
        SCOPED_TRACE(c[0].toStdString());
        const QDateTime next = QDateTime::fromString(c[0], "dd.MM.yyyy HH:mm:ss.zzz");
        start(QDateTime(QDate(2026, 12, 5), QTime(23, 59, 58)));
        compute("29", "07", "2009");
        platform.clock = next;
        if (c[1] == "yes") {
            ASSERT_TRUE(switchedTo(next.date()));
            EXPECT_EQ(text("StatusBar1Panel2"), "Kalenderdatum:  " + next.date().toString("dd.MM.yyyy"));
            compute("29", "07", "2009");
        }
        QTest::qWait(1200);  // no switch before midnight, and only one after it
        EXPECT_EQ(fields(), QStringList({"29", "07", "2009"}));
    }
    // Whatever is open at midnight - a message box of a date field, another
    // window - the window shows the new today afterwards, with one message at
    // most. Midnight into the day `days` after d0 passes while it is open; the
    // midnight watch ticks meanwhile.
    const QDate d0(2026, 6, 14);
    const auto midnightPasses = [&](int days) {
        platform.clock = QDateTime(d0.addDays(days), QTime(0, 0, 2));
        QTest::qWait(1500);
    };
    start(QDateTime(d0, QTime(23, 59, 52)));
    compute("29", "07", "2009");
    int boxes = 0;
    platform.onBox = [&](const PlatformEvent&) {
        if (++boxes == 1) midnightPasses(1);
    };
    typeOver(day(), "99");
    ASSERT_TRUE(switchedTo(d0.addDays(1)));
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(text("lbl_Datumangabe"), "Montag, der 15.06.2026");

    // The same with the annual window open.
    platform.clock = QDateTime(d0.addDays(1), QTime(23, 59, 58));
    ASSERT_FALSE(openAndClose([&] { button("cmd_Phasen")->click(); }, nullptr, [&] { midnightPasses(2); }).isEmpty());
    ASSERT_TRUE(switchedTo(d0.addDays(2)));
    EXPECT_EQ(text("lbl_Datumangabe"), "Dienstag, der 16.06.2026");
}

}  // namespace lunomat::test
