// The annual phase window: its table, its year handling and its printout.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "testsupport/fake_platform.h"
#include "testsupport/pdf_platform.h"
#include "ui/annual/mondphasen.h"

namespace lunomat::test {
namespace {

QStringList row(const Mondphasen& w, int k) {
    return {w.Label3[k]->text(), w.Label8[k]->text(), w.Label4[k]->text(), w.Label9[k]->text()};
}

QStringList allCells(const Mondphasen& w) {
    QStringList cells;
    for (int k = 0; k < Mondphasen::kRows; ++k) cells << row(w, k);
    return cells;
}

const QString kCaption =
    QStringLiteral(" Luno-Mat   (Vollmond, Halbmond abnehmend, Neumond, Halbmond zunehmend)   für das Kalenderjahr ");

TEST(AnnualWindow, ShowsTheYearsLunations) {
    struct Case {
        QString year;
        int row;
        QStringList dates;
    };
    const Case cases[] = {
        {"2023", 0, {"06.01.2023", "14.01.2023", "21.01.2023", "29.01.2023"}},
        {"2023", 1, {"05.02.2023", "13.02.2023", "20.02.2023", "27.02.2023"}},
        {"2023", 12, {"27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"}},
        {"2024", 0, {"27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"}},
        {"2024", 12, {"15.12.2024", "23.12.2024", "30.12.2024", "07.01.2025"}},
        {"2100", 12, {"16.12.2100", "24.12.2100", "31.12.2100", "07.01.2101"}},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        Mondphasen w(platform, c.year);
        EXPECT_EQ(w.windowTitle(), kCaption + c.year);
        EXPECT_EQ(row(w, c.row), c.dates) << c.year.toStdString() << " row " << c.row;
        EXPECT_TRUE(platform.events.empty());
    }
}

TEST(AnnualWindow, TextsThatAreNoYearLeaveTheCellsEmpty) {
    for (const QString text : {"", "20", "abc", "1582", "10000", "1850.5", " 2024", "-2024", "2O24"}) {
        FakePlatform platform;
        Mondphasen w(platform, text);
        EXPECT_EQ(w.windowTitle(), kCaption + text);
        for (const QString& cell : allCells(w)) EXPECT_TRUE(cell.isEmpty()) << text.toStdString();
        EXPECT_TRUE(platform.events.empty());
    }
    // The outermost years the calendar covers are computed like any other.
    for (const QString text : {"1583", "9999"}) {
        FakePlatform platform;
        Mondphasen w(platform, text);
        EXPECT_EQ(w.Label4[0]->text().right(4), text);  // the year's first new moon
        for (const QString& cell : allCells(w)) EXPECT_FALSE(cell.isEmpty()) << text.toStdString();
    }
}

TEST(AnnualWindow, DatesLieAboveSymbolsAbovePanels) {
    FakePlatform platform;
    Mondphasen w(platform, "2024");
    for (int i : {0, 6, 12}) {
        struct Cell {
            QLabel* date;
            QLabel* symbol;
            QLabel* panel;
        };
        for (const Cell& c : {Cell{w.Label3[i], w.Image1[i], w.Label2[2 * i]}, Cell{w.Label8[i], w.Image3[i], w.Label6[i]},
                              Cell{w.Label4[i], w.Image2[i], w.Label2[2 * i + 1]}, Cell{w.Label9[i], w.Image4[i], w.Label7[i]}}) {
            EXPECT_EQ(w.childAt(c.date->geometry().center()), c.date);
            EXPECT_EQ(w.childAt(c.symbol->geometry().center()), c.symbol);
            EXPECT_EQ(w.childAt(c.panel->geometry().bottomRight() - QPoint(3, 3)), c.panel);
            EXPECT_TRUE(c.panel->geometry().contains(c.date->geometry()));
            EXPECT_TRUE(c.panel->geometry().contains(c.symbol->geometry()));
        }
    }
    EXPECT_EQ(w.childAt(w.Label10[2]->geometry().center()), w.Label10[2]);
    EXPECT_EQ(w.childAt(w.Label1->geometry().topLeft() + QPoint(3, 100)), w.Label1);
}

TEST(AnnualWindow, EscapeAndEnterNeitherCloseNorPrint) {
    FakePlatform platform;
    Mondphasen w(platform, "2024");
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (QPushButton* focused : {w.Command1, w.Drucker}) {
        focused->setFocus();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(focused, key);
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(platform.count("printDialog"), 0);
}

TEST(AnnualPrintout, WholePageFor2024) {
    FakePlatform platform;  // 05.12.2026, 09:07
    Mondphasen w(platform, "2024");
    w.Drucker_Click();
    QStringList expected = {
        "font Arial", "size 19", "layout -1200 -100", "layout 1200 100",
        "line " + QString(51, ' '), "line ",
        "bold 1", "underline 1", "line Übersicht aller Mondphasen für das Kalenderjahr 2024", "bold 0", "underline 0",
        "layout -1200 100",
        "size 10", "line ",
        "line Druckdatum:    05.12.2026  (9.07 Uhr)           für Datenausdruck  -  Luno-Mat   Variante 1.0.5",
        "line ", "line Die Luno-Mat erfolgt nach der Theorie von Bradley E. Schaefer.", "line ", "line ",
        "bold 1", "underline 1",
        "line Die Mondphasen - hierzu einige grundlegende theoretischer Erläuterungen zum Berechnungsablauf:",
        "bold 0", "underline 0", "line ",
        "line Zur Luno-Mat ist es nötig, das Verhältnis zwischen Erde und Mond unabhängig von jahres-",
        "line zeitlichen Schwankungen zu betrachten. Die Berechnung kann deshalb die für uns normalerweise üblichen",
        "line en Sonnen- und Mondtage nicht verwenden, welche durch die Drehung der Himmelskörper umeinander de-",
        "line finiert sind, sich also von Tag zu Tag leicht unterscheiden.",
        "line Stattdessen werden die Himmelskörper aus der Sicht der Fixsterne betrachtet. Solche Berechnungen be-",
        "line zeichnet man im englischen Sprachgebrauch als sidereal (im deutschen: siderisch).",
        "line Eine siderische Erdumdrehung dauert damit unabhängig zu Jahreszeiten und  Stellung der Himmelskörper",
        "line zueinander immer 23 Stunden, 56 Minuten und 4,1 Sekunden.",
        "line Auch die Drehung des Mondes kann dabei astronomisch berechnet werden, indem man den Schnittpunkt",
        "line des Mondorbits mit dem Erdorbit betrachtet und ausrechnet, wie lange es  für den Mond dauert, um ein und",
        "line den selben Schnittpunkt wieder zu erreichen.",
        "line Dabei handelt es sich um einen Zeitraum von  genau  27,212220 Tagen, wieder ein konstanter Wert, der im",
        "line Englischen die Draconic Phase (zu deutsch: Drakonische Phase) genannt wird.",
        "line ",
        "line Mit den Ergebnissen in dieser Tabelle können die Mondphasen schnell und einfach in selbst gefertigte Jah-",
        "line reskalender bzw. anderweitige Dokumente übertragen werden.",
        "line ", "line ",
        "font Arial", "size 14", "bold 1", "underline 1",
        "line Alle Mondphasentermine des eingegebenen Kalenderjahres:", "bold 0", "underline 0",
        "font Courier New", "size 10", "line ",
        "line  Vollmondphase    |    Halbmond, abn.   |    Neumondphase    |    Halbmond, zun.",
        "bold 1", "rule 9800", "line ",
    };
    for (int k = 0; k < 13; ++k) {
        const QStringList d = row(w, k);
        expected << "line   " + d[0] + "      |      " + d[1] + "     |     " + d[2] + "     |     " + d[3];
    }
    expected << "line " << "rule 9800" << "line " << "bold 0" << "font Arial" << "size 10"
             << "line Grundlage dieser Ergebnisse ist das im Startfenster des Programms eingetragene Kalenderjahr.";
    for (int i = 0; i < 16; ++i) expected << "line ";
    expected << "size 4" << "line  Luno-Mat - Version 1.0.5  © 2007-2026 Luno-Mat" << "end";

    EXPECT_EQ(platform.printOpTexts(), expected);
    EXPECT_TRUE(platform.printedLines().contains(
        "  27.12.2023      |      04.01.2024     |     11.01.2024     |     18.01.2024"));
}

TEST(AnnualPrintout, RunsThroughThePrintFrameWithItsOwnTwoButtons) {
    FakePlatform platform;
    Mondphasen w(platform, "2024");
    bool offInDialog = false;
    platform.onPrintDialog = [&] { offInDialog = !w.Drucker->isEnabled() && !w.Command1->isEnabled(); };
    platform.failAtPrintOp = 3;
    w.Drucker_Click();
    EXPECT_TRUE(offInDialog);
    EXPECT_EQ(platform.kinds(), QStringList({"printDialog", "box"}));
    EXPECT_TRUE(w.Drucker->isEnabled() && w.Command1->isEnabled());
}

TEST(AnnualPrintout, HeadingAndAllRowsReachThePaper) {
    PdfPlatform platform;
    Mondphasen w(platform, "2024");
    w.Drucker_Click();
    ASSERT_EQ(platform.count("box"), 0);
    const QString text = platform.text();
    EXPECT_TRUE(text.contains("Übersicht aller Mondphasen für das Kalenderjahr 2024")) << text.toStdString();
    for (int k = 0; k < Mondphasen::kRows; ++k) {
        const QStringList d = row(w, k);
        EXPECT_TRUE(text.contains(squeezed(QString(" %1 | %2 | %3 | %4").arg(d[0], d[1], d[2], d[3])))) << k;
    }
    EXPECT_TRUE(text.contains("Luno-Mat - Version 1.0.5"));
}

}  // namespace
}  // namespace lunomat::test
