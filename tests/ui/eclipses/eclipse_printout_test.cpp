// The eclipse printout: what reaches the printer in which order, the print
// command's wiring, and the text on real paper.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "core/eclipses.h"
#include "testsupport/fake_platform.h"
#include "testsupport/pdf_platform.h"
#include "ui/eclipses/mondfinsternisse.h"

namespace lunomat::test {
namespace {

TEST(EclipsePrintout, WholePageFromTheCatalogue) {
    FakePlatform platform;  // 05.12.2026, 09:07
    Mondfinsternisse w(platform);
    // The table comes from the catalogue, not from what the cells show.
    for (QLabel* cell : w.Label2) cell->setText(QStringLiteral("  01.01.1900  nichts"));
    w.Drucker_Click();
    QStringList expected = {
        "font Arial", "size 19", "layout -1200 -100", "layout 1200 100", "line " + QString(51, ' '), "line ",
        "bold 1", "underline 1", "line Übersicht aller Mondfinsternisse von 1987 bis 2030", "underline 0", "bold 0",
        "size 10", "layout -1200 100", "line ",
        "line Druckdatum:    05.12.2026  (9.07 Uhr)           für Datenausdruck  -  Luno-Mat   V. 1.0.5",
        "line ", "line Die Luno-Mat erfolgt nach der Theorie von Bradley E. Schaefer.", "line ", "line ",
        "underline 1", "bold 1",
        "line Die Mondfinsternisse - hierzu einige Informationen betreffs der Bezeichnung:", "underline 0", "bold 0",
        "line ",
        "line In den nachfolgend angegebenen Mondfinsternisterminen finden Sie drei Mondfinsternis-Definitionen:",
        "line ",
        "line   1. Totale-Finsternis          - Der Mond wird vom Kernschatten der Erde zu 100% verdeckt.",
        "line   2. Halschatten-Finsternis - Der Mond wird nur noch vom Halbschttenbereich der Erde verdeckt.",
        "line   3. Partitionelle-Finsternis - Der Mond wird nur teilweise durch den Kernschatten der Erde verdeckt.",
        "line ",
        "line Eine Totale- und Partielle-Mondfinsternis ist zugleich immer auch eine Halbschatten-Mondfinsternis.",
        "line In einem Kalenderjahr können auf der Erde 2 bis maximal 5 Mondfinsternisse stattfinden.",
        "line Bei einer Totale-Mondfinsternis treten verschiedene Helligkeits- und Farbbereiche auf.",
        "line ", "line ",
        "font Arial", "size 14", "bold 1", "underline 1",
        "line Nachfolgend alle Mondfinsternistermine in Mitteleuropa (BRD):", "underline 0", "bold 0", "line ",
        "font Courier New", "size 10", "bold 0", "underline 0",
    };
    // Three groups of ten rows, a blank line of the rows' width between them.
    for (int row = 0; row < kEclipsePrintRows; ++row) {
        if (row == 10 || row == 20) expected << "line " + QString(77, ' ');
        expected << "line " + QString::fromStdString(EclipsePrintLine(row));
    }
    expected << "line " << "rule 9400" << "line " << "font Arial" << "size 10"
             << "line Die genaue Uhrzeit vom Beginn und vom Ende der Mondfinsternis entnehmen Sie bitte an den Tagen"
             << "line vor dem Ereignis der örtlichen Presse - bzw. Rundfunk oder Fernsehen.";
    for (int i = 0; i < 7; ++i) expected << "line ";
    expected << "size 4" << "line  Luno-Mat - Version 1.0.5  © 2007-2026 Luno-Mat" << "end";

    EXPECT_EQ(platform.printOpTexts(), expected);
    EXPECT_TRUE(platform.printedLines().contains(
        "14.04.1987  Halbschatten - Finsternis | 21.12.2010  Totale       - Finsternis"));
}

TEST(EclipsePrintout, RunsThroughThePrintFrameWithItsOwnTwoButtons) {
    FakePlatform platform;
    Mondfinsternisse w(platform);
    bool offInDialog = false;
    platform.onPrintDialog = [&] { offInDialog = !w.cmdOK->isEnabled() && !w.Drucker->isEnabled(); };
    platform.failAtPrintOp = 3;
    w.Drucker_Click();
    EXPECT_TRUE(offInDialog);
    EXPECT_EQ(platform.kinds(), QStringList({"printDialog", "box"}));
    EXPECT_TRUE(w.cmdOK->isEnabled() && w.Drucker->isEnabled());
}

TEST(EclipsePrintout, HeadingAndAllRowsReachThePaper) {
    PdfPlatform platform;
    Mondfinsternisse w(platform);
    w.Drucker_Click();
    ASSERT_EQ(platform.count("box"), 0);
    const QString text = platform.text();
    EXPECT_TRUE(text.contains("Übersicht aller Mondfinsternisse von 1987 bis 2030")) << text.toStdString();
    for (int row = 0; row < kEclipsePrintRows; ++row)
        EXPECT_TRUE(text.contains(squeezed(QString::fromStdString(EclipsePrintLine(row))))) << row;
}

}  // namespace
}  // namespace lunomat::test
