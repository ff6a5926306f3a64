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
        const double g = px * vx + py * vy;                                // half the slope of |p|²
        const double h = vx * vx + vy * vy + 2.0 * (px * c.x + py * c.y);  // half its curvature
        if (h <= 0.0) break;
        s = std::clamp(s - g / h, -3.0, 3.0);
    }
    return s;
}

// The Moon's limb against the shadow: how far the Moon's centre is from the
// shadow axis less the sum (outer) or difference (inner) of the shadow's and
// the Moon's radii, in degrees. Negative while the limb is inside.
struct ShadowGap {
    double penumbraOuter, umbraOuter, umbraInner;
};

// The Moon's path against the shadow over the whole eclipse: its offset and
// distance at five instants 1.75 h apart, centred on greatest eclipse,
// interpolated by the polynomial through them (the lunar theory's shortest
// periods are days, so the error stays far below an arcsecond), with the Sun
// on a straight line. The longest penumbral phase lasts under 3.5 h either
// side of greatest eclipse.
class ShadowPath {
public:
    static constexpr double kSpacingDays = 1.75 / 24.0;
    static constexpr int kHalfSamples = 2;

    ShadowPath(double greatestJde, const SunPlace& sun0, const SunPlace& sun1, double sunStepDays)
        : greatestJde_(greatestJde) {
        const auto along = [&](double a, double b, double jde) {
            return a + (b - a) * (jde - greatestJde) / sunStepDays;
        };
        for (int i = 0; i < kSamples; ++i) {
            const double jde = greatestJde + (i - kHalfSamples) * kSpacingDays;
            const MoonPlace moon = MoonGeometric(jde);
            const double sunLongitude =
                along(sun0.longitudeDeg,
                      sun0.longitudeDeg + std::remainder(sun1.longitudeDeg - sun0.longitudeDeg, 360.0), jde);
            const Offset o = OffsetFromShadowAxis(moon, sunLongitude, along(sun0.latitudeDeg, sun1.latitudeDeg, jde));
            x_[i] = o.x;
            y_[i] = o.y;
            moonKm_[i] = moon.distanceKm;
            sunKm_[i] = along(sun0.distanceKm, sun1.distanceKm, jde);
        }
    }

    // s in units of the spacing from greatest eclipse, |s| <= kHalfSamples.
    ShadowGap At(double s) const {
        double weight[kSamples];
        for (int i = 0; i < kSamples; ++i) {
            weight[i] = 1.0;
            for (int j = 0; j < kSamples; ++j)
                if (j != i) weight[i] *= (s - (j - kHalfSamples)) / static_cast<double>(i - j);
        }
        double x = 0, y = 0, moonKm = 0, sunKm = 0;
        for (int i = 0; i < kSamples; ++i) {
            x += weight[i] * x_[i];
            y += weight[i] * y_[i];
            moonKm += weight[i] * moonKm_[i];
            sunKm += weight[i] * sunKm_[i];
        }
        const double distance = std::hypot(x, y);
        const double pm = std::asin(kEarthRadiusKm / moonKm) * kRadToDeg;
        const double ps = std::asin(kEarthRadiusKm / sunKm) * kRadToDeg;
        const double ss = std::asin(kSunRadiusKm / sunKm) * kRadToDeg;
        const double sm = std::asin(kMoonToEarthRadius * kEarthRadiusKm / moonKm) * kRadToDeg;
        const double umbra = kDanjonEnlargement * pm + ps - ss;
        const double penumbra = kDanjonEnlargement * pm + ps + ss;
        return {distance - penumbra - sm, distance - umbra - sm, distance - umbra + sm};
    }

    // The instant the gap that member picks becomes zero before (direction
    // -1) or after (+1) greatest eclipse, or nothing when it is not negative
    // at greatest eclipse.
    std::optional<Instant> Contact(double ShadowGap::*member, double direction) const {
        constexpr double kStep = 0.25;
        constexpr double kResolution = 0.2 / kSecondsPerDay / kSpacingDays;
        double inside = 0.0;
        if (At(inside).*member >= 0.0) return std::nullopt;
        for (double outside = kStep; outside <= kHalfSamples; outside += kStep) {
            if (At(direction * outside).*member < 0.0) {
                inside = outside;
                continue;
            }
            while (outside - inside > kResolution) {
                const double m = 0.5 * (inside + outside);
                (At(direction * m).*member < 0.0 ? inside : outside) = m;
            }
            return InstantOfJde(greatestJde_ + direction * 0.5 * (inside + outside) * kSpacingDays);
        }
        return std::nullopt;
    }

private:
    static constexpr int kSamples = 2 * kHalfSamples + 1;
    double greatestJde_;
    double x_[kSamples], y_[kSamples], moonKm_[kSamples], sunKm_[kSamples];
};

}  // namespace

std::optional<LunarEclipse> EclipseOfLunation(long lunation) {
    // The Moon's argument of latitude at the mean full moon (ch. 49).
    const double f = detail::LatitudeArgumentAtLunationDeg(static_cast<double>(lunation) + 0.5);
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
    const Offset before = OffsetFromShadowAxis(MoonGeometric(jde0 - kFitHalfWidthDays), sun0.longitudeDeg - sunRateDeg,
                                               2.0 * sun0.latitudeDeg - sun1.latitudeDeg);
    const Offset after =
        OffsetFromShadowAxis(MoonGeometric(jde0 + kFitHalfWidthDays), sun1.longitudeDeg, sun1.latitudeDeg);
    const Offset b{(after.x - before.x) / 2.0, (after.y - before.y) / 2.0};
    const Offset c{(after.x + before.x) / 2.0 - a.x, (after.y + before.y) / 2.0 - a.y};
    const double s = LeastDistanceParameter(a, b, c);
    const double jde = jde0 + s * kFitHalfWidthDays;
    const double distance = std::hypot(a.x + s * (b.x + s * c.x), a.y + s * (b.y + s * c.y));

    const double penumbralMagnitude = (penumbra + sm - distance) / (2.0 * sm);
    const double umbralMagnitude = (umbra + sm - distance) / (2.0 * sm);
    if (penumbralMagnitude <= 0.0) return std::nullopt;
    const EclipseKind kind = umbralMagnitude >= 1.0  ? EclipseKind::Total
                             : umbralMagnitude > 0.0 ? EclipseKind::Partial
                                                     : EclipseKind::Penumbral;
    LunarEclipse eclipse{InstantOfJde(jde), kind, penumbralMagnitude, umbralMagnitude, {}, {}, {}, {}, {}, {}};
    const ShadowPath path(jde, SunApparent(jde, Nutation{0.0}), SunApparent(jde + kFitHalfWidthDays, Nutation{0.0}),
                          kFitHalfWidthDays);
    eclipse.p1 = path.Contact(&ShadowGap::penumbraOuter, -1.0);
    eclipse.p4 = path.Contact(&ShadowGap::penumbraOuter, 1.0);
    if (kind != EclipseKind::Penumbral) {
        eclipse.u1 = path.Contact(&ShadowGap::umbraOuter, -1.0);
        eclipse.u4 = path.Contact(&ShadowGap::umbraOuter, 1.0);
    }
    if (kind == EclipseKind::Total) {
        eclipse.u2 = path.Contact(&ShadowGap::umbraInner, -1.0);
        eclipse.u3 = path.Contact(&ShadowGap::umbraInner, 1.0);
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
