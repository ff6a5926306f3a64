#pragma once
// The calendar file of the true phase instants (iCalendar, RFC 5545).

#include <string>
#include <vector>

#include "core/sky.h"

namespace lunomat::cli {

// A phase's German name ("Vollmond") and its key in CSV, JSON and UIDs ("full").
struct PhaseWords {
    const char* german;
    const char* key;
};
const PhaseWords& WordsOf(sky::Phase phase);

// One VEVENT per phase: DTSTART at the instant in UTC, a one-minute
// DURATION, the German name as SUMMARY, the local time in DESCRIPTION and a
// UID made of instant and kind, so that importing again updates the events.
// calendarName becomes X-WR-CALNAME.
std::string CalendarText(const std::vector<sky::PhaseEvent>& events, const std::string& calendarName);

}  // namespace lunomat::cli
