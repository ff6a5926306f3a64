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
    const double jde = RootBetween(mean - kSearchHalfWidthDays, mean + kSearchHalfWidthDays, rate, kResolutionDays);
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
