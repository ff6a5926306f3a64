#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <tuple>

#include "core/moon.h"

using namespace lunomat;
using namespace std::chrono;

static MoonState StateOn(year_month_day d) {
    return ComputeMoonState(JulianDayFromDate(int(unsigned(d.day())), int(unsigned(d.month())), int(d.year())));
}

// The texts of these days are checked through lunomat-cli's "phase" output.
TEST(MoonState, PhaseDays) {
    const std::tuple<year_month_day, int, const char*> cases[] = {
        {2000y / 1 / 6, 29, "/mondgif/mond-15.gif"}, {2026y / 1 / 2, 13, "/mondgif/mond-28.gif"},
        {2026y / 1 / 3, 14, "/mondgif/mond-01.gif"}, {2026y / 1 / 17, 28, "/mondgif/mond-14.gif"},
        {2026y / 1 / 18, 0, "/mondgif/mond-15.gif"}, {2026y / 1 / 11, 22, "/mondgif/mond-08.gif"}};
    for (const auto& [date, ageDay, picture] : cases) {
        EXPECT_EQ(AgeDay(StateOn(date)), ageDay) << DateText(date);
        EXPECT_EQ(PicturePath(ageDay), picture) << DateText(date);
    }
    EXPECT_EQ(PhaseText(15, 2026y / 12 / 30), "abnehmend - noch 14 Tage bis Neumond  ( am 13.01.2027 )");
    // Days 19 and 20 share a picture; the 28 pictures are all used.
    std::set<int> used;
    for (int a = 0; a <= 29; ++a) used.insert(PictureNumber(a));
    EXPECT_EQ(used.size(), 28u);
    EXPECT_EQ(PictureNumber(19), PictureNumber(20));
    for (int bad : {-1, 30, INT_MIN})
        EXPECT_EQ(PicturePath(bad) + PhaseShortName(bad) + PhaseText(bad, 2009y / 7 / 29), "") << bad;
    EXPECT_EQ(PhaseText(7, 2009y / 2 / 30), "");
}

TEST(MoonState, AgeDayBoundaries) {
    const std::pair<double, int> cases[] = {{0.0, 0},   {0.999, 0},   {13.999, 13}, {14.0, 14}, {28.99, 28},
                                            {29.0, 29}, {29.529, 29}, {-0.5, 0},    {40.0, 29}, {NAN, 0}};
    for (const auto& [age, day] : cases) EXPECT_EQ(AgeDay(MoonState{.age = age}), day) << age;
    EXPECT_EQ(AgeDay(ComputeMoonState(INFINITY)), 0);
}

TEST(MoonState, EveryDate1900To2100StaysInsideItsRanges) {
    std::set<double> distances;
    std::set<int> ageDays;
    for (sys_days day{1900y / 1 / 1}; day <= sys_days{2100y / 12 / 31}; day += days{1}) {
        const MoonState s = StateOn(year_month_day{day});
        ASSERT_TRUE(s.phaseFraction >= 0.0 && s.phaseFraction < 1.0 && s.age >= 0.0 && s.age < 29.53);
        ASSERT_TRUE(s.distanceEarthRadii >= 56.0 && s.distanceEarthRadii <= 63.8 &&
                    std::fabs(s.eclipticLatitude) <= 5.1);
        ASSERT_TRUE(s.eclipticLongitude >= -8.3 && s.eclipticLongitude <= 368.3) << DateText(year_month_day{day});
        distances.insert(DistanceKm(s.distanceEarthRadii));
        ageDays.insert(AgeDay(s));
    }
    EXPECT_EQ(ageDays.size(), 30u);
    EXPECT_EQ(distances,
              (std::set<double>{356580, 362947.5, 369315, 375682.5, 382050, 388417.5, 394785, 401152.5, 407520}));
}
