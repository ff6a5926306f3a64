#include <gtest/gtest.h>

#include "core/eclipses.h"

using namespace lunomat;
using namespace std::chrono;

// The kind of every row is checked against the computed eclipses in the sky
// tests, its day by the moon age in the moon tests.
TEST(Eclipses, CatalogueInOrderAndItsYears) {
    const auto& c = EclipseCatalogue();
    ASSERT_EQ(c.size(), 60u);
    for (std::size_t i = 0; i < c.size(); ++i)
        EXPECT_TRUE(c[i].date.ok() && (i == 0 || sys_days{c[i - 1].date} < sys_days{c[i].date})) << i;
    EXPECT_EQ(std::pair(FirstEclipseYear(), LastEclipseYear()), std::pair(1987, 2030));
}

// The texts themselves are checked in the eclipse window and its printout,
// that rows outside the catalogue have none by the display fuzz target.
TEST(Eclipses, LastRowsOfWindowAndPrintout) {
    EXPECT_EQ(EclipseWindowText(59), "  09.12.2030  Halbschatten-Finsternis");
    EXPECT_EQ(EclipsePrintLine(29), "31.12.2009  Partielle    - Finsternis | 09.12.2030  Halbschatten - Finsternis");
}
