#include "core/moon.h"

#include <array>
#include <cmath>

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
    {"Neumond", 15},
    {"zunehmender Mond", 16},
    {"zunehmender Mond", 17},
    {"zunehmender Mond", 18},
    {"zunehmender Mond", 19},
    {"zunehmender Mond", 20},
    {"zunehmender Mond", 21},
    {"Halbmond zunehmend", 22},
    {"zunehmender Mond", 23},
    {"zunehmender Mond", 24},
    {"zunehmender Mond", 25},
    {"zunehmender Mond", 26},
    {"zunehmender Mond", 27},
    {"zunehmender Mond", 28},
    {"Vollmond", 1},
    {"abnehmender Mond", 2},
    {"abnehmender Mond", 3},
    {"abnehmender Mond", 4},
    {"abnehmender Mond", 5},
    {"abnehmender Mond", 6},
    {"abnehmender Mond", 6},  // days 19 and 20 share a picture
    {"abnehmender Mond", 7},
    {"Halbmond abnehmend", 8},
    {"abnehmender Mond", 9},
    {"abnehmender Mond", 10},
    {"abnehmender Mond", 11},
    {"abnehmender Mond", 12},
    {"abnehmender Mond", 13},
    {"abnehmender Mond", 14},
    {"Neumond", 15},
}};

bool InRange(int ageDay) { return ageDay >= 0 && ageDay <= 29; }

}  // namespace

MoonState ComputeMoonState(JulianDay j) {
    const double twoPi = TwoPi();
    MoonState state;
    double ip = FractionalPart((j - 2451550.1) / 29.530588853);
    state.phaseFraction = ip;
    state.age = ip * 29.53;
    ip = ip * twoPi;
    const double dp = FractionalPart((j - 2451562.2) / 27.55454988) * twoPi;
    state.distanceEarthRadii =
        60.4 - 3.3 * std::cos(dp) - 0.6 * std::cos(2.0 * ip - dp) - 0.5 * std::cos(2.0 * ip);
    const double np = FractionalPart((j - 2451565.2) / 27.212220817) * twoPi;
    state.eclipticLatitude = 5.1 * std::sin(np);
    const double rp = FractionalPart((j - 2451555.8) / 27.321582241);
    state.eclipticLongitude =
        360.0 * rp + 6.3 * std::sin(dp) + 1.3 * std::sin(2.0 * ip - dp) + 0.7 * std::sin(2.0 * ip);
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
    if (ageDay == 0 || ageDay == 29) return "Neumond (new moon)";
    if (ageDay == 14) return "Vollmond (full moon)";
    const bool waxing = ageDay < 14;
    // One synodic cycle counts as 29 whole days here: the full moon comes on
    // the day of age 14, the new moon on the day that would be age 29.
    const int n = waxing ? 14 - ageDay : 29 - ageDay;
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
    return std::round(distanceEarthRadii) * 6367.5;
}

}  // namespace lunomat
