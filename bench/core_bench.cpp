// Timing of the lunar core: one moon state next to the bare math-library
// calls it is made of, the display texts of every date 1900-2100, one
// annual phase table; and of the true sky: one phase instant, every phase
// and every lunar eclipse of the years 1583-9999.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "core/annual.h"
#include "core/display.h"
#include "core/moon.h"
#include "core/sky.h"

namespace {

using namespace std::chrono;

void BM_ComputeMoonState(benchmark::State& state) {
    double j = 2415020.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lunomat::ComputeMoonState(j));
        j += 1.0;
        if (j > 2488434.0) j = 2415020.0;
    }
}
BENCHMARK(BM_ComputeMoonState);

// The same math-library work without the formulas around it: four floors,
// three sine-cosine pairs and one sine on arguments of the same ranges (whole
// turns in radians, doubled turns up to 4 pi), since the cost of sin and cos
// depends on the size of the argument.
void BM_LibmBaseline(benchmark::State& state) {
    constexpr double kTurn = 6.283185307179586;
    double j = 2415020.0;
    for (auto _ : state) {
        double x = j;
        benchmark::DoNotOptimize(x);
        const double a = (x / 29.5 - std::floor(x / 29.5)) * kTurn;
        const double b = (x / 27.5 - std::floor(x / 27.5)) * kTurn;
        const double c = (x / 27.2 - std::floor(x / 27.2)) * kTurn;
        const double d = x / 27.3 - std::floor(x / 27.3);
        double r = std::cos(b) + std::cos(2.0 * a - b) + std::cos(2.0 * a);
        r += std::sin(c) + d + std::sin(b) + std::sin(2.0 * a - b) + std::sin(2.0 * a);
        benchmark::DoNotOptimize(r);
        j += 1.0;
        if (j > 2488434.0) j = 2415020.0;
    }
}
BENCHMARK(BM_LibmBaseline);

void BM_DisplaySweep1900To2100(benchmark::State& state) {
    std::vector<year_month_day> dates;
    for (sys_days d{1900y / 1 / 1}; d <= sys_days{2100y / 12 / 31}; d += days{1}) dates.emplace_back(d);
    for (auto _ : state) {
        for (const auto& date : dates) benchmark::DoNotOptimize(lunomat::BuildMoonDisplay(date));
    }
    state.counters["dates"] = static_cast<double>(dates.size());
}
BENCHMARK(BM_DisplaySweep1900To2100)->Unit(benchmark::kMillisecond);

void BM_AnnualPhaseTable(benchmark::State& state) {
    int year = 1900;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lunomat::computeAnnualPhaseTable(year));
        if (++year > 2100) year = 1900;
    }
}
BENCHMARK(BM_AnnualPhaseTable);

void BM_PhaseInstant(benchmark::State& state) {
    constexpr lunomat::sky::Phase kPhases[] = {lunomat::sky::Phase::NewMoon, lunomat::sky::Phase::FirstQuarter,
                                               lunomat::sky::Phase::FullMoon, lunomat::sky::Phase::LastQuarter};
    long k = -5000;
    int p = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lunomat::sky::PhaseOfLunation(k, kPhases[p]));
        if (++p == 4) {
            p = 0;
            if (++k > 5000) k = -5000;
        }
    }
}
BENCHMARK(BM_PhaseInstant);

void BM_AllPhases1583To9999(benchmark::State& state) {
    for (auto _ : state) {
        const auto phases = lunomat::sky::PhasesInYears(lunomat::sky::kFirstSkyYear, lunomat::sky::kLastSkyYear);
        state.counters["phases"] = static_cast<double>(phases.size());
    }
}
BENCHMARK(BM_AllPhases1583To9999)->Unit(benchmark::kMillisecond);

void BM_AllLunarEclipses1583To9999(benchmark::State& state) {
    for (auto _ : state) {
        const auto eclipses =
            lunomat::sky::LunarEclipsesInYears(lunomat::sky::kFirstSkyYear, lunomat::sky::kLastSkyYear);
        state.counters["eclipses"] = static_cast<double>(eclipses.size());
    }
}
BENCHMARK(BM_AllLunarEclipses1583To9999)->Unit(benchmark::kMillisecond);

}  // namespace
