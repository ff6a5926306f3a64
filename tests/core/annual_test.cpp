#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "core/annual.h"
#include "core/calendar.h"

using namespace lunomat;

static std::array<std::string, 4> RowTexts(const AnnualPhaseRow& r) {
    return {DateText(r.fullMoon), DateText(r.lastQuarter), DateText(r.newMoon), DateText(r.firstQuarter)};
}

TEST(AnnualTable, WorkedRows) {
    struct Case { int year; std::size_t row; std::array<std::string, 4> dates; };
    const Case cases[] = {
        {2023, 0, {"06.01.2023", "14.01.2023", "21.01.2023", "29.01.2023"}},
        {2023, 12, {"27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"}},
        {2024, 0, {"27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"}},
        {2052, 2, {"14.02.2052", "22.02.2052", "29.02.2052", "08.03.2052"}},
        {1911, 1, {"13.02.1911", "21.02.1911", "28.02.1911", "07.03.1911"}},
        {1910, 12, {"16.12.1910", "24.12.1910", "31.12.1910", "07.01.1911"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowTexts(computeAnnualPhaseTable(c.year)[c.row]), c.dates) << c.year << " row " << c.row;
    EXPECT_TRUE(computeAnnualPhaseTable(kFirstGregorianYear)[0].fullMoon.ok());
    EXPECT_TRUE(computeAnnualPhaseTable(kLastFourDigitYear)[12].firstQuarter.ok());
    for (int y : {INT_MIN, 0, 1582, 10000, INT_MAX})
        for (const auto& r : computeAnnualPhaseTable(y)) EXPECT_FALSE(r.fullMoon.ok()) << y;
}

TEST(AnnualTable, PrintedHeaderAndRowsLineUp) {
    const std::string header = AnnualTableHeader();
    EXPECT_EQ(AnnualTableRowText("27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"),
              "  27.12.2023      |      04.01.2024     |     11.01.2024     |     18.01.2024");
    ASSERT_EQ(header.size(), 80u);
    for (std::size_t column : {18u, 40u, 61u}) EXPECT_EQ(header[column], '|') << column;
}
