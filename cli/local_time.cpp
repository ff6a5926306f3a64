#include "cli/local_time.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <regex>
#include <string_view>
#include <vector>

#include "cli/messages.h"
#include "core/sky.h"

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
    std::snprintf(buffer, sizeof buffer, pattern, tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                  tm.tm_sec);
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

std::string ShownClock(Instant t) {
    const chr::year_month_day utcDate{chr::floor<chr::days>(t)};
    if (static_cast<int>(utcDate.year()) <= kLastMinuteYear) return LocalMinute(t).clock;
    return "gegen " + std::to_string(Broken(t + chr::minutes{30}, true).tm_hour) + " Uhr";
}

std::string LocalMinuteText(Instant t, bool exact) {
    const GermanMinute m = LocalMinute(t);
    return m.weekday + " " + m.date + "  " + (exact ? m.clock : ShownClock(t)) + " " + m.zone;
}

namespace {

std::string Clock(const std::tm& tm) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", tm.tm_hour, tm.tm_min);
    return text;
}

}  // namespace

Instant FromLocal(chr::year_month_day date, chr::seconds timeOfDay, std::string* twice) {
    const chr::hh_mm_ss<chr::seconds> clock{timeOfDay};
    std::tm wanted{};
    wanted.tm_year = static_cast<int>(date.year()) - 1900;
    wanted.tm_mon = static_cast<int>(unsigned(date.month())) - 1;
    wanted.tm_mday = static_cast<int>(unsigned(date.day()));
    wanted.tm_hour = static_cast<int>(clock.hours().count());
    wanted.tm_min = static_cast<int>(clock.minutes().count());
    wanted.tm_sec = static_cast<int>(clock.seconds().count());
    Broken(Instant{}, true);  // reads TZ before mktime needs it
    // The time read as standard and as summer time: each reading that the
    // clock really shows is an instant of it.
    std::vector<Instant> found;
    for (const int dst : {1, 0}) {
        std::tm tm = wanted;
        tm.tm_isdst = dst;
        const std::time_t seconds = std::mktime(&tm);
        const Instant t{chr::seconds{seconds}};
        const std::tm shown = Broken(t, true);
        if (shown.tm_mday == wanted.tm_mday && shown.tm_hour == wanted.tm_hour && shown.tm_min == wanted.tm_min &&
            shown.tm_sec == wanted.tm_sec && (found.empty() || found[0] != t))
            found.push_back(t);
    }
    std::sort(found.begin(), found.end());
    char day[16];
    std::snprintf(day, sizeof day, "%02u.%02u.%04d", unsigned(date.day()), unsigned(date.month()), int(date.year()));
    if (found.empty()) {
        // The clock change lies within a day before the wanted time: find it
        // and name the last time before it and the first after.
        std::tm guess = wanted;
        guess.tm_isdst = -1;
        Instant before = Instant{chr::seconds{std::mktime(&guess)}} - chr::hours{24}, after = before + chr::hours{48};
        const long offset = Broken(before, true).tm_gmtoff;
        while (after - before > chr::seconds{1}) {
            const Instant middle = before + (after - before) / 2;
            (Broken(middle, true).tm_gmtoff == offset ? before : after) = middle;
        }
        // The clock read before the change, at the change: "02:00" to "03:00".
        const std::tm from = Broken(after + chr::seconds{offset}, false), to = Broken(after, true);
        throw UsageError{"Die Uhrzeit " + Clock(wanted) + " gibt es am " + day +
                         " in der Zeitzone nicht: die Uhr springt dort von " + Clock(from) + " auf " + Clock(to) + "."};
    }
    if (found.size() > 1 && twice != nullptr)
        *twice = "Die Uhrzeit " + Clock(wanted) + " gibt es am " + day + " zweimal; genommen ist die erste, " +
                 Clock(wanted) + " " + LocalMinute(found[0]).zone + " (" + IsoUtc(found[0]) + ").";
    return found[0];
}

Instant Now() {
    // Whole seconds straight from the system: the standard clock counts
    // nanoseconds in 64 bits and wraps outside 1677..2262.
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) throw IoError{"Die Uhrzeit des Rechners ist nicht bekannt."};
    std::tm utc{};
    const bool known = gmtime_r(&now.tv_sec, &utc) != nullptr;
    const long long year = utc.tm_year + 1900LL;
    if (!known || year < sky::kFirstSkyYear || year > sky::kLastSkyYear) {
        char date[48] = "?";
        if (known) std::snprintf(date, sizeof date, "%02d.%02d.%lld", utc.tm_mday, utc.tm_mon + 1, year);
        throw IoError{std::string("Die Uhr des Rechners steht auf dem ") + date +
                      " (UTC); berechnet werden nur Zeitpunkte der Jahre " + std::to_string(sky::kFirstSkyYear) +
                      " bis " + std::to_string(sky::kLastSkyYear) + ". Bitte Datum und Uhrzeit angeben."};
    }
    return Instant{chr::seconds{now.tv_sec}};
}

std::string UnknownZone() {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr || *tz == '\0' || std::strcmp(tz, ":") == 0) return {};  // UTC by the rule for an empty TZ
    const std::string name = tz[0] == ':' ? tz + 1 : tz;
    // A zone file: a path, or a name below the zone folder, whose first
    // bytes are those of a compiled zone.
    const char* folder = std::getenv("TZDIR");
    const std::string file =
        name[0] == '/' ? name : std::string(folder && *folder ? folder : "/usr/share/zoneinfo") + "/" + name;
    char magic[4] = {};
    if (std::ifstream(file, std::ios::binary).read(magic, 4) && std::memcmp(magic, "TZif", 4) == 0) return {};
    // A rule: std offset [dst [offset] [,start[/time],end[/time]]].
    static const std::regex kRule(
        R"(([A-Za-z]{3,}|<[A-Za-z0-9+-]{3,}>)[+-]?\d{1,3}(:\d{1,2}){0,2})"
        R"((([A-Za-z]{3,}|<[A-Za-z0-9+-]{3,}>)([+-]?\d{1,3}(:\d{1,2}){0,2})?(,[JM]?[0-9.]+(/[+-]?[0-9:]+)?){0,2})?)");
    return std::regex_match(name, kRule) ? std::string() : std::string(tz);
}

}  // namespace lunomat::cli
