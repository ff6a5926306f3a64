// The about window: version and warranty texts, the two links, and every way
// of closing it handing the focus back to the main window's day field.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "testsupport/fake_platform.h"
#include "testsupport/golden.h"
#include "ui/platform/version.h"
#include "ui/info/caption_frame.h"
#include "ui/info/information.h"

using lunomat::Information;

namespace {

class InformationTest : public ::testing::Test {
protected:
    lunomat::test::FakePlatform platform;
    QWidget mainWindow;  // stands in for the main window
    QLineEdit* day = new QLineEdit(QStringLiteral("05"), &mainWindow);
    QLineEdit* other = new QLineEdit(QStringLiteral("2026"), &mainWindow);

    void SetUp() override {
        platform.folder = lunomat::test::assetFolder();
        other->move(0, 30);
        mainWindow.show();
        mainWindow.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    }
};

template <typename T = QLabel>
T* control(const Information& info, const char* name) { return info.findChild<T*>(QLatin1String(name)); }

TEST_F(InformationTest, ShowsVersionTheWholeNoteAndFiveCaptionsOfOneSize) {
    Information info(platform, day, &mainWindow);
    EXPECT_EQ(lunomat::test::matchesGolden(lunomat::test::controlsRecord(info), "ui/info/controls.txt"), "");
    // The status bar runs along the whole bottom edge.
    const QWidget* status = info.findChild<QStatusBar*>();
    EXPECT_EQ(status->geometry(), QRect(0, info.height() - status->height(), info.width(), status->height()));

    // The replacement fonts must not cut off the end of the note.
    const QLabel* note = control(info, "Label6");
    const QRect needed = QFontMetrics(note->font())
                             .boundingRect(note->contentsRect(), int(note->alignment()) | Qt::TextWordWrap, note->text());
    EXPECT_LE(needed.height(), note->contentsRect().height());

    // Each caption is drawn whole in the window's font: the run of its
    // colour along the top edge is as wide as the text in that font.
    const QList<QStringList> captions = lunomat::test::readTable("ui/info/captions.tsv");
    ASSERT_EQ(captions.size(), 5);
    for (const QStringList& row : captions) {
        QWidget* frame = control<QWidget>(info, row[0].toLatin1().constData());
        const QImage image = frame->grab().toImage();
        const QFontMetrics fm(frame->font());
        const QColor background = image.pixelColor(frame->width() / 2, frame->height() / 2);
        int left = image.width(), right = -1;
        for (int y = 0; y < fm.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QColor c = image.pixelColor(x, y); c.red() > 200 && c.green() > 200 && c.blue() < 200 && c != background)
                    left = std::min(left, x), right = std::max(right, x);
        EXPECT_NEAR(right - left + 1, fm.horizontalAdvance(row[1]), 3) << row[0].toStdString();
        // Where it starts: a long caption keeps clear of the right corner.
        EXPECT_EQ(left, row[2].toInt()) << row[0].toStdString();
    }
}

TEST_F(InformationTest, EachLinkClickOpensItsAddressOnceAndLeavesWindowAsItWas) {
    Information info(platform, day, &mainWindow);
    info.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
    QLabel* url = control(info, "URL");
    QLabel* mail = control(info, "Mail");
    const QString urlText = url->text();
    const QRect geometry = info.geometry();

    for (const auto& [link, path] : {std::pair{url, "/"}, {mail, "/support.php"}, {url, "/"}}) {
        platform.events.clear();
        QTest::mouseClick(link, Qt::LeftButton);
        ASSERT_EQ(platform.count("url"), 1);
        const QUrl a(platform.events.back().text);
        EXPECT_EQ(QStringList({a.scheme(), a.host(), a.path(), a.query()}),
                  QStringList({"http", lunomat::kWebHost, path, QStringLiteral("ref=") + lunomat::kRefTag}));
        EXPECT_TRUE(info.isVisible() && url->text() == urlText && info.geometry() == geometry);
    }

    // A right click, or a press released over the other link, is no click.
    platform.events.clear();
    QTest::mouseClick(mail, Qt::RightButton);
    QTest::mousePress(url, Qt::LeftButton);
    QTest::mouseRelease(mail, Qt::LeftButton);
    EXPECT_EQ(platform.count("url"), 0);

    // Both links show the program's hand, its hot spot read from
    // assets/cursor-hand.txt ("9 0").
    for (QLabel* link : {url, mail}) {
        EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(link->cursor().hotSpot(), QPoint(9, 0));
    }
    EXPECT_EQ(control(info, "Label4")->cursor().shape(), Qt::ArrowCursor);
}

// OK, the close box and Alt+O end the dialog and put the focus into the day
// field; Escape and Enter leave it open (OK is neither default nor cancel).
TEST_F(InformationTest, ClosingPathsGiveTheDayFieldTheFocus) {
    const QList<QStringList> cases = lunomat::test::readTable("ui/info/closing.tsv");
    ASSERT_EQ(cases.size(), 5);
    for (const QStringList& c : cases) {
        SCOPED_TRACE(c[0].toStdString());
        const bool closes = c[1] == "yes";
        other->setFocus();
        Information info(platform, day, &mainWindow);
        QSignalSpy finished(&info, &QDialog::finished);
        bool closed = false, visibleAtClose = true;
        QTimer::singleShot(0, &info, [&] {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &info; }));
            QPushButton* ok = control<QPushButton>(info, "cmdOK");
            EXPECT_TRUE(ok->hasFocus());
            if (c[0] == "click") QTest::mouseClick(ok, Qt::LeftButton);
            else if (c[0] == "close box") info.close();
            else QTest::keySequence(ok, QKeySequence(c[0]));
            // A mnemonic clicks after a short animation.
            closed = QTest::qWaitFor([&] { return finished.count() > 0; }, 500) && finished.count() == 1;
            visibleAtClose = info.isVisible();
            if (!closed) info.QDialog::done(QDialog::Rejected);  // end exec() without the unload
        });
        info.exec();
        EXPECT_EQ(closed, closes);
        if (!closes) continue;
        EXPECT_FALSE(visibleAtClose);
        EXPECT_EQ(mainWindow.focusWidget(), day);
        // The window system hands activation back to the main window.
        mainWindow.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return day->hasFocus(); }, 2000));
    }
    EXPECT_EQ(platform.count("url"), 0);
}

