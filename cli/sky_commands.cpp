#include "cli/sky_commands.h"

#include <cmath>

#include "cli/calendar_file.h"
#include "cli/local_time.h"
#include "cli/messages.h"
#include "cli/output_file.h"
#include "core/display.h"
#include "core/eclipses.h"

namespace lunomat::cli {
namespace {

namespace chr = std::chrono;

// A number for CSV and JSON: C decimal point, fixed decimals, no "-0".
std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') text.erase(0, 1);
    return text;
}

// "1 Tag", "5 Tage"
std::string Counted(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// FROM..TO of the sky's years, TO defaulting to FROM.
std::pair<int, int> CheckedYears(std::string_view fromText, std::optional<std::string_view> toText) {
    const int from = CheckedYear(fromText, sky::kFirstSkyYear, sky::kLastSkyYear);
    const int to = toText ? CheckedYear(*toText, sky::kFirstSkyYear, sky::kLastSkyYear) : from;
    if (to < from) throw UsageError{"Das Jahr " + std::string(*toText) + " liegt vor " + std::string(fromText) + "."};
    return {from, to};
}

std::string PhaseLine(const sky::PhaseEvent& event) {
    return std::string(WordsOf(event.phase).german) + "  " + LocalMinuteText(event.utc) + "\n";
}

}  // namespace

std::string YearCalendar(int year) {
    return CalendarText(sky::PhasesInYears(year, year), "Mondphasen " + std::to_string(year));
}

int CommandPhases(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("phases", args, {"--format", "--ics"});
    CheckWordCount("phases", parsed.words, 1, 2, "ein Jahr VON und wahlweise ein Jahr BIS");
    const auto [from, to] =
        CheckedYears(parsed.words[0], parsed.words.size() > 1 ? std::optional(parsed.words[1]) : std::nullopt);
    const std::vector<sky::PhaseEvent> events = sky::PhasesInYears(from, to);
    if (parsed.ics) {
        const std::string name = "Mondphasen " + std::to_string(from) + (to > from ? "-" + std::to_string(to) : "");
        WriteOutputFile(*parsed.ics, CalendarText(events, name), out);
        return 0;
    }
    std::string text;
    std::vector<Record> records;
    for (const sky::PhaseEvent& event : events) {
        if (parsed.format) records.push_back({{WordsOf(event.phase).key}, {IsoUtc(event.utc)}, {IsoLocal(event.utc)}});
        else text += PhaseLine(event);
    }
    WriteAll(out, parsed.format ? RecordsText(*parsed.format, {"phase", "utc", "local"}, records) : text);
    return 0;
}

int CommandMoon(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("moon", args, {"--format"});
    CheckWordCount("moon", parsed.words, 0, 2, "höchstens ein Datum und eine Uhrzeit");
    Instant t = Now();
    if (!parsed.words.empty()) {
        const auto date = CheckedDate(parsed.words[0], sky::kFirstSkyYear, sky::kLastSkyYear);
        t = FromLocal(date, parsed.words.size() > 1 ? CheckedTime(parsed.words[1]) : chr::seconds{0});
    }
    const sky::MoonPosition moon = sky::MoonAt(t);
    const sky::PhaseEvent newMoon = sky::PreviousNewMoon(t);
    const chr::seconds age = t - newMoon.utc;
    if (parsed.format) {
        const Record record{{IsoUtc(t)},
                            {Fixed(moon.illuminatedFraction * 100, 1), true},
                            {Fixed(moon.phaseAngleDeg, 2), true},
                            {Fixed(age.count() / 86400.0, 3), true},
                            {Fixed(moon.distanceKm, 0), true},
                            {Fixed(moon.longitudeDeg, 4), true},
                            {Fixed(moon.latitudeDeg, 4), true}};
        WriteAll(out, RecordsText(*parsed.format,
                                  {"utc", "illuminated_percent", "phase_angle_deg", "age_days", "distance_km",
                                   "longitude_deg", "latitude_deg"},
                                  {record}, true));
        return 0;
    }
    const long long days = chr::floor<chr::days>(age).count();
    const long long hours = chr::floor<chr::hours>(age - chr::days{days}).count();
    std::string text = "Zeitpunkt:           " + LocalMinuteText(t) + "\n" +
                       "Beleuchtet:          " + GermanDecimal(moon.illuminatedFraction * 100, 1) + " %\n" +
                       "Phasenwinkel:        " + GermanDecimal(moon.phaseAngleDeg, 1) + " °\n" +
                       "Mondalter:           " + Counted(days, "Tag", "Tage") + " " +
                       Counted(hours, "Stunde", "Stunden") + " seit dem Neumond " + LocalMinuteText(newMoon.utc) +
                       "\n" + "Entfernung:          " + GermanDecimal(moon.distanceKm, 0) + " km\n" +
                       "Ekliptische Länge:   " + GermanDecimal(moon.longitudeDeg, 2) + " °\n" +
                       "Ekliptische Breite:  " + GermanDecimal(moon.latitudeDeg, 2) + " °\n" + "Nächste Phasen:\n";
    for (const sky::PhaseEvent& event : sky::NextPhases(t, 4)) text += "  " + PhaseLine(event);
    WriteAll(out, text);
    return 0;
}

int ComputedEclipses(const Arguments& parsed, std::FILE* out) {
    const std::string_view fromText = parsed.from ? *parsed.from : *parsed.to;
    const auto [from, to] = CheckedYears(fromText, parsed.to);
    std::string text;
    std::vector<Record> records;
    for (const sky::LunarEclipse& eclipse : sky::LunarEclipsesInYears(from, to)) {
        static constexpr const char* kKeys[] = {"total", "partial", "penumbral"};
        static constexpr EclipseKind kKinds[] = {EclipseKind::Total, EclipseKind::Partial, EclipseKind::Penumbral};
        const int kind = static_cast<int>(eclipse.kind);
        records.push_back({{IsoUtc(eclipse.greatest)},
                           {kKeys[kind]},
                           {Fixed(eclipse.penumbralMagnitude, 3), true},
                           {Fixed(eclipse.umbralMagnitude, 3), true}});
        text += LocalMinuteText(eclipse.greatest) + "  " + EclipseKindWindowText(kKinds[kind]) +
                "  Halbschattengröße " + GermanDecimal(eclipse.penumbralMagnitude, 3);
        if (eclipse.kind != sky::EclipseKind::Penumbral)
            text += ", Kernschattengröße " + GermanDecimal(eclipse.umbralMagnitude, 3);
        text += '\n';
    }
    WriteAll(out, parsed.format ? RecordsText(*parsed.format,
                                              {"greatest_utc", "kind", "penumbral_magnitude", "umbral_magnitude"},
                                              records)
                                : text);
    return 0;
}

}  // namespace lunomat::cli
