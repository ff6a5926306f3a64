#pragma once
// The words after a command's name: options, years, dates and times, each
// checked with one German message for what is wrong.

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/formats.h"
#include "core/sky.h"

namespace lunomat::cli {

// The options after a command's name, each at most once, and its other words.
struct Arguments {
    std::vector<std::string_view> words;
    std::optional<std::string> ics;
    std::optional<Format> format;
    std::optional<std::string_view> from;
    std::optional<std::string_view> to;
    std::optional<sky::Place> place;
};

// Options are "--name VALUE" or "--name=VALUE", only those in allowed; any
// other word beginning with "-" (except "-" itself) is refused.
Arguments ParseArguments(std::string_view command, const std::vector<std::string_view>& args,
                         std::initializer_list<std::string_view> allowed);

// UsageError unless words has between min and max entries.
void CheckWordCount(std::string_view command, const std::vector<std::string_view>& words, std::size_t min,
                    std::size_t max, std::string_view expected);

// Four digits naming a year in first..last.
int CheckedYear(std::string_view text, int first, int last);

// "TT.MM.JJJJ" (day and month with one or two digits) or "JJJJ-MM-TT", a
// date that exists, with its year in first..last.
std::chrono::year_month_day CheckedDate(std::string_view text, int first, int last);

// "LAT,LON": decimal degrees, north and east positive, latitude within
// ±90 and longitude within ±180 ("52.52,13.40", "-33.87,151.21").
sky::Place CheckedPlace(std::string_view text);

// "HH:MM" or "HH:MM:SS" on the 24-hour clock.
std::chrono::seconds CheckedTime(std::string_view text);

}  // namespace lunomat::cli
