#pragma once
// Moon state by Schaefer's method and everything derived from the whole days
// of the Moon's age: phase names, countdown text, picture, distance.

#include <chrono>
#include <string>

#include "core/calendar.h"

namespace lunomat {

// Whole days of the moon's age on which the phases fall. One synodic cycle
// counts as 29 whole days: the full moon comes on the day of age 14, the new
// moon on the day that would be age 29 (and on age 0), the quarters a week
// either side of the full moon.
inline constexpr int kFirstQuarterAgeDay = 7;
inline constexpr int kFullMoonAgeDay = 14;
inline constexpr int kLastQuarterAgeDay = 22;
inline constexpr int kNewMoonAgeDay = 29;

struct MoonState {
    double phaseFraction = 0;       // 0 <= value < 1
    double age = 0;                 // days, phaseFraction * 29.53
    double distanceEarthRadii = 0;  // 56.0 .. 63.8
    double eclipticLatitude = 0;    // degrees, -5.1 .. 5.1
    double eclipticLongitude = 0;   // degrees, about -8.3 .. 368.3, not reduced
};

// Pure; any finite J is accepted (a non-finite J gives NaN fields).
MoonState ComputeMoonState(JulianDay j);

// floor(age), 0..29: an age below 0 or NaN gives 0, one of 29 or more 29.
int AgeDay(const MoonState& state);

// Short name for an AgeDay 0..29 ("Neumond", "zunehmender Mond", ...); "" outside.
std::string PhaseShortName(int ageDay);

// Long text: "Neumond (new moon)", "Vollmond (full moon)" or the waxing/waning
// countdown with its target date counted from date; "" outside 0..29, and ""
// for a countdown from a date that does not exist.
std::string PhaseText(int ageDay, std::chrono::year_month_day date);

// Picture number 1..28 for an AgeDay 0..29 (0 outside).
int PictureNumber(int ageDay);

// "/mondgif/mond-NN.gif", to be put behind the program's folder; "" outside 0..29.
std::string PicturePath(int ageDay);

// round(distanceEarthRadii, halves away from zero) * 6367.5 km per Earth radius.
double DistanceKm(double distanceEarthRadii);

}  // namespace lunomat
