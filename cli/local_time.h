#pragma once
// Instants of the true sky as people read them: in UTC for machines, and in
// the system's time zone (TZ honoured) for people, with German zone names
// where there are such.

#include <chrono>
#include <string>

namespace lunomat::cli {

using Instant = std::chrono::sys_seconds;

// "2024-01-25"
std::string IsoDate(std::chrono::year_month_day date);
// "2024-01-25T17:53:57Z"
std::string IsoUtc(Instant t);
// "20240125T175357Z", the iCalendar form.
std::string IcsUtc(Instant t);
// "2024-01-25T18:53:57+01:00" in the local zone (an offset with seconds, as
// local mean time before the zones had, gets them: "+00:53:28").
std::string IsoLocal(Instant t);

// The local time rounded to the minute, in German: weekday "Do", date
// "25.01.2024", clock "18:54" and zone "MEZ" ("MESZ" in summer; other zones
// by the system's abbreviation).
struct GermanMinute {
    std::string weekday, date, clock, zone;
};
GermanMinute LocalMinute(Instant t);
// The instant rounded to the nearest whole minute: what every output shows.
Instant RoundedMinute(Instant t);
// The last second of the local minute that holds t (zones whose offset has
// seconds, as local mean time, do not start their minutes with UTC's).
Instant EndOfLocalMinute(Instant t);
// The local calendar date of the instant rounded to the minute.
std::chrono::year_month_day LocalDate(Instant t);

// The last year whose computed instants the text output gives to the
// minute. After it ΔT is an extrapolation, uncertain by about a minute in
// 2500, a quarter of an hour in 5000 and hours by 9999.
inline constexpr int kLastMinuteYear = 2100;
// "18:54"; for a computed instant after kLastMinuteYear only the nearest
// full hour, "gegen 19 Uhr".
std::string ShownClock(Instant t);
// "Do 25.01.2024  18:54 MEZ" (with ShownClock; exact: always to the minute,
// for an instant the user gave).
std::string LocalMinuteText(Instant t, bool exact = false);

// The instant of a local date and time of day. A time the clock skips in
// TZ (a change to summer time) is a UsageError naming the gap. A time the
// clock shows twice is taken at its first showing, and *twice (when given)
// says so in German.
Instant FromLocal(std::chrono::year_month_day date, std::chrono::seconds timeOfDay, std::string* twice = nullptr);

// Now, to the second; IoError when the clock shows a year outside the
// years the sky is computed for.
Instant Now();

// The value of TZ when the C library cannot know it and silently takes UTC
// instead (no zone file of that name, no rule in the POSIX form); empty
// otherwise.
std::string UnknownZone();

}  // namespace lunomat::cli
