// The about window: version text, the two links, and every way of closing
// it handing the focus back to the main window's day field.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <functional>

#include "tests/ui/common/fake_platform.h"
#include "ui/common/version.h"
#include "ui/info/information.h"

using lunomat::Information;
using lunomat::test::FakePlatform;

namespace {

// Stands in for the main window: a day field and another field that holds
// the focus when the about window is opened.
struct MainWindowStandIn {
    QWidget window;
    QLineEdit* day = new QLineEdit(QStringLiteral("05"), &window);
    QLineEdit* other = new QLineEdit(QStringLiteral("2026"), &window);

    MainWindowStandIn() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(day);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }
};

class InformationTest : public ::testing::Test {
protected:
    FakePlatform platform;
    MainWindowStandIn main;

    void SetUp() override { platform.folder = lunomat::test::assetFolder(); }

    // Opens the window modally and runs `action` once it is up and active.
    void runModal(Information& info, const std::function<void()>& action) {
        QTimer::singleShot(0, &info, [&] {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &info; }));
            action();
            // Make sure exec() ends so that the test cannot hang.
            QTimer::singleShot(0, &info, [&] {
                if (info.isVisible()) info.QDialog::done(QDialog::Rejected);
            });
        });
        info.exec();
    }
};

TEST_F(InformationTest, ShowsVersionAndTheWholeWarrantyNote) {
    Information info(platform, main.day, &main.window);
    EXPECT_EQ(info.lblVersion->text(), QStringLiteral("Version 1.0.5"));
    EXPECT_EQ(info.lblVersion->text(), QStringLiteral("Version ") + QLatin1String(lunomat::kVersionText));
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Luno-Mat   (Programm- Informationen)"));

    // The replacement fonts must not cut off the end of the note.
    const QLabel* note = info.Label6;
    EXPECT_TRUE(note->text().endsWith(QStringLiteral("keinerlei Haftung für daraus entstehende Fehlinterpretationen.")));
    const QRect needed = QFontMetrics(note->font())
                             .boundingRect(note->contentsRect(), int(note->alignment()) | Qt::TextWordWrap, note->text());
    EXPECT_LE(needed.height(), note->contentsRect().height());
}

TEST_F(InformationTest, EachLinkClickOpensItsAddressOnceAndLeavesWindowAsItWas) {
    const QString home = QStringLiteral("http://%1/?ref=%2").arg(lunomat::kWebHost, lunomat::kRefTag);
    const QString support = QStringLiteral("http://%1/support.php?ref=%2").arg(lunomat::kWebHost, lunomat::kRefTag);

    Information info(platform, main.day, &main.window);
    info.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
    const QString urlText = info.URL->text();
    const QRect geometry = info.geometry();
    EXPECT_TRUE(urlText.contains(QLatin1String(lunomat::kWebHost)));

    const struct {
        QLabel* link;
        QString address;
    } cases[] = {{info.URL, home}, {info.Mail, support}, {info.URL, home}};
    for (const auto& c : cases) {
        platform.events.clear();
        QTest::mouseClick(c.link, Qt::LeftButton);
        ASSERT_EQ(platform.count("url"), 1) << c.link->objectName().toStdString();
        EXPECT_EQ(platform.events.back().text, c.address);
        EXPECT_TRUE(info.isVisible());
        EXPECT_EQ(info.URL->text(), urlText);
        EXPECT_EQ(info.Mail->text(), QStringLiteral("Support-Formular"));
        EXPECT_EQ(info.geometry(), geometry);
    }

    // A right click, or a press that is released on the other link, is no click.
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

    Information info(platform, main.day, &main.window);
    for (QLabel* link : {info.URL, info.Mail}) {
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(128, 128, 255));
        EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(link->cursor().hotSpot(), QPoint(spot[0].toInt(), spot[1].toInt()));
    }
    // Outside the links the ordinary pointer stays.
    EXPECT_EQ(info.Label4->cursor().shape(), Qt::ArrowCursor);
}

// OK, the close box (close()) and Alt+O all end the dialog and put the focus
// into the day field; Escape and Enter leave it open.
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
        main.other->setFocus();
        Information info(platform, main.day, &main.window);
        bool closedByAction = false;
        bool visibleAtClose = true;
        QSignalSpy finished(&info, &QDialog::finished);
        runModal(info, [&] {
            EXPECT_TRUE(info.cmdOK->hasFocus());
            c.action(info);
            // A mnemonic clicks after a short animation.
            closedByAction = QTest::qWaitFor([&] { return finished.count() > 0; }, 500) && finished.count() == 1;
            visibleAtClose = info.isVisible();
        });
        EXPECT_EQ(closedByAction, c.closes);
        if (c.closes) {
            EXPECT_FALSE(visibleAtClose);
            EXPECT_EQ(main.window.focusWidget(), main.day);
            // The window system hands activation back to the main window.
            main.window.activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([&] { return main.day->hasFocus(); }, 2000));
        }
        EXPECT_EQ(platform.count("url"), 0);
    }
}

TEST_F(InformationTest, OnlyTheOkButtonTakesTheFocus) {
    Information info(platform, main.day, &main.window);
    for (QWidget* w : info.findChildren<QWidget*>())
        if (w != info.cmdOK) {
            EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << w->metaObject()->className();
        }
    EXPECT_FALSE(info.cmdOK->isDefault());
    EXPECT_FALSE(info.cmdOK->autoDefault());
}

}  // namespace
