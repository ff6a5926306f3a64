// Lunar eclipses from the shadow geometry: the Moon's place (ch. 47 lunar
// theory) against the axis of the Earth's shadow, opposite the apparent Sun.
// The shadow follows Danjon's rule, as in the five-millennium canon: the
// Earth's radius is enlarged by about 1 % for its atmosphere, so that
//   umbra radius     = 1.01 πm + πs − ss
//   penumbra radius  = 1.01 πm + πs + ss
// with πm, πs the horizontal parallaxes of the Moon and the Sun and ss the
// Sun's semidiameter. Greatest eclipse is the instant of least distance of
// the Moon's centre from the shadow axis.

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/sky_internal.h"

namespace lunomat::sky {

namespace {

using namespace detail;

// Danjon's enlargement of the Earth's radius (factor on the Moon's parallax).
constexpr double kDanjonEnlargement = 1.01;
// Radius of the Sun in km (semidiameter 959.63" at one astronomical unit).
constexpr double kSunRadiusKm = 696000.0;
// Radius of the Moon as a fraction of the Earth's equatorial radius.
constexpr double kMoonToEarthRadius = 0.2724880;
// A full moon with |sin F| above this (F the Moon's argument of latitude)
// is too far from a node for any eclipse.
constexpr double kEclipseLimitSinF = 0.36;
// Half-width in days of the three samples around the full moon through which
// the Moon's path relative to the shadow is fitted.
constexpr double kFitHalfWidthDays = 0.05;
// At full moon the Moon is opposite the shadow in longitude, so its distance
// from the axis then is its least distance divided by the cosine of the small
// angle between its path and the ecliptic (under 6°): this factor is safe.
constexpr double kLeastDistanceFactor = 0.99;

constexpr double kRadToDeg = 180.0 / kPi;

// The Moon's offset from the shadow axis in degrees: along the ecliptic
// (scaled by the cosine of the latitude) and perpendicular to it.
struct Offset {
    double x, y;
};

struct Geometry {
    Offset offset;
    double moonDistanceKm;
    double sunDistanceKm;
};

Geometry GeometryAt(double jde) {
    // Nutation moves the Moon and the shadow alike; it is left out.
    const MoonPlace moon = MoonGeometric(jde);
    const SunPlace sun = SunApparent(jde, Nutation{0.0});
    double dl = std::remainder(moon.longitudeDeg - (sun.longitudeDeg + 180.0), 360.0);
    return {{dl * CosDeg(moon.latitudeDeg), moon.latitudeDeg + sun.latitudeDeg},
            moon.distanceKm,
            sun.distanceKm};
}

// Least distance of the quadratic path p(s) = a + b s + c s² from the origin,
// s in units of the sample half-width, found by Newton steps from s = 0.
double LeastDistanceParameter(Offset a, Offset b, Offset c) {
    double s = 0.0;
    for (int i = 0; i < 4; ++i) {
        const double px = a.x + s * (b.x + s * c.x), py = a.y + s * (b.y + s * c.y);
        const double vx = b.x + 2.0 * s * c.x, vy = b.y + 2.0 * s * c.y;
        const double g = px * vx + py * vy;                                   // half the slope of |p|²
        const double h = vx * vx + vy * vy + 2.0 * (px * c.x + py * c.y);     // half its curvature
        if (h <= 0.0) break;
        s = std::clamp(s - g / h, -3.0, 3.0);
    }
    return s;
}

}  // namespace

std::optional<LunarEclipse> EclipseOfLunation(long lunation) {
    // The Moon's argument of latitude at the mean full moon (ch. 49).
    const double k = static_cast<double>(lunation) + 0.5;
    const double t = k / 1236.85;
    const double f = 160.7108 + 390.67050284 * k - 0.0016118 * t * t - 0.00000227 * t * t * t;
    if (std::abs(SinDeg(NormalizeDeg(f))) > kEclipseLimitSinF) return std::nullopt;

    const double jde0 = detail::PhaseJde(lunation, Phase::FullMoon);
    const Geometry g0 = GeometryAt(jde0);
    const double moonParallax = std::asin(kEarthRadiusKm / g0.moonDistanceKm) * kRadToDeg;
    const double sunParallax = std::asin(kEarthRadiusKm / g0.sunDistanceKm) * kRadToDeg;
    const double sunSemidiameter = std::asin(kSunRadiusKm / g0.sunDistanceKm) * kRadToDeg;
    const double moonSemidiameter = std::asin(kMoonToEarthRadius * kEarthRadiusKm / g0.moonDistanceKm) * kRadToDeg;
    if (kLeastDistanceFactor * std::hypot(g0.offset.x, g0.offset.y) >
        kDanjonEnlargement * moonParallax + sunParallax + sunSemidiameter + moonSemidiameter) {
        return std::nullopt;
    }

    const Offset before = GeometryAt(jde0 - kFitHalfWidthDays).offset;
    const Offset after = GeometryAt(jde0 + kFitHalfWidthDays).offset;
    const Offset a = g0.offset;
    const Offset b{(after.x - before.x) / 2.0, (after.y - before.y) / 2.0};
    const Offset c{(after.x + before.x) / 2.0 - a.x, (after.y + before.y) / 2.0 - a.y};
    const double jde = jde0 + LeastDistanceParameter(a, b, c) * kFitHalfWidthDays;

    const Geometry g = GeometryAt(jde);
    const double pm = std::asin(kEarthRadiusKm / g.moonDistanceKm) * kRadToDeg;
    const double ps = std::asin(kEarthRadiusKm / g.sunDistanceKm) * kRadToDeg;
    const double ss = std::asin(kSunRadiusKm / g.sunDistanceKm) * kRadToDeg;
    const double sm = std::asin(kMoonToEarthRadius * kEarthRadiusKm / g.moonDistanceKm) * kRadToDeg;
    const double umbra = kDanjonEnlargement * pm + ps - ss;
    const double penumbra = kDanjonEnlargement * pm + ps + ss;
    const double distance = std::hypot(g.offset.x, g.offset.y);

    const double penumbralMagnitude = (penumbra + sm - distance) / (2.0 * sm);
    const double umbralMagnitude = (umbra + sm - distance) / (2.0 * sm);
    if (penumbralMagnitude <= 0.0) return std::nullopt;
    const EclipseKind kind = umbralMagnitude >= 1.0   ? EclipseKind::Total
                             : umbralMagnitude > 0.0 ? EclipseKind::Partial
                                                     : EclipseKind::Penumbral;
    return LunarEclipse{InstantOfJde(jde), kind, penumbralMagnitude, umbralMagnitude};
}

std::vector<LunarEclipse> LunarEclipsesInYears(int fromYear, int toYear) {
    using namespace std::chrono;
    std::vector<LunarEclipse> out;
    if (fromYear > toYear) return out;
    const Instant begin{sys_days{year{fromYear} / January / 1}};
    const Instant end{sys_days{year{toYear + 1} / January / 1}};
    for (long k = LunationNear(begin) - 1, last = LunationNear(end) + 1; k <= last; ++k) {
        const std::optional<LunarEclipse> e = EclipseOfLunation(k);
        if (e && e->greatest >= begin && e->greatest < end) out.push_back(*e);
    }
    return out;
}

}  // namespace lunomat::sky
