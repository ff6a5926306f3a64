#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/display.h"
#include "core/moon.h"

using namespace lunomat;
using namespace std::chrono;

// The eclipse and annual table texts are held character for character by the
// eclipse and annual windows' recordings and their printouts.

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
    // clang-format off
    const std::tuple<double, int, const char*> cases[] = {
        {0.125, 2, "0,13"}, {-2.5, 0, "-3"},   {0.375, 2, "0,38"},  {1.005, 2, "1,00"},  // 1.00499999999999989...
        {9.995, 2, "9,99"}, {99.999, 2, "100,00"}, {1e20, 0, "100000000000000000000"}, {123.456, -3, "123"},
        // Values that round to zero carry no sign; non-finite values give nothing.
        {-0.001, 2, "0,00"}, {-0.4, 0, "0"},   {NAN, 2, ""},        {-INFINITY, 0, ""},
    };
    // clang-format on
    for (const auto& [value, decimals, text] : cases) EXPECT_EQ(GermanDecimal(value, decimals), text) << value;
}
