#include "core/display.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace lunomat {

namespace {

constexpr int kMaxDecimals = 20;

using Uint128 = unsigned __int128;

constexpr Uint128 Pow10(int n) {
    Uint128 value = 1;
    for (int i = 0; i < n; ++i) value *= 10;
    return value;
}

constexpr auto kPowersOfTen = [] {
    std::array<Uint128, kMaxDecimals + 1> table{};
    for (int i = 0; i <= kMaxDecimals; ++i) table[static_cast<std::size_t>(i)] = Pow10(i);
    return table;
}();

// Writes value with at least minDigits digits into buffer, from its end
// backwards; returns the number of characters written.
std::size_t FormatDigits(char* bufferEnd, Uint128 value, int minDigits) {
    char* p = bufferEnd;
    // 128-bit division is a library call; the values shown by the program fit
    // 64 bits, where it is a multiplication.
    while (value > UINT64_MAX) {
        *--p = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    }
    auto small = static_cast<std::uint64_t>(value);
    do {
        *--p = static_cast<char>('0' + static_cast<int>(small % 10));
        small /= 10;
    } while (small != 0);
    while (bufferEnd - p < minDigits) *--p = '0';
    return static_cast<std::size_t>(bufferEnd - p);
}

// Appends the German number text of a finite value to out.
void AppendGermanDecimal(std::string& out, double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;
    const auto fraction = static_cast<std::size_t>(decimals);

    // |value| == m * 2^e exactly, m a whole number below 2^53, read from the
    // bits of the double.
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;
    if (biasedExponent != 0) {
        m |= std::uint64_t{1} << 52;
        e = biasedExponent - 1075;
    }

    if (e >= 0) {
        // A whole number: printf writes its digits exactly, no rounding occurs.
        char buffer[400];
        const int n = std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(value));
        if (negative) out += '-';
        out.append(buffer, static_cast<std::size_t>(n));
        if (decimals > 0) out.append(1, ',').append(fraction, '0');
        return;
    }

    // Scale the exact binary value by 10^decimals in 128-bit integers and
    // round the remainder by hand: half of the last unit or more rounds up,
    // which is "halves away from zero" on the magnitude. (printf would round
    // exact ties to even.)
    const int shift = -e;
    Uint128 quotient = 0;
    if (shift <= 120) {
        const Uint128 scaled = Uint128{m} * kPowersOfTen[fraction];  // < 2^53 * 10^20 < 2^120
        const Uint128 one = Uint128{1} << shift;
        quotient = scaled >> shift;
        const Uint128 remainder = scaled & (one - 1);
        if (remainder >= (one >> 1)) ++quotient;
    }
    // Below 2^-67 the scaled value stays under one half and rounds to zero.

    char buffer[64];
    char* const end = buffer + sizeof buffer;
    const std::size_t n = FormatDigits(end, quotient, decimals + 1);
    const char* digits = end - n;
    // A value that rounds to zero carries no sign: "0,00", never "-0,00".
    if (negative && quotient != 0) out += '-';
    out.append(digits, n - fraction);
    if (decimals > 0) out.append(1, ',').append(digits + (n - fraction), fraction);
}

}  // namespace

std::string GermanDecimal(double value, int decimals) {
    std::string text;
    if (std::isfinite(value)) AppendGermanDecimal(text, value, decimals);
    return text;
}

std::string DateLine(std::string_view weekday, std::string_view dateText) {
    std::string line;
    line.reserve(weekday.size() + 6 + dateText.size());
    line += weekday;
    line += ", der ";
    line += dateText;
    return line;
}

namespace {

std::string Framed(std::string_view before, double value, int decimals, std::string_view after) {
    if (!std::isfinite(value)) return std::string(before).append(after);
    std::string line;
    line.reserve(before.size() + after.size() + 24);
    line.append(before);
    AppendGermanDecimal(line, value, decimals);
    line.append(after);
    return line;
}

int KilometreDecimals(double km) { return km == std::floor(km) ? 0 : 1; }

}  // namespace

std::string KilometreText(double km) { return GermanDecimal(km, KilometreDecimals(km)); }

std::string DistanceLine(double km) {
    return Framed("Entfernung:  ", km, KilometreDecimals(km),
                  " km (bezogen auf den mittleren Erddurchmesser = 12735 km)");
}

std::string LatitudeLine(double degrees) { return Framed("Ekliptischer Breitengrad:   ", degrees, 5, " °"); }

std::string LongitudeLine(double degrees) { return Framed("Ekliptischer Längengrad:     ", degrees, 2, " °"); }

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
