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
std::string GermanDecimal(double value, int decimals);

// DistanceKm as text: whole number, or with the one decimal ",5".
std::string KilometreText(double km);

std::string DateLine(std::string_view weekday, std::string_view dateText);  // "Mittwoch, der 29.07.2009"
std::string DistanceLine(double km);         // "Entfernung:  394785 km (bezogen ...)"
std::string LatitudeLine(double degrees);    // "Ekliptischer Breitengrad:   -5,07385 °"
std::string LongitudeLine(double degrees);   // "Ekliptischer Längengrad:     222,96 °"

// Everything the result area shows for one existing date.
struct MoonDisplay {
    std::string dateLine;      // lbl_Datumangabe
    std::string phaseText;     // lbl_MPh
    std::string shortName;     // lbl_Mondphase
    std::string distanceLine;  // Label5
    std::string latitudeLine;  // Label6
    std::string longitudeLine; // Label7
    std::string picturePath;   // Image2, "/mondgif/mond-NN.gif"
    MoonState state;
    int ageDay = 0;
};
MoonDisplay BuildMoonDisplay(std::chrono::year_month_day date);

}  // namespace lunomat
