// Perigee and apogee: the true extremes of the Moon's distance from the
// lunar theory, searched around the apsides of the mean orbit (Meeus,
// Astronomical Algorithms, 2nd ed., ch. 50), from which the Sun's pull moves
// them by up to a few days.

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/sky_internal.h"

namespace lunomat::sky {

namespace {

using namespace detail;

// The mean perigee of k = 0 (1999-12-22) in JDE, the mean anomalistic month
// in days, its secular terms, and the anomalistic months per Julian century.
constexpr double kMeanPerigeeJde0 = 2451534.6698;
constexpr double kAnomalisticMonthDays = 27.55454989;
constexpr double kApsisT2 = -0.0006691;
constexpr double kApsisT3 = -0.000001098;
constexpr double kApsisT4 = 0.0000000052;
constexpr double kAnomalisticMonthsPerCentury = 1325.55;
// The true apsis lies within this many days of the mean one (the periodic
// terms add up to under three days); the distance has a single extreme in
// that window, where its rate changes sign.
constexpr double kSearchHalfWidthDays = 4.0;
constexpr double kResolutionDays = 10.0 / kSecondsPerDay;

double MeanApsisJde(double k) {
    const double t = k / kAnomalisticMonthsPerCentury;
    return kMeanPerigeeJde0 + kAnomalisticMonthDays * k + t * t * (kApsisT2 + t * (kApsisT3 + t * kApsisT4));
}

ApsisEvent TrueApsis(long k, Apsis kind) {
    // The rate, turned so that it goes from negative to positive at the extreme.
    const double sign = kind == Apsis::Perigee ? 1.0 : -1.0;
    const auto rate = [sign](double jde) { return sign * MoonDistanceRate(jde).kmPerDay; };
    const double mean = MeanApsisJde(static_cast<double>(k) + (kind == Apsis::Apogee ? 0.5 : 0.0));
    // Regula falsi with the Illinois rule: the rate is smooth, so it ends
    // in a handful of steps.
    double a = mean - kSearchHalfWidthDays, b = mean + kSearchHalfWidthDays;
    double fa = rate(a), fb = rate(b);
    int side = 0;
    while (b - a > kResolutionDays) {
        const double c = fa < 0.0 && fb > 0.0 ? (a * fb - b * fa) / (fb - fa) : 0.5 * (a + b);
        const double fc = rate(c);
        if (fc < 0.0) {
            a = c, fa = fc;
            if (side == -1) fb /= 2.0;
            side = -1;
        } else {
            b = c, fb = fc;
            if (side == 1) fa /= 2.0;
            side = 1;
        }
        if (std::abs(fc) < 1e-9) a = b = c;
    }
    const double jde = 0.5 * (a + b);
    return {kind, InstantOfJde(jde), MoonDistanceRate(jde).km};
}

}  // namespace

std::vector<ApsisEvent> ApsidesInYears(int fromYear, int toYear) {
    std::vector<ApsisEvent> out;
    if (fromYear > toYear) return out;
    const YearSpan span = SpanOfYears(fromYear, toYear);
    const double firstK = std::floor((JdeOfInstant(span.begin) - kMeanPerigeeJde0) / kAnomalisticMonthDays) - 1.0;
    const double lastK = std::ceil((JdeOfInstant(span.end) - kMeanPerigeeJde0) / kAnomalisticMonthDays) + 1.0;
    out.reserve(static_cast<std::size_t>(2.0 * (lastK - firstK + 1.0)));
    for (long k = static_cast<long>(firstK); k <= static_cast<long>(lastK); ++k) {
        for (Apsis kind : {Apsis::Perigee, Apsis::Apogee}) {
            const ApsisEvent e = TrueApsis(k, kind);
            if (e.utc >= span.begin && e.utc < span.end) out.push_back(e);
        }
    }
    return out;
}

}  // namespace lunomat::sky
