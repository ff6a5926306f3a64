#pragma once
// The true sky: instants of the principal phases, the Moon's apparent place
// and illumination, and lunar eclipses, from a published lunar theory with
// its periodic terms. The windows keep Schaefer's whole-day count; this is
// what the command-line tool and the calendar export offer.
//
// Instants are Universal Time (UT1, which stays within 0.9 s of UTC), rounded
// to the second. They are as good as the series (within half a minute of a
// full ephemeris for the phases) and ΔT: known to about a second where there
// are telescopic records, an extrapolation after 2005 whose error grows to
// minutes within a few centuries. Offered for the years 1583..9999; outside,
// the results are whatever the formulas give (never a crash).

#include <chrono>
#include <optional>
#include <vector>

#include "core/phase_names.h"

namespace lunomat::sky {

using Instant = std::chrono::sys_seconds;

struct PhaseEvent {
    Phase phase;
    Instant utc;
    long lunation = 0;  // k of the lunation the phase belongs to (see PhaseOfLunation)
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

struct LunarEclipse {
    Instant greatest;  // greatest eclipse, UT
    EclipseKind kind;
    double penumbralMagnitude;
    double umbralMagnitude;  // negative for a penumbral eclipse
    // Contacts, UT: the Moon's limb meets the penumbra (p1) and leaves it
    // (p4); meets the umbra (u1) and leaves it (u4); is wholly inside the
    // umbra (u2) until u3. Empty where the eclipse does not reach that stage.
    std::optional<Instant> p1, u1, u2, u3, u4, p4;
};

// The eclipse at the full moon of lunation k, or nothing when that full moon
// misses the Earth's penumbra.
std::optional<LunarEclipse> EclipseOfLunation(long lunation);

// Every lunar eclipse whose greatest phase falls in fromYear..toYear, in time order.
std::vector<LunarEclipse> LunarEclipsesInYears(int fromYear, int toYear);

// Brown's lunation number of lunation k: lunation 1 began with the new moon
// of 1923-01-17.
inline constexpr long kBrownLunationOffset = 953;
inline long BrownLunation(long lunation) { return lunation + kBrownLunationOffset; }

// A place on the Earth at sea level: latitude north positive, longitude
// east positive, in degrees.
struct Place {
    double latitudeDeg;
    double longitudeDeg;
};

// Altitude of the Moon's centre above the horizon of place at instant t,
// topocentric (parallax applied), without refraction, in degrees.
double MoonAltitude(Instant t, const Place& place);

enum class HorizonEvent { Rise, Transit, Set };
struct MoonEvent {
    HorizonEvent kind;
    Instant utc;
    double altitudeDeg;  // topocentric altitude of the centre then, no refraction
};
// Every rise, upper transit and set of the Moon at place with
// begin <= utc < end, in time order. Rise and set are the instants when the
// upper limb touches the horizon with 34' of refraction, as the almanacs
// count them; the transit is the Moon's centre on the meridian.
std::vector<MoonEvent> MoonEventsBetween(Instant begin, Instant end, const Place& place);

enum class Apsis { Perigee, Apogee };
struct ApsisEvent {
    Apsis kind;
    Instant utc;
    double distanceKm;  // Earth's centre to the Moon's centre at its extreme
};
// Every least (perigee) and greatest (apogee) distance of the Moon whose
// instant falls in the calendar years fromYear..toYear, in time order.
std::vector<ApsisEvent> ApsidesInYears(int fromYear, int toYear);

}  // namespace lunomat::sky
