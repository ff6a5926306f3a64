// The eclipse window as the user meets it: the 60 cells, the caption and the
// fixed layout, its owner, the two buttons and the keyboard, the printout.
#include <QLabel>
#include <QPushButton>
#include <QSet>
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
    const std::pair<int, const char*> samples[] = {{0, "  14.04.1987  Halbschatten-Finsternis"},
                                                   {9, "  25.05.1994  Partielle-Finsternis"},
                                                   {20, "  16.05.2003  Totale-Finsternis"}};
    for (const auto& [i, text] : samples) EXPECT_EQ(cell(w, i)->text(), QString::fromUtf8(text)) << i;

    // Read down each column; a gap of one row separates its two groups.
    QSet<QString> texts;
    for (int i = 0; i < 60; ++i) {
        texts.insert(cell(w, i)->text());
        if (i % 20 == 0) continue;
        const QRect above = cell(w, i - 1)->geometry();
        const QRect here = cell(w, i)->geometry();
        EXPECT_EQ(here.left(), above.left()) << i;
        EXPECT_EQ(here.top() - above.top(), i % 20 == 10 ? 48 : 24) << i;
    }
    EXPECT_EQ(texts.size(), 60);
    EXPECT_LT(cell(w, 19)->geometry().right(), cell(w, 20)->geometry().left());

    const QImage image = w.grab().toImage();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(128, 128, 128));  // the grey of the window around the cells
    const QRect g = cell(w, 33)->geometry();
    EXPECT_EQ(image.pixelColor(g.right() - 4, g.center().y()), QColor(0, 0, 64));
    bool yellow = false;  // the text's colour
    for (int x = g.left(); x < g.left() + 80; ++x)
        for (int y = g.top(); y <= g.bottom(); ++y) yellow = yellow || image.pixelColor(x, y) == QColor(255, 255, 0);
    EXPECT_TRUE(yellow);
}

TEST(EclipseWindow, StaysWithItsOwnerAndKeepsItsLayoutOnResizing) {
    FakePlatform platform;
    QWidget owner;
    owner.show();
    Mondfinsternisse w(platform, &owner);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
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
}

// Tab goes OK, Drucken and round; Escape and Enter do nothing; Alt+D prints
// and Alt+O closes.
TEST(EclipseWindow, KeyboardReachesOnlyTheTwoButtons) {
    FakePlatform platform;
    platform.printDialog = FakePlatform::Dialog::Cancel;
    Mondfinsternisse w(platform);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
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
