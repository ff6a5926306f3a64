// The eclipse window as the user meets it: the 60 cells, the caption and the
// fixed layout, its owner, the two buttons and the keyboard, the printout.
#include "ui/eclipses/mondfinsternisse.h"
#include "testsupport/ui_test.h"

namespace lunomat::test {

// The catalogue in three columns of two groups of ten, yellow on dark blue,
// and its printout. The window stays with its owner and keeps its layout on
// resizing. Tab goes OK, Drucken and round; Escape and Enter do nothing;
// Alt+D prints and Alt+O closes.
TEST(EclipseWindow, CatalogueItsPrintoutItsOwnerAndTheKeyboardReachingOnlyTheTwoButtons) {
    FakePlatform platform;
    QWidget owner;
    owner.show();
    Mondfinsternisse w(platform, &owner);
    ASSERT_TRUE(showActive(w));
    EXPECT_EQ(matchesGolden(controlsRecord(w), "ui/eclipses/controls.txt"), "");
    const QImage image = w.grab().toImage();
    // Across the frame lines, by the design's twips / 15: the window's grey,
    // the black edge lines of the table panel (Line1 at y 135 to 120, Line2
    // at x 135) and of the footer panel (Line3 at y 8290, Line4 at x 130),
    // 2 pixels wide, over the panels' own one-pixel borders; D their dark grey.
    const QList<QColor> shades = {QColor(128, 128, 128), Qt::black, QColor(64, 64, 64)};
    EXPECT_EQ(pixelRun(image, {300, 5}, {0, 1}, 7, "GBD", shades), "GGGBBDD");
    EXPECT_EQ(pixelRun(image, {5, 300}, {1, 0}, 7, "GBD", shades), "GGGBBDD");
    EXPECT_EQ(pixelRun(image, {300, 541}, {0, 1}, 15, "GBD", shades), "DDDBGGGGGGGBBDD");
    EXPECT_EQ(pixelRun(image, {5, 580}, {1, 0}, 7, "GBD", shades), "GGGBBDD");
    const QRect g = w.findChild<QLabel*>("Label2_33")->geometry();  // the cell's background is painted
    EXPECT_EQ(image.pixelColor(g.right() - 4, g.center().y()), QColor(0, 0, 64));

    // Only dialog-type windows carry the owner to the window manager.
    EXPECT_EQ(w.windowHandle()->type(), Qt::Dialog);
    EXPECT_EQ(w.windowHandle()->transientParent(), owner.windowHandle());
    EXPECT_EQ(w.windowTitle(),
              "Mondfinsternisse  -  Übersicht  für  Mitteleuropa   ( im Zeitraum von  1987 bis 2030 )");
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    w.resize(1100, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(matchesGolden(controlsRecord(w), "ui/eclipses/controls.txt"), "");

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
    // The page as it comes on paper (the fake clock: 05.12.2026, 09:07).
    print->click();
    EXPECT_EQ(matchesGolden(printedPage(platform.printOps), "ui/eclipses/printout.txt"), "");
    QTest::keyClick(w.windowHandle(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses the button visibly first and clicks a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.count("printDialog") == 2; }, 2000));
    QTest::keyClick(w.windowHandle(), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000));
}

}  // namespace lunomat::test
