#pragma once
// The texts the main window shows for one computed date, built once here so
// that the window, the command-line tool and the tests read the same strings.

#include <chrono>
#include <string>
#include <string_view>

#include "core/moon.h"

namespace lunomat {

// German number text: decimal comma, "-" directly before the digits, a leading
// "0" below 1, no thousands separator, exactly `decimals` decimals rounded to
// the nearest with halves away from zero (on the double's exact value).
// A value that rounds to zero has no sign ("0,00" for -0.001). decimals is
// clamped to 0..20; a NaN or infinite value gives "".
std::string GermanDecimal(double value, int decimals);

// DistanceKm as text: whole number, or with the one decimal ",5" (any other
// fraction is rounded to one decimal).
std::string KilometreText(double km);

std::string DateLine(std::string_view weekday, std::string_view dateText);  // "Mittwoch, der 29.07.2009"
std::string DistanceLine(double km);                                        // "Entfernung:  394785 km (bezogen ...)"
std::string LatitudeLine(double degrees);                                   // "Ekliptischer Breitengrad:   -5,07385 °"
std::string LongitudeLine(double degrees);                                  // "Ekliptischer Längengrad:     222,96 °"

// Everything the result area shows for one existing date.
struct MoonDisplay {
    std::string dateLine;       // lbl_Datumangabe
    std::string phaseText;      // lbl_MPh
    std::string shortName;      // lbl_Mondphase
    std::string distanceLine;   // Label5
    std::string latitudeLine;   // Label6
    std::string longitudeLine;  // Label7
    std::string picturePath;    // Image2, "/mondgif/mond-NN.gif"
    MoonState state;
    int ageDay = 0;
};
// A date that does not exist gives empty texts, a zero state and ageDay 0.
MoonDisplay BuildMoonDisplay(std::chrono::year_month_day date);

}  // namespace lunomat
