#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "core/moon.h"

using namespace lunomat;
using namespace std::chrono;

namespace {

MoonState StateOn(year_month_day d) {
    return ComputeMoonState(JulianDayFromDate(static_cast<int>(static_cast<unsigned>(d.day())),
                                              static_cast<int>(static_cast<unsigned>(d.month())),
                                              static_cast<int>(d.year())));
}

}  // namespace

TEST(MoonState, WorkedExample29July2009) {
    const MoonState s = ComputeMoonState(2455042.0);
    EXPECT_NEAR(s.phaseFraction, 0.24688012, 1e-8);
    EXPECT_NEAR(s.age, 7.29037, 1e-5);
    EXPECT_NEAR(s.distanceEarthRadii, 61.51003, 1e-5);
    EXPECT_NEAR(s.eclipticLatitude, -5.073847, 1e-6);
    EXPECT_NEAR(s.eclipticLongitude, 222.955989, 1e-6);
    EXPECT_EQ(AgeDay(s), 7);
    EXPECT_EQ(DistanceKm(s.distanceEarthRadii), 394785.0);
}

TEST(MoonState, LongitudeIsNotWrapped) {
    EXPECT_NEAR(StateOn(2026y / 1 / 23).eclipticLongitude, -1.0534, 1e-4);
}

TEST(MoonState, WorkedPhaseDays) {
    struct Case {
        year_month_day date;
        int ageDay;
        const char* shortName;
        const char* text;
        int picture;
    };
    const Case cases[] = {
        {2000y / 1 / 6, 29, "Neumond", "Neumond (new moon)", 15},
        {2009y / 7 / 29, 7, "Halbmond zunehmend",
         "zunehmend - noch 7 Tage bis Vollmond  ( am 05.08.2009 )", 22},
        {2026y / 1 / 2, 13, "zunehmender Mond",
         "zunehmend - noch 1 Tag bis Vollmond  ( am 03.01.2026 )", 28},
        {2026y / 1 / 3, 14, "Vollmond", "Vollmond (full moon)", 1},
        {2026y / 1 / 17, 28, "abnehmender Mond",
         "abnehmend - noch 1 Tag bis Neumond  ( am 18.01.2026 )", 14},
        {2026y / 1 / 18, 0, "Neumond", "Neumond (new moon)", 15},
    };
    for (const auto& c : cases) {
        const int a = AgeDay(StateOn(c.date));
        EXPECT_EQ(a, c.ageDay) << DateText(c.date);
        EXPECT_EQ(PhaseShortName(a), c.shortName) << DateText(c.date);
        EXPECT_EQ(PhaseText(a, c.date), c.text) << DateText(c.date);
        EXPECT_EQ(PictureNumber(a), c.picture) << DateText(c.date);
    }
}

TEST(MoonState, CountdownUnitsAndTargets) {
    const year_month_day d0 = 2009y / 7 / 29;
    EXPECT_EQ(PhaseText(1, d0), "zunehmend - noch 13 Tage bis Vollmond  ( am 11.08.2009 )");
    EXPECT_EQ(PhaseText(15, d0), "abnehmend - noch 14 Tage bis Neumond  ( am 12.08.2009 )");
    EXPECT_EQ(PhaseText(22, d0), "abnehmend - noch 7 Tage bis Neumond  ( am 05.08.2009 )");
    EXPECT_EQ(PhaseText(27, 2026y / 12 / 30), "abnehmend - noch 2 Tage bis Neumond  ( am 01.01.2027 )");
}

TEST(MoonState, AgeDayBoundaries) {
    const std::pair<double, int> cases[] = {{0.0, 0},    {0.999, 0},  {13.999, 13}, {14.0, 14},
                                            {28.99, 28}, {29.0, 29},  {29.529, 29}, {-0.5, 0},
                                            {40.0, 29},  {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& [age, day] : cases) {
        MoonState s;
        s.age = age;
        EXPECT_EQ(AgeDay(s), day) << age;
    }
    EXPECT_EQ(AgeDay(ComputeMoonState(std::numeric_limits<double>::infinity())), 0);
}

TEST(MoonState, PicturesFollowTheAgeDays) {
    std::set<int> used;
    for (int a = 0; a <= 29; ++a) used.insert(PictureNumber(a));
    EXPECT_EQ(used.size(), 28u);
    EXPECT_EQ(*used.begin(), 1);
    EXPECT_EQ(*used.rbegin(), 28);
    for (int a = 1; a <= 13; ++a) EXPECT_EQ(PictureNumber(a), 15 + a);
    for (int a = 15; a <= 19; ++a) EXPECT_EQ(PictureNumber(a), a - 13);
    for (int a = 20; a <= 28; ++a) EXPECT_EQ(PictureNumber(a), a - 14);
    EXPECT_EQ(PicturePath(14), "/mondgif/mond-01.gif");
    EXPECT_EQ(PicturePath(13), "/mondgif/mond-28.gif");
    EXPECT_EQ(PicturePath(7), "/mondgif/mond-22.gif");
    for (int bad : {-1, 30, 1000, -2147483647 - 1}) {
        EXPECT_EQ(PicturePath(bad), "");
        EXPECT_EQ(PhaseShortName(bad), "");
        EXPECT_EQ(PhaseText(bad, 2009y / 7 / 29), "");
        EXPECT_EQ(PictureNumber(bad), 0);
    }
    EXPECT_EQ(PhaseText(7, 2009y / 2 / 30), "");
}

TEST(MoonState, EveryDate1900To2100StaysInsideTheDocumentedRanges) {
    const std::set<double> kDistances = {356580, 362947.5, 369315, 375682.5, 382050,
                                         388417.5, 394785, 401152.5, 407520};
    std::set<int> ageDays;
    for (sys_days day{1900y / 1 / 1}; day <= sys_days{2100y / 12 / 31}; day += days{1}) {
        const MoonState s = StateOn(year_month_day{day});
        ASSERT_GE(s.phaseFraction, 0.0);
        ASSERT_LT(s.phaseFraction, 1.0);
        ASSERT_EQ(s.age, s.phaseFraction * 29.53);
        ASSERT_GE(s.distanceEarthRadii, 56.0);
        ASSERT_LE(s.distanceEarthRadii, 63.8);
        ASSERT_LE(std::fabs(s.eclipticLatitude), 5.1);
        ASSERT_GE(s.eclipticLongitude, -8.3);
        ASSERT_LE(s.eclipticLongitude, 368.3);
        ASSERT_TRUE(kDistances.count(DistanceKm(s.distanceEarthRadii)));
        ageDays.insert(AgeDay(s));
    }
    EXPECT_EQ(ageDays.size(), 30u);
}

TEST(MoonState, DistanceRoundsHalvesAwayFromZero) {
    EXPECT_EQ(DistanceKm(61.5), 62 * 6367.5);
    EXPECT_EQ(DistanceKm(61.4999999), 61 * 6367.5);
    EXPECT_EQ(DistanceKm(56.5), 57 * 6367.5);
}
