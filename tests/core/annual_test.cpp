#include <gtest/gtest.h>

#include <vector>

#include "core/annual.h"

using namespace lunomat;

// In the monospaced font of the printout the header and every row have their
// bars in the same three columns (the 19th, 41st and 62nd character) and
// nowhere else; a row is 77 characters long with each date in its cell.
TEST(AnnualTable, PrintedHeaderAndRowsShareTheirBars) {
    const std::string header = AnnualTableHeader();
    const std::string row = AnnualTableRowText("27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024");
    ASSERT_EQ(header.size(), 80u);
    ASSERT_EQ(row.size(), 77u);
    for (const std::string& line : {header, row}) {
        std::vector<std::size_t> bars;
        for (std::size_t i = line.find('|'); i != std::string::npos; i = line.find('|', i + 1)) bars.push_back(i);
        EXPECT_EQ(bars, (std::vector<std::size_t>{18, 40, 61})) << line;
    }
    EXPECT_EQ(row.substr(2, 10) + row.substr(25, 10) + row.substr(46, 10) + row.substr(67),
              "27.12.202304.01.202411.01.202418.01.2024");
}
