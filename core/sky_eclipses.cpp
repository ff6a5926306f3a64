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

Offset OffsetFromShadowAxis(const MoonPlace& moon, double sunLongitudeDeg, double sunLatitudeDeg) {
    const double dl = std::remainder(moon.longitudeDeg - (sunLongitudeDeg + 180.0), 360.0);
    return {dl * CosDeg(moon.latitudeDeg), moon.latitudeDeg + sunLatitudeDeg};
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

// The Moon's limb against the shadow at dynamical instant jde: how far the
// Moon's centre is from the shadow axis less the sum (outer) or difference
// (inner) of the shadow's and the Moon's radii, in degrees. Negative while
// the limb is inside.
struct ShadowGap {
    double penumbraOuter, umbraOuter, umbraInner;
};
ShadowGap ShadowGapAt(double jde) {
    const MoonPlace moon = MoonGeometric(jde);
    const SunPlace sun = SunApparent(jde, Nutation{0.0});
    const Offset o = OffsetFromShadowAxis(moon, sun.longitudeDeg, sun.latitudeDeg);
    const double distance = std::hypot(o.x, o.y);
    const double pm = std::asin(kEarthRadiusKm / moon.distanceKm) * kRadToDeg;
    const double ps = std::asin(kEarthRadiusKm / sun.distanceKm) * kRadToDeg;
    const double ss = std::asin(kSunRadiusKm / sun.distanceKm) * kRadToDeg;
    const double sm = std::asin(kMoonToEarthRadius * kEarthRadiusKm / moon.distanceKm) * kRadToDeg;
    const double umbra = kDanjonEnlargement * pm + ps - ss;
    const double penumbra = kDanjonEnlargement * pm + ps + ss;
    return {distance - penumbra - sm, distance - umbra - sm, distance - umbra + sm};
}

// Outward from greatest eclipse (where gap(jde) < 0) in steps of this
// many days, up to this many: the longest penumbral phase lasts about
// six hours.
constexpr double kContactStepDays = 1.0 / 48.0;
constexpr int kContactMaxSteps = 12;
constexpr double kContactResolutionDays = 0.2 / kSecondsPerDay;

// The instant the gap that member picks becomes zero before (direction -1)
// or after (+1) greatest eclipse, or nothing when it is not negative there.
std::optional<Instant> Contact(double greatestJde, double ShadowGap::*member, double direction) {
    const auto gap = [member](double jde) { return ShadowGapAt(jde).*member; };
    if (gap(greatestJde) >= 0.0) return std::nullopt;
    double inside = greatestJde;
    for (int i = 1; i <= kContactMaxSteps; ++i) {
        double outside = greatestJde + direction * kContactStepDays * i;
        if (gap(outside) < 0.0) {
            inside = outside;
            continue;
        }
        while (std::abs(outside - inside) > kContactResolutionDays) {
            const double m = 0.5 * (inside + outside);
            (gap(m) < 0.0 ? inside : outside) = m;
        }
        return InstantOfJde(0.5 * (inside + outside));
    }
    return std::nullopt;
}

}  // namespace

