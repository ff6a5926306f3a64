#pragma once
// The true sky: instants of the principal phases, the Moon's apparent place
// and illumination, and lunar eclipses, from a published lunar theory with
// its periodic terms. The windows keep Schaefer's whole-day count; this is
// what the command-line tool and the calendar export offer.
//
// Instants are Universal Time (UT1, which stays within 0.9 s of UTC) to the
// second. Valid for the years 1583..9999; outside, the results are whatever
// the formulas give (never a crash).

#include <chrono>
#include <optional>
#include <vector>

namespace lunomat::sky {

using Instant = std::chrono::sys_seconds;

enum class Phase { NewMoon, FirstQuarter, FullMoon, LastQuarter };

struct PhaseEvent {
    Phase phase;
    Instant utc;
};

// Smallest and largest year for which phases, positions and eclipses are offered.
inline constexpr int kFirstSkyYear = 1583;
inline constexpr int kLastSkyYear = 9999;

// ΔT = TT − UT in seconds for a decimal year (Espenak–Meeus polynomials).
double DeltaTSeconds(double decimalYear);

// The instant of one phase in lunation k (k = 0 is the new moon of
// 2000-01-06; k counts lunations, negative before that).
PhaseEvent PhaseOfLunation(long lunation, Phase phase);

// Every principal phase whose UT instant falls in the calendar years
// fromYear..toYear (inclusive), in time order.
std::vector<PhaseEvent> PhasesInYears(int fromYear, int toYear);

// The first `count` principal phases strictly after t, in time order.
std::vector<PhaseEvent> NextPhases(Instant t, int count);

// The last true new moon at or before t.
PhaseEvent PreviousNewMoon(Instant t);

// The Moon as seen from the Earth's centre at instant t.
struct MoonPosition {
    double longitudeDeg;         // apparent ecliptic longitude, 0 <= value < 360
    double latitudeDeg;          // apparent ecliptic latitude
    double distanceKm;           // centre of the Earth to centre of the Moon
    double phaseAngleDeg;        // Sun-Moon-Earth angle, 0 (full) .. 180 (new)
    double illuminatedFraction;  // 0 .. 1
};
MoonPosition MoonAt(Instant t);

enum class EclipseKind { Total, Partial, Penumbral };

struct LunarEclipse {
    Instant greatest;            // greatest eclipse, UT
    EclipseKind kind;
    double penumbralMagnitude;
    double umbralMagnitude;      // negative for a penumbral eclipse
};

// The eclipse at the full moon of lunation k, or nothing when that full moon
// misses the Earth's penumbra.
std::optional<LunarEclipse> EclipseOfLunation(long lunation);

// Every lunar eclipse whose greatest phase falls in fromYear..toYear, in time order.
std::vector<LunarEclipse> LunarEclipsesInYears(int fromYear, int toYear);

}  // namespace lunomat::sky
