// The annual phase window as its user sees it: the dates of the year, the
// cells left blank, the names a screen reader announces, and the printout.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "testsupport/fake_platform.h"
#include "testsupport/golden.h"
#include "ui/annual/mondphasen.h"

namespace lunomat::test {
namespace {

const char* const kColumns[4] = {"Label3", "Label8", "Label4", "Label9"};  // full, last, new, first

QLabel* cell(const QWidget& w, int column, int row) {
    return w.findChild<QLabel*>(QStringLiteral("%1_%2").arg(QLatin1String(kColumns[column])).arg(row));
}

QStringList rowTexts(const QWidget& w, int row) {
    QStringList texts;
    for (int c = 0; c < 4; ++c) texts << cell(w, c, row)->text();
    return texts;
}

TEST(AnnualWindow, ShowsTheYearsLunationsAndBlanksWhatIsNoDateOfThisCalendar) {
    const struct {
        QString year;
        int row;
        QStringList dates;
    } cases[] = {
        {"2023", 0, {"06.01.2023", "14.01.2023", "21.01.2023", "29.01.2023"}},
        {"2024", 0, {"27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"}},
        {"2024", 12, {"15.12.2024", "23.12.2024", "30.12.2024", "07.01.2025"}},
        {"2100", 12, {"16.12.2100", "24.12.2100", "31.12.2100", "07.01.2101"}},
        // The first quarter after the last new moon of 9999 falls in 10000.
        {"9999", 12, {"16.12.9999", "24.12.9999", "31.12.9999", ""}},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        Mondphasen w(platform, c.year);
        EXPECT_EQ(w.windowTitle(),
                  " Luno-Mat   (Vollmond, Halbmond abnehmend, Neumond, Halbmond zunehmend)   für das Kalenderjahr " +
                      c.year);
        EXPECT_EQ(rowTexts(w, c.row), c.dates) << c.year.toStdString() << " row " << c.row;
        EXPECT_TRUE(platform.events.empty());
    }
    for (const QString text : {"", "20", "abc", "1582", "10000", "1850.5", " 2024", "-2024", "2O24", "02024"}) {
        FakePlatform platform;
        Mondphasen w(platform, text);
        for (int k = 0; k < 13; ++k) EXPECT_EQ(rowTexts(w, k), QStringList(4, QString())) << text.toStdString();
    }
}

// Each date and symbol is named by its phase; the dates stay on top of
// their cells; Escape and Enter neither close nor print.
TEST(AnnualWindow, NamesEachDateByItsPhaseAndKeepsKeysFromClosingOrPrinting) {
    FakePlatform platform;
    platform.folder = assetFolder();
    Mondphasen w(platform, "2024");
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QString phases[4] = {"Vollmond", "Halbmond abnehmend", "Neumond", "Halbmond zunehmend"};
    EXPECT_EQ(cell(w, 0, 1)->accessibleName(), "Vollmond 25.01.2024");
    EXPECT_EQ(cell(w, 3, 12)->accessibleName(), "Halbmond zunehmend 07.01.2025");
    for (int c = 0; c < 4; ++c) {
        // The symbol is the picture drawn inside the date's cell, left of it.
        const QPoint symbolSpot = cell(w, c, 5)->geometry().topLeft() + QPoint(-20, 8);
        EXPECT_EQ(w.childAt(symbolSpot)->accessibleName(), phases[c]) << c;
        EXPECT_TRUE(cell(w, c, 5)->accessibleName().startsWith(phases[c] + ' '));
        EXPECT_EQ(w.childAt(cell(w, c, 6)->geometry().center()), cell(w, c, 6));
    }
    for (const char* button : {"Command1", "Drucker"}) {
        QPushButton* focused = w.findChild<QPushButton*>(button);
        focused->setFocus();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(focused, key);
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(platform.count("printDialog"), 0);
}

// The whole page, call by call, as recorded by the fake printer; 9999 keeps
// the row of the blank cell at the width of the others.
TEST(AnnualPrintout, PagesMatchTheirRecording) {
    for (const QString year : {"2024", "9999"}) {
        FakePlatform platform;  // 05.12.2026, 09:07
        Mondphasen w(platform, year);
        w.findChild<QPushButton*>("Drucker")->click();
        EXPECT_EQ(matchesGolden(platform.printOpTexts(), "ui/annual/printout-" + year + ".txt"), "");
    }
}

}  // namespace
}  // namespace lunomat::test
