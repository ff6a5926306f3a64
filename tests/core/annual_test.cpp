#include <gtest/gtest.h>

#include "core/annual.h"

using namespace lunomat;

// The printout's header and every row have their bars in the same three
// columns (the 19th, 41st and 62nd character) and nowhere else, with one
// date in each of the four cells. The rows' dates are checked through
// lunomat-cli's "year" output, which years have a table by the display fuzz
// target on its stored inputs.
TEST(AnnualTable, PrintedHeaderAndRowsShareTheirBars) {
    const std::string header = AnnualTableHeader();
    const std::string row = AnnualTableRowText("25.01.2024", "02.02.2024", "09.02.2024", "16.02.2024");
    EXPECT_EQ(header.size(), 80u);
    EXPECT_EQ(row.size(), 77u);
    for (const std::string& line : {header, row}) {
        std::vector<std::size_t> bars;
        for (std::size_t i = line.find('|'); i != std::string::npos; i = line.find('|', i + 1)) bars.push_back(i);
        EXPECT_EQ(bars, (std::vector<std::size_t>{18, 40, 61})) << line;
    }
    const std::size_t cells[] = {0, 19, 41, 62, 77};
    const char* dates[] = {"25.01.2024", "02.02.2024", "09.02.2024", "16.02.2024"};
    for (int c = 0; c < 4; ++c) EXPECT_NE(row.substr(cells[c], cells[c + 1] - cells[c]).find(dates[c]), std::string::npos) << c;
}
