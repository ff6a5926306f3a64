#pragma once
// Instants of the true sky as people read them: in UTC for machines, and in
// the system's time zone (TZ honoured) for people, with German zone names
// where there are such.

#include <chrono>
#include <string>

namespace lunomat::cli {

using Instant = std::chrono::sys_seconds;

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
// "Do 25.01.2024  18:54 MEZ"
std::string LocalMinuteText(Instant t);

// The instant of a local date and time of day (in a clock change's gap or
// overlap, the one the C library chooses).
Instant FromLocal(std::chrono::year_month_day date, std::chrono::seconds timeOfDay);

// Now, to the second; IoError when the clock shows a year outside the
// years the sky is computed for.
Instant Now();

// The value of TZ when the C library cannot know it and silently takes UTC
// instead (no zone file of that name, no rule in the POSIX form); empty
// otherwise.
std::string UnknownZone();

}  // namespace lunomat::cli
