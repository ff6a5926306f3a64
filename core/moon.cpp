#include "core/moon.h"

#include <array>
#include <cmath>

#include "core/phase_names.h"

namespace lunomat {

namespace {

// The full turn is derived from the math library when first needed, the way
// the method defines it, rather than typed in as a literal. The volatile read
// keeps the compiler from folding it into a constant of its own.
double TwoPi() {
    static const double value = [] {
        volatile double one = 1.0;
        return 8.0 * std::atan(one);
    }();
    return value;
}

double FractionalPart(double x) { return x - std::floor(x); }

struct PhaseRow {
    const char* shortName;
    int picture;
};

constexpr std::array<PhaseRow, 30> kPhases = {{
    {sky::PhaseName(sky::Phase::NewMoon), 15},
    {"zunehmender Mond", 16},
    {"zunehmender Mond", 17},
    {"zunehmender Mond", 18},
    {"zunehmender Mond", 19},
    {"zunehmender Mond", 20},
    {"zunehmender Mond", 21},
    {sky::PhaseName(sky::Phase::FirstQuarter), 22},
    {"zunehmender Mond", 23},
    {"zunehmender Mond", 24},
    {"zunehmender Mond", 25},
    {"zunehmender Mond", 26},
    {"zunehmender Mond", 27},
    {"zunehmender Mond", 28},
    {sky::PhaseName(sky::Phase::FullMoon), 1},
    {"abnehmender Mond", 2},
    {"abnehmender Mond", 3},
    {"abnehmender Mond", 4},
    {"abnehmender Mond", 5},
    {"abnehmender Mond", 6},
    {"abnehmender Mond", 6},  // days 19 and 20 share a picture
    {"abnehmender Mond", 7},
    {sky::PhaseName(sky::Phase::LastQuarter), 8},
    {"abnehmender Mond", 9},
    {"abnehmender Mond", 10},
    {"abnehmender Mond", 11},
    {"abnehmender Mond", 12},
    {"abnehmender Mond", 13},
    {"abnehmender Mond", 14},
    {sky::PhaseName(sky::Phase::NewMoon), 15},
}};

bool InRange(int ageDay) { return ageDay >= 0 && ageDay <= kNewMoonAgeDay; }

// The method's mean elements: for each periodic term a Julian day on which it
// starts a cycle (all near January 2000) and the length of that cycle in days.
constexpr JulianDay kNewMoonEpoch = 2451550.1;         // a new moon
constexpr double kSynodicMonthDays = 29.530588853;     // new moon to new moon
constexpr JulianDay kPerigeeEpoch = 2451562.2;         // a perigee
constexpr double kAnomalisticMonthDays = 27.55454988;  // perigee to perigee
constexpr JulianDay kAscendingNodeEpoch = 2451565.2;   // a passage of the ascending node
constexpr double kDraconicMonthDays = 27.212220817;    // node to node
constexpr JulianDay kLongitudeEpoch = 2451555.8;       // a passage of longitude 0
constexpr double kSiderealMonthDays = 27.321582241;    // star to star
// The age in days is the phase fraction times the lunation rounded to two
// decimals, as the method states it. Every age-day boundary - phase name,
// picture, countdown and the annual table - rests on this rounded length; the
// exact lunation would move about a day's worth of boundaries per century.
constexpr double kAgeLunationDays = 29.53;
// Distance in Earth radii: mean, then the amplitudes of the elliptic
// inequality, the evection and the variation.
constexpr double kMeanDistanceEarthRadii = 60.4;
constexpr double kEllipseDistanceEarthRadii = 3.3;
constexpr double kEvectionDistanceEarthRadii = 0.6;
constexpr double kVariationDistanceEarthRadii = 0.5;
// Latitude: the inclination of the orbit to the ecliptic, in degrees.
constexpr double kInclinationDegrees = 5.1;
// Longitude in degrees: a full turn, then the equation of the centre, the
// evection and the variation.
constexpr double kFullTurnDegrees = 360.0;
constexpr double kCentreLongitudeDegrees = 6.3;
constexpr double kEvectionLongitudeDegrees = 1.3;
constexpr double kVariationLongitudeDegrees = 0.7;
// Kilometres per Earth radius of the distance line.
constexpr double kKilometresPerEarthRadius = 6367.5;

}  // namespace

MoonState ComputeMoonState(JulianDay j) {
    const double twoPi = TwoPi();
    MoonState state;
    double ip = FractionalPart((j - kNewMoonEpoch) / kSynodicMonthDays);
    state.phaseFraction = ip;
    state.age = ip * kAgeLunationDays;
    ip = ip * twoPi;
    const double dp = FractionalPart((j - kPerigeeEpoch) / kAnomalisticMonthDays) * twoPi;
    state.distanceEarthRadii = kMeanDistanceEarthRadii - kEllipseDistanceEarthRadii * std::cos(dp) -
                               kEvectionDistanceEarthRadii * std::cos(2.0 * ip - dp) -
                               kVariationDistanceEarthRadii * std::cos(2.0 * ip);
    const double np = FractionalPart((j - kAscendingNodeEpoch) / kDraconicMonthDays) * twoPi;
    state.eclipticLatitude = kInclinationDegrees * std::sin(np);
    const double rp = FractionalPart((j - kLongitudeEpoch) / kSiderealMonthDays);
    state.eclipticLongitude = kFullTurnDegrees * rp + kCentreLongitudeDegrees * std::sin(dp) +
                              kEvectionLongitudeDegrees * std::sin(2.0 * ip - dp) +
                              kVariationLongitudeDegrees * std::sin(2.0 * ip);
    return state;
}

int AgeDay(const MoonState& state) {
    // Clamped so that an age from a non-finite Julian day (NaN) or a record
    // filled in by hand never leaves 0..29 or reaches an undefined conversion.
    const double age = state.age;
    if (!(age >= 0.0)) return 0;
    if (age >= 29.0) return 29;
    return static_cast<int>(std::floor(age));
}

std::string PhaseShortName(int ageDay) {
    if (!InRange(ageDay)) return {};
    return kPhases[static_cast<std::size_t>(ageDay)].shortName;
}

std::string PhaseText(int ageDay, std::chrono::year_month_day date) {
    if (!InRange(ageDay)) return {};
    if (ageDay == 0 || ageDay == kNewMoonAgeDay) return "Neumond (new moon)";
    if (ageDay == kFullMoonAgeDay) return "Vollmond (full moon)";
    const bool waxing = ageDay < kFullMoonAgeDay;
    const int n = waxing ? kFullMoonAgeDay - ageDay : kNewMoonAgeDay - ageDay;
    const std::string target = AddDaysToDate(date, n);
    if (target.empty()) return {};
    std::string text;
    text.reserve(64);
    text += waxing ? "zunehmend - noch " : "abnehmend - noch ";
    text += std::to_string(n);
    text += n == 1 ? " Tag" : " Tage";
    text += waxing ? " bis Vollmond  ( am " : " bis Neumond  ( am ";
    text += target;
    text += " )";
    return text;
}

int PictureNumber(int ageDay) {
    if (!InRange(ageDay)) return 0;
    return kPhases[static_cast<std::size_t>(ageDay)].picture;
}

std::string PicturePath(int ageDay) {
    const int number = PictureNumber(ageDay);
    if (number == 0) return {};
    std::string path = "/mondgif/mond-";
    path += static_cast<char>('0' + number / 10);
    path += static_cast<char>('0' + number % 10);
    path += ".gif";
    return path;
}

double DistanceKm(double distanceEarthRadii) {
    // std::round rounds halves away from zero.
    return std::round(distanceEarthRadii) * kKilometresPerEarthRadius;
}

}  // namespace lunomat
