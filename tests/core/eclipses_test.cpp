#include <gtest/gtest.h>

#include <map>

#include "core/calendar.h"
#include "core/eclipses.h"

using namespace lunomat;
using namespace std::chrono;

TEST(Eclipses, CatalogueInvariants) {
    const auto& c = EclipseCatalogue();
    ASSERT_EQ(c.size(), 60u);
    EXPECT_EQ(c.front().date, 1987y / 4 / 14);
    EXPECT_EQ(c.back().date, 2030y / 12 / 9);
    std::map<EclipseKind, int> kinds;
    std::map<int, int> perYear;
    for (std::size_t i = 0; i < c.size(); ++i) {
        EXPECT_TRUE(c[i].date.ok()) << i;
        if (i > 0) {
            EXPECT_LT(sys_days{c[i - 1].date}, sys_days{c[i].date}) << i;
        }
        ++kinds[c[i].kind];
        ++perYear[static_cast<int>(c[i].date.year())];
    }
    EXPECT_EQ(kinds[EclipseKind::Total], 28);
    EXPECT_EQ(kinds[EclipseKind::Penumbral], 16);
    EXPECT_EQ(kinds[EclipseKind::Partial], 16);
    for (int empty : {1988, 1995, 2005, 2014}) EXPECT_EQ(perYear.count(empty), 0u) << empty;
    for (const auto& [y, n] : perYear) EXPECT_LE(n, y == 2028 ? 3 : 2) << y;
    EXPECT_EQ(perYear[2028], 3);
}

TEST(Eclipses, WindowTexts) {
    EXPECT_EQ(EclipseWindowText(0), "  14.04.1987  Halbschatten-Finsternis");
    EXPECT_EQ(EclipseWindowText(2), "  20.02.1989  Totale-Finsternis");
    EXPECT_EQ(EclipseWindowText(6), "  15.06.1992  Partielle-Finsternis");
    EXPECT_EQ(EclipseWindowText(59), "  09.12.2030  Halbschatten-Finsternis");
    for (int i = 0; i < kEclipseCount; ++i) {
        const auto n = EclipseWindowText(i).size();
        EXPECT_TRUE(n == 31 || n == 34 || n == 37) << i;
    }
}

TEST(Eclipses, PrintLines) {
    EXPECT_EQ(EclipsePrintLine(0), "14.04.1987  Halbschatten - Finsternis | 21.12.2010  Totale       - Finsternis");
    EXPECT_EQ(EclipsePrintLine(9), "25.05.1994  Partielle    - Finsternis | 07.08.2017  Partielle    - Finsternis");
    EXPECT_EQ(EclipsePrintLine(10), "18.11.1994  Halbschatten - Finsternis | 27.07.2018  Totale       - Finsternis");
    EXPECT_EQ(EclipsePrintLine(29), "31.12.2009  Partielle    - Finsternis | 09.12.2030  Halbschatten - Finsternis");
    for (int row = 0; row < kEclipsePrintRows; ++row) {
        const std::string line = EclipsePrintLine(row);
        ASSERT_EQ(line.size(), 77u) << row;
        EXPECT_EQ(line[38], '|') << row;
        // The printed cells name the same dates as the window texts.
        EXPECT_EQ(line.substr(0, 10), EclipseWindowText(row).substr(2, 10));
        EXPECT_EQ(line.substr(40, 10), EclipseWindowText(row + 30).substr(2, 10));
    }
}

TEST(Eclipses, OutOfRangeGivesEmpty) {
    for (int bad : {-1, 60, 1000, -2147483647 - 1, 2147483647}) EXPECT_EQ(EclipseWindowText(bad), "");
    for (int bad : {-1, 30, 59, 2147483647}) EXPECT_EQ(EclipsePrintLine(bad), "");
}
