#include <gtest/gtest.h>

#include <climits>

#include "core/annual.h"
#include "core/calendar.h"

using namespace lunomat;

// The rows themselves are checked through lunomat-cli's "year" output.
TEST(AnnualTable, OnlyForYearsWithFourDigits) {
    EXPECT_TRUE(computeAnnualPhaseTable(kFirstGregorianYear)[0].fullMoon.ok());
    EXPECT_TRUE(computeAnnualPhaseTable(kLastFourDigitYear)[12].firstQuarter.ok());
    for (int y : {INT_MIN, 0, 1582, 10000, INT_MAX})
        for (const auto& r : computeAnnualPhaseTable(y)) EXPECT_FALSE(r.fullMoon.ok()) << y;
}

TEST(AnnualTable, PrintedHeaderLinesUpWithTheRows) {
    const std::string header = AnnualTableHeader();
    ASSERT_EQ(header.size(), 80u);
    for (std::size_t column : {18u, 40u, 61u}) EXPECT_EQ(header[column], '|') << column;
}
