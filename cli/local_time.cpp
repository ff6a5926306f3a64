#include "cli/local_time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "cli/messages.h"

namespace lunomat::cli {
namespace {

namespace chr = std::chrono;

std::tm Broken(Instant t, bool local) {
    static const bool zoneRead = (tzset(), true);  // TZ as the user set it
    (void)zoneRead;
    const std::time_t seconds = static_cast<std::time_t>(t.time_since_epoch().count());
    std::tm tm{};
    if ((local ? localtime_r(&seconds, &tm) : gmtime_r(&seconds, &tm)) == nullptr)
        throw IoError{"Die Ortszeit ist nicht bekannt."};
    return tm;
}

std::string Printed(const char* pattern, const std::tm& tm) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                  tm.tm_min, tm.tm_sec);
    return buffer;
}

}  // namespace

std::string IsoDate(chr::year_month_day date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

std::string IsoUtc(Instant t) { return Printed("%04d-%02d-%02dT%02d:%02d:%02dZ", Broken(t, false)); }

std::string IcsUtc(Instant t) { return Printed("%04d%02d%02dT%02d%02d%02dZ", Broken(t, false)); }

std::string IsoLocal(Instant t) {
    const std::tm tm = Broken(t, true);
    const long offset = std::labs(tm.tm_gmtoff);
    char zone[32];
    std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", tm.tm_gmtoff < 0 ? '-' : '+', offset / 3600, offset / 60 % 60);
    std::string text = Printed("%04d-%02d-%02dT%02d:%02d:%02d", tm) + zone;
    if (offset % 60 != 0) {
        std::snprintf(zone, sizeof zone, ":%02ld", offset % 60);
        text += zone;
    }
    return text;
}

Instant RoundedMinute(Instant t) { return chr::floor<chr::minutes>(t + chr::seconds{30}); }

Instant EndOfLocalMinute(Instant t) { return t + chr::seconds{59 - Broken(t, true).tm_sec}; }

chr::year_month_day LocalDate(Instant t) {
    const std::tm tm = Broken(RoundedMinute(t), true);
    return chr::year{tm.tm_year + 1900} / chr::month{static_cast<unsigned>(tm.tm_mon + 1)} /
           chr::day{static_cast<unsigned>(tm.tm_mday)};
}

GermanMinute LocalMinute(Instant t) {
    static constexpr const char* kWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    const std::tm tm = Broken(RoundedMinute(t), true);
    const std::string_view zone = tm.tm_zone ? tm.tm_zone : "";
    char date[32], clock[16];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
    std::snprintf(clock, sizeof clock, "%02d:%02d", tm.tm_hour, tm.tm_min);
    return {kWeekdays[tm.tm_wday], date, clock, zone == "CET" ? "MEZ" : zone == "CEST" ? "MESZ" : std::string(zone)};
}

std::string LocalMinuteText(Instant t) {
    const GermanMinute m = LocalMinute(t);
    return m.weekday + " " + m.date + "  " + m.clock + " " + m.zone;
}

Instant FromLocal(chr::year_month_day date, chr::seconds timeOfDay) {
    const chr::hh_mm_ss<chr::seconds> clock{timeOfDay};
    std::tm tm{};
    tm.tm_year = static_cast<int>(date.year()) - 1900;
    tm.tm_mon = static_cast<int>(unsigned(date.month())) - 1;
    tm.tm_mday = static_cast<int>(unsigned(date.day()));
    tm.tm_hour = static_cast<int>(clock.hours().count());
    tm.tm_min = static_cast<int>(clock.minutes().count());
    tm.tm_sec = static_cast<int>(clock.seconds().count());
    tm.tm_isdst = -1;
    Broken(Instant{}, true);  // reads TZ before mktime needs it
    const std::time_t seconds = std::mktime(&tm);
    if (seconds == static_cast<std::time_t>(-1) && tm.tm_year != 69)
        throw IoError{"Die Ortszeit ist nicht bekannt."};
    return Instant{chr::seconds{seconds}};
}

Instant Now() { return chr::floor<chr::seconds>(chr::system_clock::now()); }

}  // namespace lunomat::cli
