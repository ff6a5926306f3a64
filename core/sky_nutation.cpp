// Nutation in longitude and in obliquity from the short series of Meeus
// (Astronomical Algorithms, 2nd ed., ch. 22): the four largest terms, good to
// 0.5" and 0.1".

#include "core/sky_internal.h"

namespace lunomat::sky::detail {

Nutation NutationAt(double jde) {
    const double t = CenturiesSinceJ2000(jde);
    // Longitude of the Moon's ascending node, mean longitudes of the Sun and
    // the Moon (degrees).
    const double omega = 125.04452 - 1934.136261 * t + 0.0020708 * t * t + t * t * t / 450000.0;
    const double sunL = 280.4665 + 36000.7698 * t;
    const double moonL = 218.3165 + 481267.8813 * t;
    const double dpsiArcsec = -17.20 * SinDeg(NormalizeDeg(omega)) - 1.32 * SinDeg(NormalizeDeg(2.0 * sunL)) -
                              0.23 * SinDeg(NormalizeDeg(2.0 * moonL)) + 0.21 * SinDeg(NormalizeDeg(2.0 * omega));
    const double depsArcsec = 9.20 * CosDeg(NormalizeDeg(omega)) + 0.57 * CosDeg(NormalizeDeg(2.0 * sunL)) +
                              0.10 * CosDeg(NormalizeDeg(2.0 * moonL)) - 0.09 * CosDeg(NormalizeDeg(2.0 * omega));
    return {dpsiArcsec * kArcsecToDeg, depsArcsec * kArcsecToDeg};
}

}  // namespace lunomat::sky::detail
