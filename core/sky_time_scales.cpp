// The time scales of the sky computations: Universal Time (UT, the Earth's
// rotation, which the clock and the calendar follow) and dynamical time (TT,
// in which the series run), and ΔT = TT − UT between them, from the
// polynomials of Espenak and Meeus (2006), which follow the historical record
// up to 2005 and an extrapolation beyond. The long-term parabola uses a tidal
// acceleration of the Moon of −26"/cy².

#include <array>
#include <chrono>
#include <cmath>

#include "core/sky_internal.h"

namespace lunomat::sky {

namespace {

// The long-term parabola: −20 s + 32 s per century² from 1820.
constexpr double kParabolaOriginYear = 1820.0;
constexpr double kParabolaOffsetSeconds = -20.0;
constexpr double kParabolaSecondsPerCentury2 = 32.0;

double LongTermParabola(double y) {
    const double u = (y - kParabolaOriginYear) / 100.0;
    return kParabolaOffsetSeconds + kParabolaSecondsPerCentury2 * u * u;
}

// One piece of the expression, valid from its first year to the next
// piece's: ΔT in seconds = c0 + c1 u + c2 u² + ... with u = (year − origin) /
// yearsPerUnit.
struct Piece {
    double firstYear, originYear, yearsPerUnit;
    std::array<double, 8> seconds;
};
// clang-format off
constexpr std::array<Piece, 12> kPieces = {{
    {-500.0, 0.0, 100.0, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}},
    {500.0, 1000.0, 100.0, {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}},
    {1600.0, 1600.0, 1.0, {120.0, -0.9808, -0.01532, 1.0 / 7129.0}},
    {1700.0, 1700.0, 1.0, {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0}},
    {1800.0, 1800.0, 1.0,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875}},
    {1860.0, 1860.0, 1.0, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0}},
    {1900.0, 1900.0, 1.0, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1920.0, 1920.0, 1.0, {21.20, 0.84493, -0.076100, 0.0020936}},
    {1941.0, 1950.0, 1.0, {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0}},
    {1961.0, 1975.0, 1.0, {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0}},
    {1986.0, 2000.0, 1.0, {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
    {2005.0, 2000.0, 1.0, {62.92, 0.32217, 0.005589}},
}};
// clang-format on
// Before the first piece and from this year on, the parabola alone; between
// the last piece's end and this year the parabola less a term falling
// linearly to zero, which makes it meet the last piece.
constexpr double kLastPieceEndYear = 2050.0;
constexpr double kParabolaAloneYear = 2150.0;
constexpr double kJoinSecondsPerYear = 0.5628;

}  // namespace

double DeltaTSeconds(double y) {
    if (y < kPieces.front().firstYear || y >= kParabolaAloneYear) return LongTermParabola(y);
    if (y >= kLastPieceEndYear) return LongTermParabola(y) - kJoinSecondsPerYear * (kParabolaAloneYear - y);
    std::size_t i = kPieces.size() - 1;
    while (y < kPieces[i].firstYear) --i;
    const Piece& piece = kPieces[i];
    const double u = (y - piece.originYear) / piece.yearsPerUnit;
    double value = 0.0;
    for (auto c = piece.seconds.rbegin(); c != piece.seconds.rend(); ++c) value = *c + u * value;
    return value;
}

namespace detail {

namespace {

// Decimal year of a Julian date, close enough for ΔT (which changes by
// well under a second within a day).
constexpr double kDaysPerGregorianYear = 365.2425;
constexpr double kJdOf2000Jan1 = 2451544.5;
double DecimalYear(double jd) { return 2000.0 + (jd - kJdOf2000Jan1) / kDaysPerGregorianYear; }

}  // namespace

double JulianDayOf(Instant t) {
    return kUnixEpochJd + static_cast<double>(t.time_since_epoch().count()) / kSecondsPerDay;
}

Instant InstantOfJulianDay(double jd) {
    return Instant{std::chrono::seconds{std::llround((jd - kUnixEpochJd) * kSecondsPerDay)}};
}

double JdeOfJulianDay(double jd) { return jd + DeltaTSeconds(DecimalYear(jd)) / kSecondsPerDay; }

double JdeOfInstant(Instant t) { return JdeOfJulianDay(JulianDayOf(t)); }

Instant InstantOfJde(double jde) { return InstantOfJulianDay(jde - DeltaTSeconds(DecimalYear(jde)) / kSecondsPerDay); }

}  // namespace detail

}  // namespace lunomat::sky
