#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/annual.h"
#include "core/display.h"
#include "core/eclipses.h"
#include "core/moon.h"

using namespace lunomat;
using namespace std::chrono;

// The worked example of the moon model, from the Julian day to the picture;
// its lines are checked through lunomat-cli's "phase" output.
TEST(Display, WorkedExample29July2009) {
    const MoonState s = ComputeMoonState(JulianDayFromDate(29, 7, 2009));
    const double got[] = {s.phaseFraction, s.age, s.distanceEarthRadii, s.eclipticLatitude, s.eclipticLongitude};
    const double want[] = {0.24688012, 7.29037, 61.51003, -5.073847, 222.955989};
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(got[i], want[i], 1e-5) << i;
    const MoonDisplay d = BuildMoonDisplay(2009y / 7 / 29);
    EXPECT_EQ(d.picturePath, "/mondgif/mond-22.gif");
    EXPECT_EQ(d.ageDay, 7);
}

TEST(Display, NegativeLongitudeHalfKilometresAndImpossibleDate) {
    EXPECT_EQ(BuildMoonDisplay(2026y / 1 / 23).longitudeLine, "Ekliptischer Längengrad:     -1,05 °");
    EXPECT_EQ(KilometreText(362947.5), "362947,5");
    const MoonDisplay none = BuildMoonDisplay(2009y / 4 / 31);
    EXPECT_EQ(none.dateLine + none.phaseText + none.picturePath, "");
}

TEST(GermanDecimal, RoundsHalvesAwayFromZeroOnTheExactValue) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {0.125, 2, "0,13"}, {-2.5, 0, "-3"},   {0.375, 2, "0,38"},  {1.005, 2, "1,00"},  // 1.00499999999999989...
        {9.995, 2, "9,99"}, {99.999, 2, "100,00"}, {1e20, 0, "100000000000000000000"}, {123.456, -3, "123"},
        // Values that round to zero carry no sign; non-finite values give nothing.
        {-0.001, 2, "0,00"}, {-0.4, 0, "0"},   {NAN, 2, ""},        {-INFINITY, 0, ""},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(GermanDecimal(c.value, c.decimals), c.text) << c.value;
}

// The texts themselves are checked in the eclipse window and its printout,
// that rows outside the catalogue have none by the display fuzz target.
TEST(Eclipses, LastRowsOfWindowAndPrintout) {
    EXPECT_EQ(EclipseWindowText(59), "  09.12.2030  Halbschatten-Finsternis");
    EXPECT_EQ(EclipsePrintLine(29), "31.12.2009  Partielle    - Finsternis | 09.12.2030  Halbschatten - Finsternis");
}

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
