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
// terms add up to under three days), sampled at this step: the distance has
// a single extreme in the window, so the best sample is within one step.
constexpr double kSearchHalfWidthDays = 4.0;
constexpr double kSearchStepDays = 0.5;
// Parabolas through three samples, the spacing shrinking by this factor
// each round, until it is below this.
constexpr double kRefineShrink = 6.0;
constexpr double kRefineStopDays = 20.0 / kSecondsPerDay;

double MeanApsisJde(double k) {
    const double t = k / kAnomalisticMonthsPerCentury;
    return kMeanPerigeeJde0 + kAnomalisticMonthDays * k + t * t * (kApsisT2 + t * (kApsisT3 + t * kApsisT4));
}

ApsisEvent TrueApsis(long k, Apsis kind) {
    const double sign = kind == Apsis::Perigee ? 1.0 : -1.0;  // least or greatest
    const auto cost = [sign](double jde) { return sign * MoonGeometric(jde).distanceKm; };
    const double mean = MeanApsisJde(static_cast<double>(k) + (kind == Apsis::Apogee ? 0.5 : 0.0));
    double best = mean, bestCost = cost(mean);
    for (double d = -kSearchHalfWidthDays; d <= kSearchHalfWidthDays; d += kSearchStepDays) {
        const double c = cost(mean + d);
        if (c < bestCost) best = mean + d, bestCost = c;
    }
    for (double h = kSearchStepDays; h > kRefineStopDays; h /= kRefineShrink) {
        const double before = cost(best - h), after = cost(best + h);
        const double curvature = before - 2.0 * bestCost + after;
        if (curvature <= 0.0) break;
        const double shift = std::clamp(0.5 * h * (before - after) / curvature, -h, h);
        best += shift;
        bestCost = cost(best);
    }
    return {kind, InstantOfJde(best), sign * bestCost};
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