std::optional<LunarEclipse> EclipseOfLunation(long lunation) {
    // The Moon's argument of latitude at the mean full moon (ch. 49).
    const double k = static_cast<double>(lunation) + 0.5;
    const double t = k / 1236.85;
    const double f = 160.7108 + 390.67050284 * k - 0.0016118 * t * t - 0.00000227 * t * t * t;
    if (std::abs(SinDeg(NormalizeDeg(f))) > kEclipseLimitSinF) return std::nullopt;

    // Nutation moves the Moon and the shadow alike; it is left out.
    const double jde0 = detail::PhaseJde(lunation, Phase::FullMoon);
    const MoonPlace moon0 = MoonGeometric(jde0);
    const SunPlace sun0 = SunApparent(jde0, Nutation{0.0});
    const Offset a = OffsetFromShadowAxis(moon0, sun0.longitudeDeg, sun0.latitudeDeg);

    // Sizes at the full moon: they change by well under 0.1 % in the hour or
    // so between it and greatest eclipse.
    const double pm = std::asin(kEarthRadiusKm / moon0.distanceKm) * kRadToDeg;
    const double ps = std::asin(kEarthRadiusKm / sun0.distanceKm) * kRadToDeg;
    const double ss = std::asin(kSunRadiusKm / sun0.distanceKm) * kRadToDeg;
    const double sm = std::asin(kMoonToEarthRadius * kEarthRadiusKm / moon0.distanceKm) * kRadToDeg;
    const double umbra = kDanjonEnlargement * pm + ps - ss;
    const double penumbra = kDanjonEnlargement * pm + ps + ss;
    if (kLeastDistanceFactor * std::hypot(a.x, a.y) > penumbra + sm) return std::nullopt;

    // The Sun moves so evenly over these two hours that a straight line
    // through two of its places serves for the third.
    const SunPlace sun1 = SunApparent(jde0 + kFitHalfWidthDays, Nutation{0.0});
    const double sunRateDeg = std::remainder(sun1.longitudeDeg - sun0.longitudeDeg, 360.0);
    const Offset before = OffsetFromShadowAxis(MoonGeometric(jde0 - kFitHalfWidthDays),
                                               sun0.longitudeDeg - sunRateDeg,
                                               2.0 * sun0.latitudeDeg - sun1.latitudeDeg);
    const Offset after = OffsetFromShadowAxis(MoonGeometric(jde0 + kFitHalfWidthDays), sun1.longitudeDeg,
                                              sun1.latitudeDeg);
    const Offset b{(after.x - before.x) / 2.0, (after.y - before.y) / 2.0};
    const Offset c{(after.x + before.x) / 2.0 - a.x, (after.y + before.y) / 2.0 - a.y};
    const double s = LeastDistanceParameter(a, b, c);
    const double jde = jde0 + s * kFitHalfWidthDays;
    const double distance = std::hypot(a.x + s * (b.x + s * c.x), a.y + s * (b.y + s * c.y));

    const double penumbralMagnitude = (penumbra + sm - distance) / (2.0 * sm);
    const double umbralMagnitude = (umbra + sm - distance) / (2.0 * sm);
    if (penumbralMagnitude <= 0.0) return std::nullopt;
    const EclipseKind kind = umbralMagnitude >= 1.0   ? EclipseKind::Total
                             : umbralMagnitude > 0.0 ? EclipseKind::Partial
                                                     : EclipseKind::Penumbral;
    LunarEclipse eclipse{InstantOfJde(jde), kind, penumbralMagnitude, umbralMagnitude, {}, {}, {}, {}, {}, {}};
    eclipse.p1 = Contact(jde, &ShadowGap::penumbraOuter, -1.0);
    eclipse.p4 = Contact(jde, &ShadowGap::penumbraOuter, 1.0);
    if (kind != EclipseKind::Penumbral) {
        eclipse.u1 = Contact(jde, &ShadowGap::umbraOuter, -1.0);
        eclipse.u4 = Contact(jde, &ShadowGap::umbraOuter, 1.0);
    }
    if (kind == EclipseKind::Total) {
        eclipse.u2 = Contact(jde, &ShadowGap::umbraInner, -1.0);
        eclipse.u3 = Contact(jde, &ShadowGap::umbraInner, 1.0);
    }
    return eclipse;
}

std::vector<LunarEclipse> LunarEclipsesInYears(int fromYear, int toYear) {
    using namespace std::chrono;
    std::vector<LunarEclipse> out;
    if (fromYear > toYear) return out;
    const detail::YearSpan span = detail::SpanOfYears(fromYear, toYear);
    for (long k = span.firstLunation; k <= span.lastLunation; ++k) {
        const std::optional<LunarEclipse> e = EclipseOfLunation(k);
        if (e && e->greatest >= span.begin && e->greatest < span.end) out.push_back(*e);
    }
    return out;
}

}  // namespace lunomat::sky
