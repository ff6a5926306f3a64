// The Moon above a place: its apparent place turned into the equator of the
// date, shifted by the parallax of the place (up to a degree for the Moon),
// and the instants at which it rises, crosses the meridian and sets, found
// by sampling and bisection.

#include <algorithm>
#include <cmath>

#include "core/sky_internal.h"

namespace lunomat::sky {

namespace {

using namespace detail;

// Mean obliquity of the ecliptic (Meeus 22.2): at J2000.0 and its terms in
// T, T² and T³, all in arcseconds.
constexpr double kObliquityArcsec[4] = {84381.448, -46.8150, -0.00059, 0.001813};
// Mean sidereal time at Greenwich (Meeus 12.4): degrees at J2000.0 UT, per
// day of UT, and the terms in T² and T³.
constexpr double kSiderealAt2000Deg = 280.46061837;
constexpr double kSiderealDegPerDay = 360.98564736629;
constexpr double kSiderealT2 = 0.000387933;
constexpr double kSiderealT3Divisor = 38710000.0;
// Polar over equatorial radius of the Earth (IAU 1976).
constexpr double kPolarRatio = 0.99664719;
// Radius of the Moon in km (its semidiameter, 15' 32.6" at 384,400 km).
constexpr double kMoonRadiusKm = 1737.4;
// Refraction at the horizon with which the almanacs count rise and set.
constexpr double kHorizonRefractionDeg = 34.0 / 60.0;
// Step of the search for events. Shorter than any stretch in which the
// Moon's upper limb rises and sets again except grazes at high latitudes,
// and far shorter than half a day for the transits.
constexpr double kSampleStepDays = 15.0 / 1440.0;
// The bisection stops below this, well under the second the results keep.
constexpr double kResolutionDays = 0.2 / kSecondsPerDay;

// Where the Moon stands for an observer: hour angle (west of the meridian),
// altitude of its centre without refraction and its distance, all
// topocentric.
struct Seen {
    double hourAngleDeg;  // -180 < value <= 180
    double altitudeDeg;
    double distanceKm;
};

Seen MoonSeen(double jd, const Place& place) {
    const double jde = JdeOfJulianDay(jd);
    const double t = CenturiesSinceJ2000(jde);
    const Nutation nutation = NutationAt(jde);
    const MoonPlace moon = MoonGeometric(jde);
    const double lambda = (moon.longitudeDeg + nutation.longitudeDeg) * kDegToRad;
    const double beta = moon.latitudeDeg * kDegToRad;
    const double epsilon =
        ((kObliquityArcsec[0] + t * (kObliquityArcsec[1] + t * (kObliquityArcsec[2] + t * kObliquityArcsec[3]))) *
             kArcsecToDeg +
         nutation.obliquityDeg) *
        kDegToRad;
    // Equatorial direction of the Moon, then its right ascension and declination.
    const double x = std::cos(beta) * std::cos(lambda);
    const double y = std::cos(beta) * std::sin(lambda) * std::cos(epsilon) - std::sin(beta) * std::sin(epsilon);
    const double z = std::cos(beta) * std::sin(lambda) * std::sin(epsilon) + std::sin(beta) * std::cos(epsilon);
    const double alpha = std::atan2(y, x);
    const double delta = std::asin(std::clamp(z, -1.0, 1.0));

    // Apparent sidereal time of the place (UT for the Earth's turn).
    const double tu = CenturiesSinceJ2000(jd);
    const double sidereal = kSiderealAt2000Deg + kSiderealDegPerDay * (jd - kJ2000) + kSiderealT2 * tu * tu -
                            tu * tu * tu / kSiderealT3Divisor + nutation.longitudeDeg * std::cos(epsilon) +
                            place.longitudeDeg;
    const double hourAngle = NormalizeDeg(sidereal) * kDegToRad - alpha;

    // In the frame of the local meridian (x to where it meets the equator, z
    // to the pole), the Moon less the observer's place on the ellipsoid.
    const double phi = place.latitudeDeg * kDegToRad;
    const double u = std::atan(kPolarRatio * std::tan(phi));
    const double observerX = std::abs(place.latitudeDeg) >= 90.0 ? 0.0 : std::cos(u) * kEarthRadiusKm;
    const double observerZ =
        (std::abs(place.latitudeDeg) >= 90.0 ? std::copysign(kPolarRatio, phi) : kPolarRatio * std::sin(u)) *
        kEarthRadiusKm;
    const double mx = moon.distanceKm * std::cos(delta) * std::cos(hourAngle) - observerX;
    const double my = moon.distanceKm * std::cos(delta) * std::sin(hourAngle);
    const double mz = moon.distanceKm * std::sin(delta) - observerZ;
    const double distance = std::sqrt(mx * mx + my * my + mz * mz);
    // The zenith of the place (geodetic latitude) is (cos φ, 0, sin φ).
    const double sinAltitude = (mx * std::cos(phi) + mz * std::sin(phi)) / distance;
    return {std::atan2(my, mx) * kRadToDeg, std::asin(std::clamp(sinAltitude, -1.0, 1.0)) * kRadToDeg, distance};
}

// Height of the upper limb above the horizon the almanacs use for rise and set.
double LimbAboveHorizon(const Seen& s) {
    return s.altitudeDeg + std::asin(kMoonRadiusKm / s.distanceKm) * kRadToDeg + kHorizonRefractionDeg;
}

}  // namespace

double MoonAltitude(Instant t, const Place& place) { return MoonSeen(JulianDayOf(t), place).altitudeDeg; }

std::vector<MoonEvent> MoonEventsBetween(Instant begin, Instant end, const Place& place) {
    std::vector<MoonEvent> events;
    const double first = JulianDayOf(begin), last = JulianDayOf(end);
    if (!(last > first)) return events;
    const auto limb = [&](double jd) { return LimbAboveHorizon(MoonSeen(jd, place)); };
    const auto hourAngle = [&](double jd) { return MoonSeen(jd, place).hourAngleDeg; };
    const auto add = [&](HorizonEvent kind, double jd) {
        const Instant utc = InstantOfJulianDay(jd);
        if (utc >= begin && utc < end) events.push_back({kind, utc, MoonSeen(jd, place).altitudeDeg});
    };

    const long steps = static_cast<long>(std::ceil((last - first) / kSampleStepDays));
    double a = first;
    Seen seenA = MoonSeen(a, place);
    for (long i = 1; i <= steps; ++i) {
        const double b = std::min(last, first + static_cast<double>(i) * kSampleStepDays);
        const Seen seenB = MoonSeen(b, place);
        const double limbA = LimbAboveHorizon(seenA), limbB = LimbAboveHorizon(seenB);
        // Hour angle from east of the meridian to west: the upper transit (the
        // jump from +180 to -180 is the lower one).
        const bool transit = seenA.hourAngleDeg < 0.0 && seenB.hourAngleDeg >= 0.0 && seenA.hourAngleDeg > -90.0;
        std::vector<std::pair<double, HorizonEvent>> found;
        if (limbA < 0.0 && limbB >= 0.0)
            found.emplace_back(RootBetween(a, b, limb, kResolutionDays), HorizonEvent::Rise);
        if (limbA >= 0.0 && limbB < 0.0)
            found.emplace_back(RootBetween(a, b, limb, kResolutionDays), HorizonEvent::Set);
        if (transit) found.emplace_back(RootBetween(a, b, hourAngle, kResolutionDays), HorizonEvent::Transit);
        std::sort(found.begin(), found.end());
        for (const auto& [jd, kind] : found) add(kind, jd);
        a = b;
        seenA = seenB;
    }
    return events;
}

}  // namespace lunomat::sky
