#pragma once
// The calendar file of the true phase instants (iCalendar, RFC 5545).

#include <string>
#include <vector>

#include "core/sky.h"

namespace lunomat::cli {

// A phase's key in CSV, JSON and UIDs ("full"); its German name is sky::PhaseName.
const char* PhaseKey(sky::Phase phase);

// One VEVENT per phase: DTSTART at the instant's minute in UTC, DTEND at the
// last second of that local minute, the German name as SUMMARY, the local time and the lunation
// in DESCRIPTION and a UID made of lunation number and kind, so that
// importing again updates the events. calendarName becomes X-WR-CALNAME.
// Lines are folded at 75 octets, texts escaped.
std::string CalendarText(const std::vector<sky::PhaseEvent>& events, const std::string& calendarName);

// The same file in pieces, for a range too long to hold whole: the head,
// the events of each part of the range (all stamped with the same instant,
// when the export was made), the end.
std::string CalendarBegin(const std::string& calendarName);
std::string CalendarEvents(const std::vector<sky::PhaseEvent>& events, sky::Instant stamped);
std::string CalendarEnd();

}  // namespace lunomat::cli
