// Instants of the principal phases from Meeus' series (Astronomical
// Algorithms, 2nd ed., ch. 49): the mean phase, the periodic terms in the
// Sun's and the Moon's anomalies, the Moon's argument of latitude and the
// node, and the fourteen planetary arguments. Good to well under a minute of
// dynamical time against the full lunar theory; the conversion to UT adds the
// uncertainty of ΔT.

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>

#include "core/sky_internal.h"

namespace lunomat::sky {

namespace detail {

namespace {

// Mean phase: JDE of the mean new moon of lunation 0 and the mean synodic
// month in days, with the secular terms in T (centuries).
constexpr double kMeanNewMoonJde0 = 2451550.09766;
constexpr double kMeanSynodicMonthDays = 29.530588861;
constexpr double kMeanPhaseT2 = 0.00015437;
constexpr double kMeanPhaseT3 = -0.000000150;
constexpr double kMeanPhaseT4 = 0.00000000073;

// One periodic term of the phase correction: coefficient in days, the power
// of E (the eccentricity factor of the Earth's orbit) it carries, and the
// multiples of M (Sun's mean anomaly), M' (Moon's mean anomaly), F (Moon's
// argument of latitude) and Ω (longitude of the ascending node) in its sine.
struct PhaseTerm {
    double coefficientDays;
    int powerOfE;
    int m, mPrime, f, omega;
};

// New and full moon share the arguments of their terms and differ only in
// the coefficients (days): new moon first, full moon second.
struct SyzygyTerm {
    double newMoonDays, fullMoonDays;
    int powerOfE;
    int m, mPrime, f, omega;
};
// clang-format off
constexpr std::array<SyzygyTerm, 25> kSyzygyTerms = {{
    {-0.40720, -0.40614, 0, 0, 1, 0, 0},
    {0.17241, 0.17302, 1, 1, 0, 0, 0},
    {0.01608, 0.01614, 0, 0, 2, 0, 0},
    {0.01039, 0.01043, 0, 0, 0, 2, 0},
    {0.00739, 0.00734, 1, -1, 1, 0, 0},
    {-0.00514, -0.00515, 1, 1, 1, 0, 0},
    {0.00208, 0.00209, 2, 2, 0, 0, 0},
    {-0.00111, -0.00111, 0, 0, 1, -2, 0},
    {-0.00057, -0.00057, 0, 0, 1, 2, 0},
    {0.00056, 0.00056, 1, 1, 2, 0, 0},
    {-0.00042, -0.00042, 0, 0, 3, 0, 0},
    {0.00042, 0.00042, 1, 1, 0, 2, 0},
    {0.00038, 0.00038, 1, 1, 0, -2, 0},
    {-0.00024, -0.00024, 1, -1, 2, 0, 0},
    {-0.00017, -0.00017, 0, 0, 0, 0, 1},
    {-0.00007, -0.00007, 0, 2, 1, 0, 0},
    {0.00004, 0.00004, 0, 0, 2, -2, 0},
    {0.00004, 0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0.00003, 0, 0, 2, 2, 0},
    {-0.00003, -0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0.00003, 0, -1, 1, 2, 0},
    {-0.00002, -0.00002, 0, -1, 1, -2, 0},
    {-0.00002, -0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0.00002, 0, 0, 4, 0, 0},
}};
// clang-format on

template <typename Coefficient>
constexpr std::array<PhaseTerm, 25> SyzygyTable(Coefficient coefficient) {
    std::array<PhaseTerm, 25> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const SyzygyTerm& t = kSyzygyTerms[i];
        out[i] = {coefficient(t), t.powerOfE, t.m, t.mPrime, t.f, t.omega};
    }
    return out;
}
constexpr auto kNewMoonTerms = SyzygyTable([](const SyzygyTerm& t) { return t.newMoonDays; });
constexpr auto kFullMoonTerms = SyzygyTable([](const SyzygyTerm& t) { return t.fullMoonDays; });

// clang-format off
constexpr std::array<PhaseTerm, 25> kQuarterTerms = {{
    {-0.62801, 0, 0, 1, 0, 0}, {0.17172, 1, 1, 0, 0, 0},  {-0.01183, 1, 1, 1, 0, 0},
    {0.00862, 0, 0, 2, 0, 0},  {0.00804, 0, 0, 0, 2, 0},  {0.00454, 1, -1, 1, 0, 0},
    {0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0}, {-0.00070, 0, 0, 1, 2, 0},
    {-0.00040, 0, 0, 3, 0, 0}, {-0.00034, 1, -1, 2, 0, 0}, {0.00032, 1, 1, 0, 2, 0},
    {0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0}, {0.00027, 1, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1}, {-0.00005, 0, -1, 1, -2, 0}, {0.00004, 0, 0, 2, 2, 0},
    {-0.00004, 0, 1, 1, 2, 0}, {0.00004, 0, -2, 1, 0, 0}, {0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0, 3, 0, 0, 0},  {0.00002, 0, 0, 2, -2, 0}, {0.00002, 0, -1, 1, 2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
}};
// clang-format on

// The planetary arguments A1..A14: value at k = 0 in degrees, degrees per
// lunation, and the coefficient of the sine in days.
struct PlanetaryTerm {
    double at0Deg;
    double degPerLunation;
    double coefficientDays;
};
// clang-format off
constexpr std::array<PlanetaryTerm, 14> kPlanetaryTerms = {{
    {299.77, 0.107408, 0.000325}, {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110},  {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056},  {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040},  {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
}};
// clang-format on
// A1 also has a term in T² (degrees per century²).
constexpr double kA1PerCentury2 = -0.009173;

double FractionOf(Phase phase) {
    switch (phase) {
    case Phase::NewMoon: return 0.0;
    case Phase::FirstQuarter: return 0.25;
    case Phase::FullMoon: return 0.5;
    case Phase::LastQuarter: return 0.75;
    }
    return 0.0;
}

}  // namespace

double PhaseJde(long lunation, Phase phase) {
    const double k = static_cast<double>(lunation) + FractionOf(phase);
    const double t = k / kLunationsPerCentury;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;

    double jde =
        kMeanNewMoonJde0 + kMeanSynodicMonthDays * k + kMeanPhaseT2 * t2 + kMeanPhaseT3 * t3 + kMeanPhaseT4 * t4;

    const double e = EccentricityFactor(t);
    // Sun's mean anomaly, Moon's mean anomaly, Moon's argument of latitude,
    // longitude of the Moon's ascending node (degrees).
    const double m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3;
    const double mp = 201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4;
    const double f = LatitudeArgumentAtLunationDeg(k);
    const double om = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;

    const auto& terms = phase == Phase::NewMoon    ? kNewMoonTerms
                        : phase == Phase::FullMoon ? kFullMoonTerms
                                                   : kQuarterTerms;
    const Multiples mn(NormalizeDeg(m) * kDegToRad), mpn(NormalizeDeg(mp) * kDegToRad);
    const Multiples fn(NormalizeDeg(f) * kDegToRad), omn(NormalizeDeg(om) * kDegToRad);
    const double eFactor[3] = {1.0, e, e * e};
    for (const PhaseTerm& term : terms) {
        const CosSin z = Times(Times(mn[term.m], mpn[term.mPrime]), Times(fn[term.f], omn[term.omega]));
        jde += term.coefficientDays * eFactor[term.powerOfE] * z.s;
    }
    if (phase == Phase::FirstQuarter || phase == Phase::LastQuarter) {
        const double w = 0.00306 - 0.00038 * e * mn[1].c + 0.00026 * mpn[1].c - 0.00002 * Times(mpn[1], mn[-1]).c +
                         0.00002 * Times(mpn[1], mn[1]).c + 0.00002 * fn[2].c;
        jde += phase == Phase::FirstQuarter ? w : -w;
    }
    for (std::size_t i = 0; i < kPlanetaryTerms.size(); ++i) {
        const PlanetaryTerm& a = kPlanetaryTerms[i];
        double arg = a.at0Deg + a.degPerLunation * k;
        if (i == 0) arg += kA1PerCentury2 * t2;
        jde += a.coefficientDays * SinDeg(NormalizeDeg(arg));
    }
    return jde;
}

// Lunations are kept within ±10^9 (some eighty million years), where the
// conversion from double stays defined.
constexpr double kLunationLimit = 1e9;

long LunationNear(Instant t) {
    const double k = std::floor((JulianDayOf(t) - kMeanNewMoonJde0) / kMeanSynodicMonthDays);
    return static_cast<long>(std::clamp(k, -kLunationLimit, kLunationLimit));
}

YearSpan SpanOfYears(int fromYear, int toYear) {
    using namespace std::chrono;
    const Instant begin{sys_days{year{fromYear} / January / 1}};
    const Instant end{sys_days{year{toYear + 1} / January / 1}};
    return {begin, end, LunationNear(begin) - 1, LunationNear(end) + 1};
}

}  // namespace detail

namespace {

using detail::InstantOfJde;
using detail::LunationNear;
using detail::PhaseJde;

constexpr std::array<Phase, 4> kPhaseOrder = {Phase::NewMoon, Phase::FirstQuarter, Phase::FullMoon, Phase::LastQuarter};

}  // namespace

PhaseEvent PhaseOfLunation(long lunation, Phase phase) {
    return {phase, InstantOfJde(PhaseJde(lunation, phase)), lunation};
}

std::vector<PhaseEvent> PhasesInYears(int fromYear, int toYear) {
    using namespace std::chrono;
    std::vector<PhaseEvent> out;
    if (fromYear > toYear) return out;
    const detail::YearSpan span = detail::SpanOfYears(fromYear, toYear);
    out.reserve(static_cast<std::size_t>(toYear - fromYear + 1) * 50);
    for (long k = span.firstLunation; k <= span.lastLunation; ++k) {
        for (Phase p : kPhaseOrder) {
            const PhaseEvent ev = PhaseOfLunation(k, p);
            if (ev.utc >= span.begin && ev.utc < span.end) out.push_back(ev);
        }
    }
    return out;
}

std::vector<PhaseEvent> NextPhases(Instant t, int count) {
    std::vector<PhaseEvent> out;
    if (count <= 0) return out;
    // Bounded by the lunations the count needs, so that an instant far
    // outside the range, where the series no longer gives ordered instants,
    // cannot keep the loop going.
    const long first = LunationNear(t) - 1;
    const long last = first + count / 4 + 3;
    for (long k = first; k <= last && static_cast<int>(out.size()) < count; ++k) {
        for (Phase p : kPhaseOrder) {
            const PhaseEvent ev = PhaseOfLunation(k, p);
            if (ev.utc > t && static_cast<int>(out.size()) < count) out.push_back(ev);
        }
    }
    return out;
}

PhaseEvent PreviousNewMoon(Instant t) {
    const long k0 = LunationNear(t) + 1;
    for (long k = k0; k > k0 - 3; --k) {
        const PhaseEvent ev = PhaseOfLunation(k, Phase::NewMoon);
        if (ev.utc <= t) return ev;
    }
    return PhaseOfLunation(k0 - 3, Phase::NewMoon);
}

}  // namespace lunomat::sky
