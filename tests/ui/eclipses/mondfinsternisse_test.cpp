// The eclipse window as the user meets it: the 60 cells, the caption and the
// fixed layout, its owner, the two buttons and the keyboard, the printout.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "testsupport/fake_platform.h"
#include "testsupport/golden.h"
#include "ui/eclipses/mondfinsternisse.h"

namespace lunomat::test {
namespace {

QLabel* cell(const QWidget& w, int i) { return w.findChild<QLabel*>(QStringLiteral("Label2_%1").arg(i)); }

TEST(EclipseWindow, CatalogueInThreeColumnsOfTwoGroupsOfTenYellowOnDarkBlue) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    // The 60 cells read in order, down each column; a gap of one row
    // separates a column's two groups.
    QStringList texts;
    for (int i = 0; i < 60; ++i) {
        texts << cell(w, i)->text();
        if (i % 20 == 0) continue;
        const QRect above = cell(w, i - 1)->geometry();
        const QRect here = cell(w, i)->geometry();
        EXPECT_EQ(here.left(), above.left()) << i;
        EXPECT_EQ(here.top() - above.top(), i % 20 == 10 ? 48 : 24) << i;
    }
    EXPECT_EQ(matchesGolden(texts, "ui/eclipses/cells.txt"), "");
    EXPECT_LT(cell(w, 19)->geometry().right(), cell(w, 20)->geometry().left());

    const QImage image = w.grab().toImage();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(128, 128, 128));  // the grey of the window around the cells
    // Yellow text on dark blue.
    const QRect g = cell(w, 33)->geometry();
    EXPECT_EQ(image.pixelColor(g.right() - 4, g.center().y()), QColor(0, 0, 64));
    EXPECT_EQ(cell(w, 33)->palette().color(QPalette::WindowText), QColor(255, 255, 0));
}

// The window stays with its owner and keeps its layout on resizing. Tab
// goes OK, Drucken and round; Escape and Enter do nothing; Alt+D prints and
// Alt+O closes.
TEST(EclipseWindow, StaysWithItsOwnerAndTheKeyboardReachesOnlyTheTwoButtons) {
    FakePlatform platform;
    platform.printDialog = FakePlatform::Dialog::Cancel;
    QWidget owner;
    owner.show();
    Mondfinsternisse w(platform, &owner);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // Only dialog-type windows carry the owner to the window manager.
    EXPECT_EQ(w.windowHandle()->type(), Qt::Dialog);
    EXPECT_EQ(w.windowHandle()->transientParent(), owner.windowHandle());
    EXPECT_EQ(w.windowTitle(), "Mondfinsternisse  -  Übersicht  für  Mitteleuropa   ( im Zeitraum von  1987 bis 2030 )");
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* child : w.findChildren<QWidget*>()) before.emplace_back(child, child->geometry());
    w.resize(1100, 900);
    QCoreApplication::processEvents();
    for (const auto& [child, rect] : before) EXPECT_EQ(child->geometry(), rect) << child->metaObject()->className();

    auto* ok = w.findChild<QPushButton*>("cmdOK");
    auto* print = w.findChild<QPushButton*>("Drucker");
    EXPECT_EQ(w.focusWidget(), ok);
    for (QPushButton* next : {print, ok}) {
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(w.focusWidget(), next);
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(next, key);
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(platform.count("printDialog"), 0);
    QTest::keyClick(w.windowHandle(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses the button visibly first and clicks a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.count("printDialog") == 1; }, 2000));
    QTest::keyClick(w.windowHandle(), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000));
}

TEST(EclipsePrintout, PageMatchesItsRecording) {
    FakePlatform platform;  // 05.12.2026, 09:07
    Mondfinsternisse w(platform);
    w.findChild<QPushButton*>("Drucker")->click();
    EXPECT_EQ(matchesGolden(platform.printOpTexts(), "ui/eclipses/printout.txt"), "");
}

}  // namespace
}  // namespace lunomat::test
