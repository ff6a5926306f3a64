#include <gtest/gtest.h>

#include "core/annual.h"

using namespace lunomat;

// The rows themselves are checked through lunomat-cli's "year" output, which
// years have a table by the display fuzz target on its stored inputs.
TEST(AnnualTable, PrintedHeaderLinesUpWithTheRows) {
    const std::string header = AnnualTableHeader();
    ASSERT_EQ(header.size(), 80u);
    for (std::size_t column : {18u, 40u, 61u}) EXPECT_EQ(header[column], '|') << column;
}
