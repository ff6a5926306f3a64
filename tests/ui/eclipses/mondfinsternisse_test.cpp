// The eclipse window as the user meets it: the 60 cells and their places,
// the caption and the fixed layout, the two buttons and the keyboard.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "testsupport/fake_platform.h"
#include "ui/widgets/ui_conventions.h"
#include "ui/eclipses/mondfinsternisse.h"

namespace lunomat::test {
namespace {

TEST(EclipseWindow, CatalogueInThreeColumnsOfTwoGroupsOfTen) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    const std::pair<int, const char*> samples[] = {
        {0, "  14.04.1987  Halbschatten-Finsternis"}, {9, "  25.05.1994  Partielle-Finsternis"},
        {10, "  18.11.1994  Halbschatten-Finsternis"}, {20, "  16.05.2003  Totale-Finsternis"},
        {59, "  09.12.2030  Halbschatten-Finsternis"},
    };
    for (const auto& [cell, text] : samples) EXPECT_EQ(w.Label2[cell]->text(), QString::fromUtf8(text)) << cell;

    const int columnLeft[] = {360, 3720, 7080};
    const int rowTop[] = {360,  720,  1080, 1440, 1800, 2160, 2520, 2880, 3240, 3600,
                          4320, 4680, 5040, 5400, 5760, 6120, 6480, 6840, 7200, 7560};
    QSet<QString> texts;
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        texts.insert(w.Label2[i]->text());
        const QRect g = w.Label2[i]->geometry();
        EXPECT_EQ(g, twipsRect(columnLeft[i / 20], rowTop[i % 20], 3250, 320));
        EXPECT_TRUE(w.Label1[0]->geometry().contains(g));
    }
    EXPECT_EQ(texts.size(), 60);
}

TEST(EclipseWindow, CellsAreYellowOnDarkBlue) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    const QImage image = w.grab().toImage();
    const QRect cell = w.Label2[33]->geometry();
    // Well inside the cell but right of the text: the background.
    EXPECT_EQ(image.pixelColor(cell.right() - 4, cell.center().y()), QColor(0, 0, 64));
    bool yellow = false;
    for (int x = cell.left(); x < cell.left() + 80 && !yellow; ++x)
        for (int y = cell.top(); y <= cell.bottom() && !yellow; ++y)
            yellow = image.pixelColor(x, y) == QColor(255, 255, 0);
    EXPECT_TRUE(yellow);
    EXPECT_EQ(image.pixelColor(w.width() / 2, w.height() - 3), QColor(128, 128, 128));
}

TEST(EclipseWindow, CaptionPlaceAndAFixedLayoutOnResizing) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    w.show();
    EXPECT_EQ(w.windowTitle(),
              QString::fromUtf8("Mondfinsternisse  -  Übersicht  für  Mitteleuropa   ( im Zeitraum von  1987 bis 2030 )"));
    EXPECT_EQ(w.geometry(), QRect(px(2745), px(2115), px(10680), px(9255)));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* child : w.findChildren<QWidget*>()) before.emplace_back(child, child->geometry());
    for (const QSize size : {QSize(300, 200), QSize(1100, 900)}) {
        w.resize(size);
        QCoreApplication::processEvents();
        for (const auto& [child, rect] : before) EXPECT_EQ(child->geometry(), rect) << child->metaObject()->className();
    }
}

TEST(EclipseWindow, OnlyTheTwoButtonsTakeTheFocusAndEscapeAndEnterDoNothing) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    std::vector<QWidget*> focusable;
    for (QWidget* child : w.findChildren<QWidget*>())
        if (child->focusPolicy() & Qt::TabFocus) focusable.push_back(child);
    ASSERT_EQ(focusable.size(), 2u);
    QWidget* afterOk = w.cmdOK->nextInFocusChain();
    while (!(afterOk->focusPolicy() & Qt::TabFocus)) afterOk = afterOk->nextInFocusChain();
    EXPECT_EQ(afterOk, w.Drucker);

    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (QPushButton* focused : {w.cmdOK, w.Drucker}) {
        focused->setFocus();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(focused, key);
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(platform.count("printDialog"), 0);
}

TEST(EclipseWindow, MnemonicsPrintAndClose) {
    FakePlatform platform;
    platform.printDialog = FakePlatform::Dialog::Cancel;
    Mondfinsternisse w(platform);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.windowHandle(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses the button visibly first and clicks a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.count("printDialog") == 1; }, 2000));
    QTest::keyClick(w.windowHandle(), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000));
}

}  // namespace
}  // namespace lunomat::test
