#include "core/display.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace lunomat {

namespace {

constexpr int kMaxDecimals = 20;

using Uint128 = unsigned __int128;

void AppendDigits(std::string& out, Uint128 value, int minDigits) {
    char buffer[48];
    int n = 0;
    do {
        buffer[n++] = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    for (int i = n; i < minDigits; ++i) out += '0';
    while (n > 0) out += buffer[--n];
}

}  // namespace

std::string GermanDecimal(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;

    const double magnitude = std::fabs(value);
    std::string digits;  // the rounded magnitude times 10^decimals, at least decimals+1 digits
    bool zero = false;

    int exponent = 0;
    const double mantissa = std::frexp(magnitude, &exponent);
    // magnitude == m * 2^e exactly, m a whole number below 2^53.
    const auto m = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    const int e = exponent - 53;
    if (m == 0) {
        zero = true;
        digits.assign(static_cast<std::size_t>(decimals) + 1, '0');
    } else if (e >= 0) {
        // A whole number: printf writes its digits exactly, no rounding occurs.
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
        digits = buffer;
        digits.append(static_cast<std::size_t>(decimals), '0');
    } else {
        // Scale the exact binary value by 10^decimals in 128-bit integers and
        // round the remainder by hand: half of the last unit or more rounds up,
        // which is "halves away from zero" on the magnitude. (printf would
        // round exact ties to even.)
        const int shift = -e;
        Uint128 quotient = 0;
        if (shift <= 120) {
            Uint128 scaled = m;
            for (int i = 0; i < decimals; ++i) scaled *= 10;  // < 2^53 * 10^20 < 2^120
            const Uint128 one = Uint128{1} << shift;
            quotient = scaled >> shift;
            const Uint128 remainder = scaled & (one - 1);
            if (remainder >= (one >> 1)) ++quotient;
        }
        // Below 2^-67 the scaled value stays under one half and rounds to zero.
        zero = quotient == 0;
        AppendDigits(digits, quotient, decimals + 1);
    }

    std::string text;
    text.reserve(digits.size() + 2);
    // A value that rounds to zero carries no sign: "0,00", never "-0,00".
    if (std::signbit(value) && !zero) text += '-';
    const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
    text.append(digits, 0, whole);
    if (decimals > 0) {
        text += ',';
        text.append(digits, whole, std::string::npos);
    }
    return text;
}

std::string KilometreText(double km) {
    return GermanDecimal(km, km == std::floor(km) ? 0 : 1);
}

std::string DateLine(std::string_view weekday, std::string_view dateText) {
    std::string line(weekday);
    line += ", der ";
    line += dateText;
    return line;
}

std::string DistanceLine(double km) {
    return "Entfernung:  " + KilometreText(km) +
           " km (bezogen auf den mittleren Erddurchmesser = 12735 km)";
}

std::string LatitudeLine(double degrees) {
    return "Ekliptischer Breitengrad:   " + GermanDecimal(degrees, 5) + " °";
}

std::string LongitudeLine(double degrees) {
    return "Ekliptischer Längengrad:     " + GermanDecimal(degrees, 2) + " °";
}

MoonDisplay BuildMoonDisplay(std::chrono::year_month_day date) {
    MoonDisplay display;
    if (!date.ok()) return display;
    const std::string dateText = DateText(date);
    const int day = static_cast<int>(static_cast<unsigned>(date.day()));
    const int month = static_cast<int>(static_cast<unsigned>(date.month()));
    const int year = static_cast<int>(date.year());
    display.state = ComputeMoonState(JulianDayFromDate(day, month, year));
    display.ageDay = AgeDay(display.state);
    display.dateLine = DateLine(WeekdayNameOf(date), dateText);
    display.phaseText = PhaseText(display.ageDay, date);
    display.shortName = PhaseShortName(display.ageDay);
    display.distanceLine = DistanceLine(DistanceKm(display.state.distanceEarthRadii));
    display.latitudeLine = LatitudeLine(display.state.eclipticLatitude);
    display.longitudeLine = LongitudeLine(display.state.eclipticLongitude);
    display.picturePath = PicturePath(display.ageDay);
    return display;
}

}  // namespace lunomat
