#include <gtest/gtest.h>

#include <array>

#include "core/annual.h"
#include "core/calendar.h"

using namespace lunomat;
using namespace std::chrono;

namespace {

long long Days(year_month_day d) { return sys_days{d}.time_since_epoch().count(); }

std::array<std::string, 4> RowTexts(const AnnualPhaseRow& r) {
    return {DateText(r.fullMoon), DateText(r.lastQuarter), DateText(r.newMoon), DateText(r.firstQuarter)};
}

}  // namespace

TEST(AnnualTable, FixedRelationsHoldForEveryYear1900To2100) {
    for (int y = 1900; y <= 2100; ++y) {
        const AnnualPhaseTable t = computeAnnualPhaseTable(y);
        const long long jan1 = Days(year{y} / January / 1);
        const long long firstNew = Days(t[0].newMoon);
        ASSERT_GE(firstNew - jan1, 0) << y;
        ASSERT_LE(firstNew - jan1, 29) << y;
        for (std::size_t k = 0; k < t.size(); ++k) {
            const auto& r = t[k];
            ASSERT_TRUE(r.fullMoon.ok() && r.lastQuarter.ok() && r.newMoon.ok() && r.firstQuarter.ok());
            ASSERT_EQ(Days(r.lastQuarter) - Days(r.fullMoon), 8) << y << " row " << k;
            ASSERT_EQ(Days(r.newMoon) - Days(r.fullMoon), 15) << y << " row " << k;
            if (k + 1 < t.size()) {
                ASSERT_EQ(Days(t[k + 1].fullMoon) - Days(r.firstQuarter), 7) << y << " row " << k;
                const long long gap = Days(t[k + 1].newMoon) - Days(r.newMoon);
                ASSERT_TRUE(gap == 29 || gap == 30) << y << " row " << k << " gap " << gap;
            } else {
                // The next lunation starts 29 or 30 days after this new moon.
                const long long q = Days(r.firstQuarter) - Days(r.newMoon);
                ASSERT_TRUE(q == 7 || q == 8) << y;
            }
        }
    }
}

TEST(AnnualTable, WorkedRows) {
    struct Case {
        int year;
        std::size_t row;
        std::array<std::string, 4> dates;
    };
    const Case cases[] = {
        {2023, 0, {"06.01.2023", "14.01.2023", "21.01.2023", "29.01.2023"}},
        {2023, 1, {"05.02.2023", "13.02.2023", "20.02.2023", "27.02.2023"}},
        {2023, 12, {"27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"}},
        {2024, 0, {"27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024"}},
        {2024, 12, {"15.12.2024", "23.12.2024", "30.12.2024", "07.01.2025"}},
        {2052, 0, {"17.12.2051", "25.12.2051", "01.01.2052", "09.01.2052"}},
        {2052, 2, {"14.02.2052", "22.02.2052", "29.02.2052", "08.03.2052"}},
        {2052, 3, {"15.03.2052", "23.03.2052", "30.03.2052", "06.04.2052"}},
        {1911, 1, {"13.02.1911", "21.02.1911", "28.02.1911", "07.03.1911"}},
        {1911, 2, {"14.03.1911", "22.03.1911", "29.03.1911", "06.04.1911"}},
        {1910, 12, {"16.12.1910", "24.12.1910", "31.12.1910", "07.01.1911"}},
        {2100, 12, {"16.12.2100", "24.12.2100", "31.12.2100", "07.01.2101"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowTexts(computeAnnualPhaseTable(c.year)[c.row]), c.dates) << c.year << " row " << c.row;
}

TEST(AnnualTable, YearsOutsideTheRangeGiveNoDates) {
    for (int y : {-2147483647 - 1, -1, 0, 1582, 10000, 2147483647}) {
        for (const auto& r : computeAnnualPhaseTable(y)) EXPECT_FALSE(r.fullMoon.ok()) << y;
    }
    EXPECT_TRUE(computeAnnualPhaseTable(9999)[12].firstQuarter.ok());
    EXPECT_TRUE(computeAnnualPhaseTable(1583)[0].fullMoon.ok());
}

TEST(AnnualTable, PrintedHeaderAndRowsLineUp) {
    const std::string header = AnnualTableHeader();
    ASSERT_EQ(header.size(), 80u);
    const auto t = computeAnnualPhaseTable(2024);
    const auto texts = RowTexts(t[0]);
    const std::string row = AnnualTableRowText(texts[0], texts[1], texts[2], texts[3]);
    EXPECT_EQ(row, "  27.12.2023      |      04.01.2024     |     11.01.2024     |     18.01.2024");
    ASSERT_EQ(row.size(), 77u);
    for (std::size_t column : {18u, 40u, 61u}) {
        EXPECT_EQ(header[column], '|');
        EXPECT_EQ(row[column], '|');
    }
    EXPECT_EQ(std::count(header.begin(), header.end(), '|'), 3);
    EXPECT_EQ(std::count(row.begin(), row.end(), '|'), 3);
}
