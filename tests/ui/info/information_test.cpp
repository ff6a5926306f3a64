// The about window: version and warranty texts, the two links, and every way
// of closing it handing the focus back to the main window's day field.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
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
        auto* layout = new QVBoxLayout(&mainWindow);
        layout->addWidget(day);
        layout->addWidget(other);
        mainWindow.show();
        mainWindow.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    }
};

TEST_F(InformationTest, ShowsVersionAndTheWholeWarrantyNote) {
    Information info(platform, day, &mainWindow);
    EXPECT_EQ(info.lblVersion->text(), QStringLiteral("Version 1.0.5"));

    // The replacement fonts must not cut off the end of the note.
    const QLabel* note = info.Label6;
    EXPECT_TRUE(note->text().endsWith(QStringLiteral("entstehende Fehlinterpretationen.")));
    const QRect needed = QFontMetrics(note->font())
                             .boundingRect(note->contentsRect(), int(note->alignment()) | Qt::TextWordWrap, note->text());
    EXPECT_LE(needed.height(), note->contentsRect().height());
}

TEST_F(InformationTest, EachLinkClickOpensItsAddressOnceAndLeavesWindowAsItWas) {
    const QString home = QStringLiteral("http://%1/?ref=%2").arg(lunomat::kWebHost, lunomat::kRefTag);
    const QString support = QStringLiteral("http://%1/support.php?ref=%2").arg(lunomat::kWebHost, lunomat::kRefTag);
    Information info(platform, day, &mainWindow);
    info.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
    const QString urlText = info.URL->text();
    const QRect geometry = info.geometry();

    for (const auto& [link, address] : {std::pair{info.URL, home}, {info.Mail, support}, {info.URL, home}}) {
        platform.events.clear();
        QTest::mouseClick(link, Qt::LeftButton);
        ASSERT_EQ(platform.count("url"), 1);
        EXPECT_EQ(platform.events.back().text, address);
        EXPECT_TRUE(info.isVisible());
        EXPECT_EQ(info.URL->text(), urlText);
        EXPECT_EQ(info.geometry(), geometry);
    }

    // A right click, or a press released over the other link, is no click.
    platform.events.clear();
    QTest::mouseClick(info.Mail, Qt::RightButton);
    QTest::mousePress(info.URL, Qt::LeftButton);
    QTest::mouseRelease(info.Mail, Qt::LeftButton);
    EXPECT_EQ(platform.count("url"), 0);
}

TEST_F(InformationTest, LinksShowTheHandCursorWithItsHotSpot) {
    QFile spotFile(platform.folder + QStringLiteral("/cursor-hand.txt"));
    ASSERT_TRUE(spotFile.open(QIODevice::ReadOnly));
    const QStringList spot = QString::fromLatin1(spotFile.readAll()).simplified().split(QLatin1Char(' '));
    ASSERT_EQ(spot.size(), 2);

    Information info(platform, day, &mainWindow);
    for (QLabel* link : {info.URL, info.Mail}) {
        EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(link->cursor().hotSpot(), QPoint(spot[0].toInt(), spot[1].toInt()));
    }
    EXPECT_EQ(info.Label4->cursor().shape(), Qt::ArrowCursor);
}

// OK, the close box and Alt+O end the dialog and put the focus into the day
// field; Escape and Enter leave it open (OK is neither default nor cancel).
TEST_F(InformationTest, ClosingPathsGiveTheDayFieldTheFocus) {
    const struct {
        const char* name;
        std::function<void(Information&)> action;
        bool closes;
    } cases[] = {
        {"OK", [](Information& i) { QTest::mouseClick(i.cmdOK, Qt::LeftButton); }, true},
        {"close box", [](Information& i) { i.close(); }, true},
        {"Alt+O", [](Information& i) { QTest::keyClick(i.cmdOK, Qt::Key_O, Qt::AltModifier); }, true},
        {"Escape", [](Information& i) { QTest::keyClick(i.cmdOK, Qt::Key_Escape); }, false},
        {"Enter", [](Information& i) { QTest::keyClick(i.cmdOK, Qt::Key_Return); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        other->setFocus();
        Information info(platform, day, &mainWindow);
        QSignalSpy finished(&info, &QDialog::finished);
        bool closed = false;
        bool visibleAtClose = true;
        QTimer::singleShot(0, &info, [&] {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &info; }));
            EXPECT_TRUE(info.cmdOK->hasFocus());
            c.action(info);
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
