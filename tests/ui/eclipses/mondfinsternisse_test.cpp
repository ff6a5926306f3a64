// The eclipse window as the user meets it: the 60 cells, their places, the
// two buttons, and how the window opens and closes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/ui/common/fake_platform.h"
#include "ui/common/ui_conventions.h"
#include "ui/eclipses/mondfinsternisse.h"

namespace lunomat::test {
namespace {

struct CellCase {
    int index;
    const char* text;
};

void PrintTo(const CellCase& c, std::ostream* os) { *os << "cell " << c.index; }

class CellTextTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellTextTest, ShowsTheCatalogueEntry) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    EXPECT_EQ(w.Label2[GetParam().index]->text(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    FirstMiddleLast, CellTextTest,
    ::testing::Values(CellCase{0, "  14.04.1987  Halbschatten-Finsternis"},
                      CellCase{9, "  25.05.1994  Partielle-Finsternis"},
                      CellCase{10, "  18.11.1994  Halbschatten-Finsternis"},
                      CellCase{20, "  16.05.2003  Totale-Finsternis"},
                      CellCase{40, "  27.07.2018  Totale-Finsternis"},
                      CellCase{55, "  31.12.2028  Totale-Finsternis"},
                      CellCase{59, "  09.12.2030  Halbschatten-Finsternis"}),
    [](const ::testing::TestParamInfo<CellCase>& info) { return "Cell" + std::to_string(info.param.index); });

TEST(EclipseWindow, CellsStandInThreeColumnsOfTwoGroupsOfTen) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    const int columnLeft[] = {360, 3720, 7080};
    const int rowTop[] = {360,  720,  1080, 1440, 1800, 2160, 2520, 2880, 3240, 3600,
                          4320, 4680, 5040, 5400, 5760, 6120, 6480, 6840, 7200, 7560};
    const QRect emptyRow = twipsRect(0, 3960, 10680, 320);
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        const QRect g = w.Label2[i]->geometry();
        EXPECT_EQ(g, twipsRect(columnLeft[i / 20], rowTop[i % 20], 3250, 320));
        EXPECT_FALSE(g.intersects(emptyRow));
        EXPECT_TRUE(w.Label1[0]->geometry().contains(g));
        for (int j = i + 1; j < 60; ++j) EXPECT_FALSE(g.intersects(w.Label2[j]->geometry())) << j;
    }
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

TEST(EclipseWindow, CaptionPlaceAndSize) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    w.show();
    EXPECT_EQ(w.windowTitle(),
              QString::fromUtf8("Mondfinsternisse  -  Übersicht  für  Mitteleuropa   ( im Zeitraum von  1987 bis 2030 )"));
    EXPECT_EQ(w.geometry(), QRect(px(2745), px(2115), px(10680), px(9255)));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(EclipseWindow, ResizingMovesNothing) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    w.show();
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* child : w.findChildren<QWidget*>()) before.emplace_back(child, child->geometry());
    ASSERT_GT(before.size(), 60u);
    for (const QSize size : {QSize(300, 200), QSize(1100, 900)}) {
        w.resize(size);
        QCoreApplication::processEvents();
        for (const auto& [child, rect] : before) EXPECT_EQ(child->geometry(), rect) << child->metaObject()->className();
    }
}

TEST(EclipseWindow, OnlyTheTwoButtonsTakeTheFocusOkFirst) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    std::vector<QWidget*> focusable;
    for (QWidget* child : w.findChildren<QWidget*>())
        if (child->focusPolicy() & Qt::TabFocus) focusable.push_back(child);
    ASSERT_EQ(focusable.size(), 2u);
    QWidget* afterOk = w.cmdOK->nextInFocusChain();
    while (!(afterOk->focusPolicy() & Qt::TabFocus)) afterOk = afterOk->nextInFocusChain();
    EXPECT_EQ(afterOk, w.Drucker);
    EXPECT_EQ(w.cmdOK->text(), "&OK");
    EXPECT_EQ(w.Drucker->text(), "&Drucken");
    EXPECT_FALSE(w.cmdOK->isDefault() || w.cmdOK->autoDefault());
    EXPECT_FALSE(w.Drucker->isDefault() || w.Drucker->autoDefault());
}

TEST(EclipseWindow, EscapeAndEnterNeitherCloseNorPrint) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (QPushButton* focused : {w.cmdOK, w.Drucker}) {
        focused->setFocus();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(focused, key);
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.result(), 0);
    EXPECT_EQ(platform.count("printDialog"), 0);
}

TEST(EclipseWindow, OkAndTheCloseBoxBothEndTheModalCall) {
    FakePlatform platform;
    for (const bool byOk : {true, false}) {
        Mondfinsternisse w(platform);
        QTimer::singleShot(0, &w, [&] {
            if (byOk)
                QTest::mouseClick(w.cmdOK, Qt::LeftButton);
            else
                w.close();
        });
        bool hung = false;  // a window that ignored the request is closed here
        QTimer::singleShot(5000, &w, [&] {
            hung = true;
            w.done(QDialog::Rejected);
        });
        w.exec();
        EXPECT_FALSE(hung) << (byOk ? "OK" : "close box");
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(EclipseWindow, SecondOpeningShowsTheSameTexts) {
    FakePlatform platform;
    QStringList first;
    {
        Mondfinsternisse w(platform);
        for (QLabel* cell : w.Label2) first << cell->text();
        w.Label2[5]->setText(QStringLiteral("verändert"));
        QTimer::singleShot(0, &w, [&] { w.cmdOK_Click(); });
        w.exec();
    }
    Mondfinsternisse again(platform);
    QStringList second;
    for (QLabel* cell : again.Label2) second << cell->text();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.size(), 60);
    EXPECT_EQ(first.removeDuplicates(), 0);
}

TEST(EclipseWindow, LogoIsLoadedAndNamesTheMaker) {
    FakePlatform platform;
    platform.folder = assetFolder();
    Mondfinsternisse w(platform);
    EXPECT_FALSE(w.Image_Logo->pixmap().isNull());
    EXPECT_TRUE(w.Image_Logo->hasScaledContents());
    EXPECT_TRUE(w.Image_Logo->toolTip().contains("Luno-Mat"));

    FakePlatform nowhere;
    nowhere.folder = QStringLiteral("/nonexistent");
    Mondfinsternisse withoutLogo(nowhere);  // a missing picture leaves the image empty
    EXPECT_TRUE(withoutLogo.Image_Logo->pixmap().isNull());
}

}  // namespace
}  // namespace lunomat::test
