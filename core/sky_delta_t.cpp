// ΔT = TT − UT, from the polynomials of Espenak and Meeus (2006), which
// follow the historical record up to 2005 and an extrapolation beyond. The
// long-term parabola uses a tidal acceleration of the Moon of −26"/cy².

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

}  // namespace

double DeltaTSeconds(double y) {
    if (y < -500.0) return LongTermParabola(y);
    if (y < 500.0) {
        const double u = y / 100.0;
        return 10583.6 + u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 +
                         u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600.0) {
        const double u = (y - 1000.0) / 100.0;
        return 1574.2 + u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 +
                        u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700.0) {
        const double t = y - 1600.0;
        return 120.0 + t * (-0.9808 + t * (-0.01532 + t / 7129.0));
    }
    if (y < 1800.0) {
        const double t = y - 1700.0;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000.0)));
    }
    if (y < 1860.0) {
        const double t = y - 1800.0;
        return 13.72 + t * (-0.332447 + t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 +
                       t * (0.0000121272 + t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900.0) {
        const double t = y - 1860.0;
        return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 +
                      t / 233174.0))));
    }
    if (y < 1920.0) {
        const double t = y - 1900.0;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941.0) {
        const double t = y - 1920.0;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961.0) {
        const double t = y - 1950.0;
        return 29.07 + t * (0.407 + t * (-1.0 / 233.0 + t / 2547.0));
    }
    if (y < 1986.0) {
        const double t = y - 1975.0;
        return 45.45 + t * (1.067 + t * (-1.0 / 260.0 - t / 718.0));
    }
    if (y < 2005.0) {
        const double t = y - 2000.0;
        return 63.86 + t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 +
                       t * 0.00002373599))));
    }
    if (y < 2050.0) {
        const double t = y - 2000.0;
        return 62.92 + t * (0.32217 + t * 0.005589);
    }
    if (y < 2150.0) {
        // The parabola, shifted so that it meets the 2005–2050 piece.
        constexpr double kJoinSecondsPerYear = 0.5628;
        return LongTermParabola(y) - kJoinSecondsPerYear * (2150.0 - y);
    }
    return LongTermParabola(y);
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

Instant InstantOfJde(double jde) {
    return InstantOfJulianDay(jde - DeltaTSeconds(DecimalYear(jde)) / kSecondsPerDay);
}

}  // namespace detail

}  // namespace lunomat::sky
