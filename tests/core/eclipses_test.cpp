#include <gtest/gtest.h>

#include <map>

#include "core/calendar.h"
#include "core/eclipses.h"

using namespace lunomat;
using namespace std::chrono;

TEST(Eclipses, CatalogueInvariants) {
    const auto& c = EclipseCatalogue();
    std::map<EclipseKind, int> kinds;
    for (std::size_t i = 0; i < c.size(); ++i) {
        EXPECT_TRUE(c[i].date.ok() && (i == 0 || sys_days{c[i - 1].date} < sys_days{c[i].date})) << i;
        ++kinds[c[i].kind];
    }
    EXPECT_EQ(kinds, (std::map<EclipseKind, int>{
                         {EclipseKind::Total, 28}, {EclipseKind::Penumbral, 16}, {EclipseKind::Partial, 16}}));
    EXPECT_EQ(std::pair(FirstEclipseYear(), LastEclipseYear()), std::pair(1987, 2030));
}

TEST(Eclipses, WindowTextsAndPrintLines) {
    const std::pair<int, const char*> window[] = {
        {0, "  14.04.1987  Halbschatten-Finsternis"}, {2, "  20.02.1989  Totale-Finsternis"},
        {6, "  15.06.1992  Partielle-Finsternis"}, {59, "  09.12.2030  Halbschatten-Finsternis"}, {-1, ""}, {60, ""}};
    for (const auto& [i, text] : window) EXPECT_EQ(EclipseWindowText(i), text) << i;
    const std::pair<int, const char*> print[] = {
        {0, "14.04.1987  Halbschatten - Finsternis | 21.12.2010  Totale       - Finsternis"},
        {9, "25.05.1994  Partielle    - Finsternis | 07.08.2017  Partielle    - Finsternis"},
        {29, "31.12.2009  Partielle    - Finsternis | 09.12.2030  Halbschatten - Finsternis"},
        {-1, ""}, {30, ""}};
    for (const auto& [row, text] : print) EXPECT_EQ(EclipsePrintLine(row), text) << row;
}
