#include <gtest/gtest.h>

#include "core/annual.h"

using namespace lunomat;

// In the monospaced font the bars of every row stand under those of the
// header: the 19th, 41st and 62nd character; a row is 77 characters long.
TEST(AnnualTable, PrintedHeaderLinesUpWithTheRows) {
    const std::string header = AnnualTableHeader();
    const std::string row = AnnualTableRowText("27.12.2023", "04.01.2024", "11.01.2024", "18.01.2024");
    ASSERT_EQ(header.size(), 80u);
    ASSERT_EQ(row.size(), 77u);
    for (std::size_t column : {18u, 40u, 61u}) {
        EXPECT_EQ(header[column], '|') << column;
        EXPECT_EQ(row[column], '|') << column;
    }
    EXPECT_EQ(row.substr(2, 10) + row.substr(25, 10) + row.substr(46, 10) + row.substr(67),
              "27.12.202304.01.202411.01.202418.01.2024");
}
