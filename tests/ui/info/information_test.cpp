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
#include "ui/platform/version.h"
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
T* control(const Information& info, const char* name) {
    return info.findChild<T*>(QLatin1String(name));
}

TEST_F(InformationTest, ShowsVersionTheWholeNoteAndFiveCaptionsOfOneSize) {
    Information info(platform, day, &mainWindow);
    EXPECT_EQ(control(info, "lblVersion")->text(), QStringLiteral("Version 1.0.5"));
    // The status bar runs along the whole bottom edge.
    const QWidget* status = info.findChild<QStatusBar*>();
    EXPECT_EQ(status->geometry(), QRect(0, info.height() - status->height(), info.width(), status->height()));

    // The replacement fonts must not cut off the end of the note.
    const QLabel* note = control(info, "Label6");
    EXPECT_TRUE(note->text().endsWith(QStringLiteral("entstehende Fehlinterpretationen.")));
    const QRect needed = QFontMetrics(note->font())
                             .boundingRect(note->contentsRect(), int(note->alignment()) | Qt::TextWordWrap, note->text());
    EXPECT_LE(needed.height(), note->contentsRect().height());

    // Each caption is drawn whole in the window's font: the run of its
    // colour along the top edge is as wide as the text in that font.
    const std::pair<const char*, const char*> captions[] = {
        {"Frame1", "Programm-Information :"}, {"Frame2", "Autor :"}, {"Frame3", "Freeware-Hinweis :"},
        {"Frame4", "Support über Kontaktformular :"}, {"Frame5", "Programm-Hinweis (Garantie) :"}};
    for (const auto& [name, caption] : captions) {
        QWidget* frame = control<QWidget>(info, name);
        const QImage image = frame->grab().toImage();
        const QFontMetrics fm(frame->font());
        const QColor background = image.pixelColor(frame->width() / 2, frame->height() / 2);
        int left = image.width(), right = -1;
        for (int y = 0; y < fm.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() < 200 && c != background) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        EXPECT_NEAR(right - left + 1, fm.horizontalAdvance(QString::fromUtf8(caption)), 3) << name;
        // The etched border closes on the right: dark, then light, then the window.
        const auto shade = [&](int x) { return image.pixelColor(frame->width() - x, frame->height() / 2).value(); };
        EXPECT_TRUE(shade(3) < shade(1) && shade(2) > shade(1)) << name;
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
        EXPECT_EQ(link->palette().color(link->foregroundRole()), QColor(128, 128, 255));  // link blue
        EXPECT_TRUE(link->font().underline());
    }
    EXPECT_EQ(control(info, "Label4")->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(url->toolTip() + '|' + mail->toolTip(),
              QStringLiteral("Start der Homepage des Autors.|Kontakt bzw. Support über das Kontaktformular der "
                             "Webseite des Autors."));
}

// OK, the close box and Alt+O end the dialog and put the focus into the day
// field; Escape and Enter leave it open (OK is neither default nor cancel).
TEST_F(InformationTest, ClosingPathsGiveTheDayFieldTheFocus) {
    const struct {
        const char* name;
        Qt::Key key;  // 0: a click on OK; Qt::Key_Close: the close box
        Qt::KeyboardModifiers modifiers;
        bool closes;
    } cases[] = {{"OK", Qt::Key(0), {}, true},         {"close box", Qt::Key_Close, {}, true},
                 {"Alt+O", Qt::Key_O, Qt::AltModifier, true}, {"Escape", Qt::Key_Escape, {}, false},
                 {"Enter", Qt::Key_Return, {}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        other->setFocus();
        Information info(platform, day, &mainWindow);
        QSignalSpy finished(&info, &QDialog::finished);
        bool closed = false, visibleAtClose = true;
        QTimer::singleShot(0, &info, [&] {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &info; }));
            EXPECT_TRUE(control<QPushButton>(info, "cmdOK")->hasFocus());
            QPushButton* ok = control<QPushButton>(info, "cmdOK");
            if (c.key == Qt::Key(0)) QTest::mouseClick(ok, Qt::LeftButton);
            else if (c.key == Qt::Key_Close) info.close();
            else QTest::keyClick(ok, c.key, c.modifiers);
            // A mnemonic clicks after a short animation.
            closed = QTest::qWaitFor([&] { return finished.count() > 0; }, 500) && finished.count() == 1;
            visibleAtClose = info.isVisible();
            if (!closed) info.QDialog::done(QDialog::Rejected);  // end exec() without the unload
        });
        info.exec();
        EXPECT_EQ(closed, c.closes);
        if (!c.closes) continue;
        EXPECT_FALSE(visibleAtClose);
        EXPECT_EQ(mainWindow.focusWidget(), day);
        // The window system hands activation back to the main window.
        mainWindow.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return day->hasFocus(); }, 2000));
    }
    EXPECT_EQ(platform.count("url"), 0);
}

}  // namespace
