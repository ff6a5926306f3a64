// The timers of the main window, driven by the real event loop and the fake
// clock: star-sky ring, clock, and the switch to the new day at midnight.
#include <xcb/xcb.h>

#include "tests/ui/main/main_window_fixture.h"
#include "ui/widgets/frame_picture.h"

namespace lunomat::test {
namespace {

class TimersTest : public MainWindowTest, public QObject {
protected:
    int paints = 0;  // of the watched picture
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
    // Waits until the midnight watch, which looks once a second, has switched.
    bool switchedTo(const QDate& date) {
        const QStringList shown = {date.toString("dd"), date.toString("MM"), QString::number(date.year())};
        return QTest::qWaitFor([&] { return fields() == shown; }, 3000);
    }
    // The X server's word that the window is covered whole, or partly seen again.
    void covered(bool whole) {
        xcb_visibility_notify_event_t event{};
        event.response_type = XCB_VISIBILITY_NOTIFY;
        event.window = xcb_window_t(w->windowHandle()->winId());
        event.state = whole ? XCB_VISIBILITY_FULLY_OBSCURED : XCB_VISIBILITY_PARTIALLY_OBSCURED;
        qintptr result = 0;
        QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, &result);
    }
};

// One runner goes round the six frames at 100 ms, however many computations
// come while it runs. While nobody can see the window the star sky neither
// changes nor paints; shown again, it goes on with the frame after the one it
// stopped at.
TEST_F(TimersTest, StarSkyKeepsItsPaceAndRestsWhileTheWindowIsNotSeen) {
    start();
    for (int i = 0; i < 4; ++i) compute("29", "07", "2009"), QTest::qWait(130);
    auto* sky = find<FramePicture>("Image1_0");
    QList<QImage> ring;  // the frames in the order shown
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        if (ring.isEmpty() || ring.back() != sky->picture()) ring << sky->picture();
        return clock.elapsed() >= 1500;
    }, 3000));
    EXPECT_TRUE(ring.size() >= 7 && ring.size() <= 17) << ring.size();  // 15 frames at 100 ms, 30 with two runners
    for (int i = 6; i < ring.size(); ++i) EXPECT_TRUE(ring[i] == ring[i - 6]) << i;  // the same ring of six
    ring = ring.mid(1, 6);
    sky->installEventFilter(this);
    const std::pair<std::function<void()>, std::function<void()>> aways[] = {
        {[&] { w->showMinimized(); }, [&] { w->showNormal(); }},
        {[&] { w->hide(); }, [&] { w->show(); }},
        {[&] { covered(true); }, [&] { covered(false); }}};
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
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(0, 0, 30));
    start();
    EXPECT_EQ(text("StatusBar1Panel3"), "Uhrzeit: 00.00  Uhr");
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(9, 5, 59, 900));
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("StatusBar1Panel3") == "Uhrzeit: 09.05  Uhr"; }, 1500));
    // The tick just before a full minute sets the next one just after it.
    platform.clock = QDateTime(QDate(2026, 12, 5), QTime(9, 6, 0, 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("StatusBar1Panel3") == "Uhrzeit: 09.06  Uhr"; }, 400));
}

TEST_F(TimersTest, MidnightSwitchesToTheNewDayOnce) {
    const QList<QStringList> cases = readTable("ui/main/midnight.tsv");
    ASSERT_EQ(cases.size(), 4);
    for (const QStringList& c : cases) {
        SCOPED_TRACE(c[0].toStdString());
        const QDateTime next = QDateTime::fromString(c[0], "dd.MM.yyyy HH:mm:ss.zzz");
        platform.clock = QDateTime(QDate(2026, 12, 5), QTime(23, 59, 58));
        start();
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
}

// Whatever is open at midnight - a message box of a date field, another
// window - the window shows the new today afterwards, with one message at most.
TEST_F(TimersTest, MidnightWhileSomethingIsOpen) {
    const QDate d0(2026, 6, 14);
    platform.clock = QDateTime(d0, QTime(23, 59, 52));
    start();
    compute("29", "07", "2009");
    int boxes = 0;
    platform.onBox = [&](const PlatformEvent&) {
        if (++boxes > 1) return;
        platform.clock = QDateTime(d0.addDays(1), QTime(0, 0, 2));
        QTest::qWait(1500);  // the midnight watch ticks while the box is open
    };
    day()->setFocus();
    day()->selectAll();
    QTest::keyClicks(day(), "99");
    ASSERT_TRUE(switchedTo(d0.addDays(1)));
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(text("lbl_Datumangabe"), "Montag, der 15.06.2026");

    // The same with the annual window open.
    platform.onBox = nullptr;
    platform.clock = QDateTime(d0.addDays(1), QTime(23, 59, 58));
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000));
        platform.clock = QDateTime(d0.addDays(2), QTime(0, 0, 2));
        QTest::qWait(1500);
        QApplication::activeModalWidget()->close();
    });
    button("cmd_Phasen")->click();
    ASSERT_TRUE(switchedTo(d0.addDays(2)));
    EXPECT_EQ(text("lbl_Datumangabe"), "Dienstag, der 16.06.2026");
}

}  // namespace
}  // namespace lunomat::test
