// The annual phase window as its user sees it: the dates of the year, the
// cells left blank, the names a screen reader announces, and the printout.
#include "ui/annual/mondphasen.h"
#include "testsupport/ui_test.h"

namespace lunomat::test {

const char* const kColumns[4] = {"Label3", "Label8", "Label4", "Label9"};  // full, last, new, first

QLabel* cell(const QWidget& w, int column, int row) {
    return w.findChild<QLabel*>(QStringLiteral("%1_%2").arg(QLatin1String(kColumns[column])).arg(row));
}

// The dates of each year of the table, and the printed pages of two of them.
TEST(AnnualWindow, ShowsAndPrintsTheYearsLunationsAndBlanksWhatIsNoDateOfThisCalendar) {
    for (const QStringList& c : readCases("ui/annual/years.tsv", 15)) {
        SCOPED_TRACE(('"' + c[0] + "\" row " + c[1]).toStdString());
        FakePlatform platform;
        Mondphasen w(platform, c[0]);
        EXPECT_EQ(
            w.windowTitle(),
            " Luno-Mat   (Vollmond, Halbmond abnehmend, Neumond, Halbmond zunehmend)   für das Kalenderjahr " + c[0]);
        EXPECT_TRUE(platform.events.empty());
        const int first = c[1] == "all" ? 0 : c[1].toInt(), last = c[1] == "all" ? 12 : first;
        for (int k = first; k <= last; ++k)
            for (int column = 0; column < 4; ++column) EXPECT_EQ(cell(w, column, k)->text(), c[2 + column]) << k;
        // The page as it comes on paper (the fake clock: 05.12.2026, 09:07); 9999
        // keeps the row of the blank cell at the width of the others.
        if (c[1] != "12" || (c[0] != "2024" && c[0] != "9999")) continue;
        w.findChild<QPushButton*>("Drucker")->click();
        EXPECT_EQ(matchesGolden(printedPage(platform.printOps), "ui/annual/printout-" + c[0] + ".txt"), "");
    }
}

// Each date and symbol is named by its phase; the dates stay on top of
// their cells; Escape and Enter neither close nor print.
TEST(AnnualWindow, NamesEachDateByItsPhaseAndKeepsKeysFromClosingOrPrinting) {
    FakePlatform platform;
    Mondphasen w(platform, "2024");
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(matchesGolden(controlsRecord(w), "ui/annual/controls-2024.txt"), "");
    const QString phases[4] = {"Vollmond", "Halbmond abnehmend", "Neumond", "Halbmond zunehmend"};
    for (int c = 0; c < 4; ++c) {
        // The symbol is the picture drawn inside the date's cell, left of it.
        EXPECT_EQ(w.childAt(cell(w, c, 5)->geometry().topLeft() + QPoint(-20, 8))->accessibleName(), phases[c]) << c;
        EXPECT_EQ(w.childAt(cell(w, c, 6)->geometry().center()), cell(w, c, 6));
    }
    for (QPushButton* focused : w.findChildren<QPushButton*>()) {  // OK and Drucken
        focused->setFocus();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(focused, key);
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(platform.count("printDialog"), 0);
    // Runs of pixels across the drawn frame, by the design's twips / 15: the
    // grey top bar (0 to 120) and the black lines along the top (y 130) and
    // the left (x 128); above and below the legend bar the light grey rules
    // (8370, 9120), the grey bars (8380, 9140, 90 high) and the black rules
    // (8510, 9240), every line 2 pixels wide. G grey, B black, L light grey,
    // D the dark grey behind.
    const QImage shot = w.grab().toImage();
    const QList<QColor> shades = {QColor(128, 128, 128), Qt::black, QColor(192, 192, 192), QColor(64, 64, 64)};
    EXPECT_EQ(pixelRun(shot, {300, 5}, {0, 1}, 7, "GBLD", shades), "GGGBBDD");
    EXPECT_EQ(pixelRun(shot, {5, 300}, {1, 0}, 7, "GBLD", shades), "GGGBBDD");
    EXPECT_EQ(pixelRun(shot, {300, 556}, {0, 1}, 13, "GBLD", shades), "DLLGGGGGGDBBD");
    EXPECT_EQ(pixelRun(shot, {300, 606}, {0, 1}, 12, "GBLD", shades), "DLLGGGGGGBBD");
}

}  // namespace lunomat::test