// The etched outline of a framed group: a dark line with a light one just
// inside it (the frame's background 1.8 times darker and 1.9 times
// lighter), broken on top where the caption stands. Each case reads the
// pixels from a start point on: d dark, l light, w the background.
struct OutlineCase {
    const char* where;
    QPoint start;  // y counted from the caption's middle line where captionLine
    bool captionLine;
    QPoint step;
    const char* shades;
};
const OutlineCase kOutline[] = {
    {"LeftEdge", {0, 30}, false, {1, 0}, "dlww"},
    {"RightEdge", {95, 30}, false, {1, 0}, "wwdlw"},
    {"BottomEdge", {50, 55}, false, {0, 1}, "wwdlw"},
    {"TopEdgeLeftOfTheCaption", {4, -2}, true, {0, 1}, "wwdlw"},
    {"TopEdgeRightOfTheCaption", {90, -2}, true, {0, 1}, "wwdlw"},
    {"TopEdgeBrokenByACaptionOfBlanks", {14, -1}, true, {0, 1}, "wwww"},
};
class CaptionFrameOutline : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(CaptionFrameOutline, IsADarkLineWithALightOneInside) {
    const OutlineCase& c = GetParam();
    QWidget window;
    auto* frame = new lunomat::CaptionFrame(QString(8, QLatin1Char(' ')), Qt::yellow, &window);
    frame->setGeometry(0, 0, 100, 60);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, QColor(64, 64, 64));
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    const QImage image = frame->grab().toImage();
    QPoint at = c.start + QPoint(0, c.captionLine ? QFontMetrics(frame->font()).height() / 2 : 0);
    QString shades;
    for (const char* s = c.shades; *s; ++s, at += c.step) {
        const int value = image.pixelColor(at).value();
        shades += value < 64 ? QLatin1Char('d') : value > 64 ? QLatin1Char('l') : QLatin1Char('w');
    }
    EXPECT_EQ(shades.toStdString(), c.shades);
}
INSTANTIATE_TEST_SUITE_P(Edges, CaptionFrameOutline, ::testing::ValuesIn(kOutline),
                         [](const auto& info) { return std::string(info.param.where); });

}  // namespace
