#pragma once
// Pieces shared by the sky computations: time scales, the Sun, nutation and
// the Moon in dynamical time. Not part of the public interface; the tests
// reach in to check the worked examples at their exact dynamical instants.

#include <array>
#include <cmath>

#include "core/sky.h"

namespace lunomat::sky::detail {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;      // radians per degree
constexpr double kRadToDeg = 180.0 / kPi;      // degrees per radian
constexpr double kArcsecToDeg = 1.0 / 3600.0;  // degrees per second of arc
constexpr double kSecondsPerDay = 86400.0;
// Julian date of 1970-01-01 0h, the origin of the system clock's seconds.
constexpr double kUnixEpochJd = 2440587.5;
// Julian date of the standard epoch J2000.0 (2000-01-01 12h TD).
constexpr double kJ2000 = 2451545.0;
// Days in a Julian century, the unit of the time argument T.
constexpr double kDaysPerJulianCentury = 36525.0;
// Kilometres in one astronomical unit.
constexpr double kAuKm = 149597870.7;
// Equatorial radius of the Earth in km.
constexpr double kEarthRadiusKm = 6378.14;

inline double SinDeg(double deg) { return std::sin(deg * kDegToRad); }
inline double CosDeg(double deg) { return std::cos(deg * kDegToRad); }
// An angle in degrees brought into 0 <= value < 360.
inline double NormalizeDeg(double deg) {
    const double r = deg - 360.0 * std::floor(deg / 360.0);
    return r >= 360.0 || r < 0.0 ? 0.0 : r;  // rounding at the edge
}

// Cosine and sine of an angle. The terms' arguments are sums of small
// multiples of four angles, so their sines and cosines follow from the
// angles' own by the addition theorems, without a call per term.
struct CosSin {
    double c, s;
};
inline CosSin Times(CosSin a, CosSin b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }

// cos and sin of n x for n = -4..4, at index n + 4.
struct Multiples {
    std::array<CosSin, 9> v;
    explicit Multiples(double x) {
        v[4] = {1.0, 0.0};
        v[5] = {std::cos(x), std::sin(x)};
        for (int n = 2; n <= 4; ++n) v[4 + n] = Times(v[3 + n], v[5]);
        for (int n = 1; n <= 4; ++n) v[4 - n] = {v[4 + n].c, -v[4 + n].s};
    }
    CosSin operator[](int n) const { return v[static_cast<std::size_t>(n) + 4]; }
};

// The point in [a, b] where value changes its sign, given that it does, to
// within resolution: regula falsi with the Illinois rule, which keeps the
// root bracketed and needs a handful of steps for smooth functions.
template <typename Value>
double RootBetween(double a, double b, Value value, double resolution) {
    double fa = value(a), fb = value(b);
    int side = 0;
    for (int i = 0; i < 60 && b - a > resolution; ++i) {
        const double c = fb != fa ? (a * fb - b * fa) / (fb - fa) : 0.5 * (a + b);
        const double fc = value(c);
        if (fc == 0.0) return c;
        if ((fc < 0.0) == (fa < 0.0)) {
            a = c, fa = fc;
            if (side == -1) fb /= 2.0;
            side = -1;
        } else {
            b = c, fb = fc;
            if (side == 1) fa /= 2.0;
            side = 1;
        }
        // Close enough in value: the step the next point would move is tiny.
        if (std::abs(fc) * (b - a) < resolution * std::abs(fb - fa)) return c;
    }
    return 0.5 * (a + b);
}

// Julian centuries of dynamical time since J2000.0.
inline double CenturiesSinceJ2000(double jde) { return (jde - kJ2000) / kDaysPerJulianCentury; }

// Lunations in a Julian century: lunation k lies T = k / this centuries from
// J2000.0 in the series of the phases and eclipses.
constexpr double kLunationsPerCentury = 1236.85;

// The eccentricity factor E of the Earth's orbit (no unit) at T Julian
// centuries from J2000.0: a term with the Sun's anomaly M carries it once,
// one with 2M twice.
inline double EccentricityFactor(double t) { return 1.0 - 0.002516 * t - 0.0000074 * t * t; }

// The Moon's argument of latitude F in degrees at lunation k (with the
// phase's fraction: 0.5 at full moon).
inline double LatitudeArgumentAtLunationDeg(double k) {
    const double t = k / kLunationsPerCentury, t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    return 160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4;
}

double JulianDayOf(Instant t);
Instant InstantOfJulianDay(double jd);  // rounded to the nearest second
// Dynamical time of a UT instant and back, with ΔT at that date.
double JdeOfInstant(Instant t);
Instant InstantOfJde(double jde);
double JdeOfJulianDay(double jd);

// Nutation in longitude and in obliquity, in degrees (short series, good to
// 0.5" and 0.1"). Ecliptic places need only the first.
struct Nutation {
    double longitudeDeg;
    double obliquityDeg = 0.0;
};
Nutation NutationAt(double jde);

// The Sun's apparent geocentric place: longitude corrected for nutation and
// aberration, latitude, and distance.
struct SunPlace {
    double longitudeDeg;
    double latitudeDeg;
    double distanceKm;
};
SunPlace SunApparent(double jde, const Nutation& nutation);

// The Moon's geometric geocentric place referred to the mean equinox of the
// date (no nutation yet).
struct MoonPlace {
    double longitudeDeg;
    double latitudeDeg;
    double distanceKm;
};
MoonPlace MoonGeometric(double jde);
// The same distance with its rate of change in km per day.
struct DistanceRate {
    double km, kmPerDay;
};
DistanceRate MoonDistanceRate(double jde);

// Apparent place and illumination at a dynamical instant.
MoonPosition MoonAtJde(double jde);

// The mean-phase series with all periodic and additional corrections: the
// instant of the phase in dynamical time (Julian ephemeris day).
double PhaseJde(long lunation, Phase phase);

// The lunation whose mean new moon is the last at or before t (give or take
// one near the boundary; callers look one lunation further each way).
long LunationNear(Instant t);

// The instants that open and close the calendar years fromYear..toYear
// (end excluded) and the lunations whose phases can fall between them: a
// principal phase lies at most a couple of days from its mean instant, so one
// lunation of margin on each side is plenty.
struct YearSpan {
    Instant begin, end;
    long firstLunation, lastLunation;
};
YearSpan SpanOfYears(int fromYear, int toYear);

}  // namespace lunomat::sky::detail
