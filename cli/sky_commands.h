#pragma once
// The commands of the true sky: phase instants, the Moon at an instant,
// computed lunar eclipses and the calendar file of a year.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"

namespace lunomat::cli {

// phases FROM [TO] [--format csv|json | --ics FILE]
int CommandPhases(const std::vector<std::string_view>& args, std::FILE* out);
// moon [DATE [TIME]] [--format csv|json]; when the local time exists twice,
// the text says which was taken (the records' utc shows it).
int CommandMoon(const std::vector<std::string_view>& args, std::FILE* out);
// eclipses --from YEAR --to YEAR [--place LAT,LON] [--format csv|json], from
// already parsed arguments.
int ComputedEclipses(const Arguments& parsed, std::FILE* out);
// rise FROM [TO] --place LAT,LON [--format csv|json]
int CommandRise(const std::vector<std::string_view>& args, std::FILE* out);
// apsides FROM [TO] [--format csv|json]
int CommandApsides(const std::vector<std::string_view>& args, std::FILE* out);
// The kind's word in the records: "total", "partial" or "penumbral".
const char* EclipseKindKey(sky::EclipseKind kind);
// The calendar file of the phases whose instant falls in year.
std::string YearCalendar(int year);

}  // namespace lunomat::cli
