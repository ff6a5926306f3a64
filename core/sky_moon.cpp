// The Moon's place from the truncated lunar theory ELP-2000/82 as given by
// Meeus (Astronomical Algorithms, 2nd ed., ch. 47: about 10" in longitude,
// 4" in latitude and a few km in distance), made apparent with nutation in
// longitude; the illuminated fraction from the phase angle (ch. 48).

#include <algorithm>
#include <array>
#include <cmath>

#include "core/sky_internal.h"

namespace lunomat::sky::detail {

namespace {

// Fundamental arguments in degrees as polynomials in T (centuries since
// J2000.0): constant, T, T², and the divisors of T³ and T⁴ (0: no term).
struct Argument {
    double c0, c1, c2, d3, d4;
    double At(double t) const {
        double v = c0 + t * (c1 + t * c2);
        if (d3 != 0.0) v += t * t * t / d3;
        if (d4 != 0.0) v += t * t * t * t / d4;
        return NormalizeDeg(v);
    }
};
// Moon's mean longitude referred to the mean equinox of the date.
constexpr Argument kMeanLongitude{218.3164477, 481267.88123421, -0.0015786, 538841.0, -65194000.0};
// Mean elongation of the Moon from the Sun.
constexpr Argument kElongation{297.8501921, 445267.1114034, -0.0018819, 545868.0, -113065000.0};
// Sun's mean anomaly.
constexpr Argument kSunAnomaly{357.5291092, 35999.0502909, -0.0001536, 24490000.0, 0.0};
// Moon's mean anomaly.
constexpr Argument kMoonAnomaly{134.9633964, 477198.8675055, 0.0087414, 69699.0, -14712000.0};
// Moon's argument of latitude (mean distance from its ascending node).
constexpr Argument kLatitudeArgument{93.2720950, 483202.0175233, -0.0036539, -3526000.0, 863310000.0};

// Periodic terms. Columns: multiples of D (elongation), M (Sun's anomaly),
// M' (Moon's anomaly), F (argument of latitude); then for longitude the
// coefficient of the sine in 1e-6 degrees and for distance the coefficient of
// the cosine in metres (table 47.A); for latitude the coefficient of the sine
// in 1e-6 degrees (table 47.B). Terms with M carry E, with 2M carry E².
struct LrTerm {
    int d, m, mp, f;
    double l, r;
};
// clang-format off
constexpr std::array<LrTerm, 60> kLongitudeDistance = {{
    {0, 0, 1, 0, 6288774, -20905355}, {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},   {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},     {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},     {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},     {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},   {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},     {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},          {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},     {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},      {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},       {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},       {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},       {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},       {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},          {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},        {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},        {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},      {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},           {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},           {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},         {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},       {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},            {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},         {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},        {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},           {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},             {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},            {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},         {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},             {2, 0, -1, -2, 0, 8752},
}};
// clang-format on
struct BTerm {
    int d, m, mp, f;
    double b;
};
// clang-format off
constexpr std::array<BTerm, 60> kLatitude = {{
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},   {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},  {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
}};
// clang-format on

// Additive terms for the action of Venus (A1), Jupiter (A2) and the
// flattening of the Earth (L' − F, A3 and L' ± M'): arguments in degrees,
// coefficients in 1e-6 degrees.
constexpr double kA1At0 = 119.75, kA1PerCentury = 131.849;
constexpr double kA2At0 = 53.09, kA2PerCentury = 479264.290;
constexpr double kA3At0 = 313.45, kA3PerCentury = 481266.484;

constexpr double kMicroDegrees = 1e-6;

constexpr double kMetresPerKm = 1000.0;
// Mean distance of the Moon's centre from the Earth's centre in km.
constexpr double kMeanDistanceKm = 385000.56;

}  // namespace

MoonPlace MoonGeometric(double jde) {
    const double t = CenturiesSinceJ2000(jde);
    const double lp = kMeanLongitude.At(t);
    const double d = kElongation.At(t) * kDegToRad;
    const double m = kSunAnomaly.At(t) * kDegToRad;
    const double mp = kMoonAnomaly.At(t) * kDegToRad;
    const double f = kLatitudeArgument.At(t) * kDegToRad;
    const double e = EccentricityFactor(t);
    const double eFactor[3] = {1.0, e, e * e};

    const Multiples dn(d), mn(m), mpn(mp), fn(f);
    double sumL = 0.0, sumR = 0.0, sumB = 0.0;
    for (const LrTerm& term : kLongitudeDistance) {
        const CosSin z = Times(Times(dn[term.d], mn[term.m]), Times(mpn[term.mp], fn[term.f]));
        const double ef = eFactor[std::abs(term.m)];
        sumL += term.l * ef * z.s;
        sumR += term.r * ef * z.c;
    }
    for (const BTerm& term : kLatitude) {
        const CosSin z = Times(Times(dn[term.d], mn[term.m]), Times(mpn[term.mp], fn[term.f]));
        sumB += term.b * eFactor[std::abs(term.m)] * z.s;
    }

    const double a1 = NormalizeDeg(kA1At0 + kA1PerCentury * t);
    const double a2 = NormalizeDeg(kA2At0 + kA2PerCentury * t);
    const double a3 = NormalizeDeg(kA3At0 + kA3PerCentury * t);
    const double fDeg = f / kDegToRad, mpDeg = mp / kDegToRad;
    sumL += 3958.0 * SinDeg(a1) + 1962.0 * SinDeg(lp - fDeg) + 318.0 * SinDeg(a2);
    sumB += -2235.0 * SinDeg(lp) + 382.0 * SinDeg(a3) + 175.0 * SinDeg(a1 - fDeg) + 175.0 * SinDeg(a1 + fDeg) +
            127.0 * SinDeg(lp - mpDeg) - 115.0 * SinDeg(lp + mpDeg);

    return {NormalizeDeg(lp + sumL * kMicroDegrees), sumB * kMicroDegrees, kMeanDistanceKm + sumR / kMetresPerKm};
}

DistanceRate MoonDistanceRate(double jde) {
    const double t = CenturiesSinceJ2000(jde);
    const double d = kElongation.At(t) * kDegToRad, m = kSunAnomaly.At(t) * kDegToRad;
    const double mp = kMoonAnomaly.At(t) * kDegToRad, f = kLatitudeArgument.At(t) * kDegToRad;
    // The arguments' rates in radians per day (their secular terms change
    // them by far less than the distance needs).
    const double perDay = kDegToRad / kDaysPerJulianCentury;
    const double dRate = kElongation.c1 * perDay, mRate = kSunAnomaly.c1 * perDay;
    const double mpRate = kMoonAnomaly.c1 * perDay, fRate = kLatitudeArgument.c1 * perDay;
    const double e = EccentricityFactor(t);
    const double eFactor[3] = {1.0, e, e * e};
    const Multiples dn(d), mn(m), mpn(mp), fn(f);
    double sum = 0.0, rate = 0.0;
    for (const LrTerm& term : kLongitudeDistance) {
        const CosSin z = Times(Times(dn[term.d], mn[term.m]), Times(mpn[term.mp], fn[term.f]));
        const double coefficient = term.r * eFactor[std::abs(term.m)];
        sum += coefficient * z.c;
        rate -= coefficient * z.s * (term.d * dRate + term.m * mRate + term.mp * mpRate + term.f * fRate);
    }
    return {kMeanDistanceKm + sum / kMetresPerKm, rate / kMetresPerKm};
}

MoonPosition MoonAtJde(double jde) {
    const Nutation nutation = NutationAt(jde);
    const MoonPlace moon = MoonGeometric(jde);
    const SunPlace sun = SunApparent(jde, nutation);
    const double lambda = NormalizeDeg(moon.longitudeDeg + nutation.longitudeDeg);

    // Geocentric elongation ψ of the Moon from the Sun, then the phase angle
    // i at the Moon between the directions to the Sun and to the Earth.
    const double beta = moon.latitudeDeg * kDegToRad;
    const double cosPsi = std::cos(beta) * CosDeg(lambda - sun.longitudeDeg);
    const double psi = std::acos(std::clamp(cosPsi, -1.0, 1.0));
    const double i = std::atan2(sun.distanceKm * std::sin(psi), moon.distanceKm - sun.distanceKm * cosPsi);
    return {lambda, moon.latitudeDeg, moon.distanceKm, i / kDegToRad, (1.0 + std::cos(i)) / 2.0};
}

}  // namespace lunomat::sky::detail

namespace lunomat::sky {

MoonPosition MoonAt(Instant t) { return detail::MoonAtJde(detail::JdeOfInstant(t)); }

}  // namespace lunomat::sky
