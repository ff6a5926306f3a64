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

// Full moons closer than this (centre to centre) are called super moons,
// farther than this micro moons, in km.
constexpr double kSuperMoonKm = 360000.0;
constexpr double kMicroMoonKm = 405000.0;

enum class Note { None, BlueMoon, SuperMoon, MicroMoon };

// What a phase is known as: a full moon's second in a local calendar month
// (a blue moon), or one unusually near or far. The month of the previous
// full moon is needed for the first.
struct NotedPhase {
    sky::PhaseEvent event;
    Note note;
};
std::vector<NotedPhase> Noted(const std::vector<sky::PhaseEvent>& events) {
    std::vector<NotedPhase> out;
    out.reserve(events.size());
    std::optional<chr::year_month> lastFull;
    for (const sky::PhaseEvent& event : events) {
        Note note = Note::None;
        if (event.phase == sky::Phase::FullMoon) {
            if (!lastFull) {
                const chr::year_month_day before =
                    LocalDate(sky::PhaseOfLunation(event.lunation - 1, sky::Phase::FullMoon).utc);
                lastFull = before.year() / before.month();
            }
            const chr::year_month_day date = LocalDate(event.utc);
            const double distance = sky::MoonAt(event.utc).distanceKm;
            if (*lastFull == date.year() / date.month()) note = Note::BlueMoon;
            else if (distance < kSuperMoonKm) note = Note::SuperMoon;
            else if (distance > kMicroMoonKm) note = Note::MicroMoon;
            lastFull = date.year() / date.month();
        }
        out.push_back({event, note});
    }
    return out;
}

const char* NoteKey(Note note) {
    static constexpr const char* kKeys[] = {"", "blue_moon", "super_moon", "micro_moon"};
    return kKeys[static_cast<int>(note)];
}
const char* NoteGerman(Note note) {
    static constexpr const char* kWords[] = {"", "Blauer Mond", "Supermond", "Minimond"};
    return kWords[static_cast<int>(note)];
}

std::string PhaseLine(const sky::PhaseEvent& event) {
    return std::string(sky::PhaseName(event.phase)) + "  " + LocalMinuteText(event.utc) + "\n";
}

}  // namespace

const char* EclipseKindKey(sky::EclipseKind kind) {
    switch (kind) {
    case sky::EclipseKind::Total: return "total";
    case sky::EclipseKind::Partial: return "partial";
    case sky::EclipseKind::Penumbral: return "penumbral";
    }
    return "";
}

std::string YearCalendar(int year) {
    return CalendarText(sky::PhasesInYears(year, year), "Mondphasen " + std::to_string(year));
}

int CommandPhases(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("phases", args, {"--format", "--ics"});
    CheckWordCount("phases", parsed.words, 1, 2, "ein Jahr VON und wahlweise ein Jahr BIS");
    const auto [from, to] =
        CheckedYears(parsed.words[0], parsed.words.size() > 1 ? std::optional(parsed.words[1]) : std::nullopt);
    // Year by year, written as it is computed: the whole range is some
    // hundred thousand phases, which need not be held at once.
    Output output(out, parsed.ics);
    if (parsed.ics) {
        const Instant stamped = Now();
        output.Write(CalendarBegin("Mondphasen " + std::to_string(from) + (to > from ? "-" + std::to_string(to) : "")));
        for (int year = from; year <= to; ++year) output.Write(CalendarEvents(sky::PhasesInYears(year, year), stamped));
        output.Write(CalendarEnd());
        output.Finish();
        return 0;
    }
    std::optional<RecordStream> records;
    if (parsed.format)
        records.emplace(*parsed.format, std::vector<std::string_view>{"phase", "utc", "local", "lunation", "note"},
                        [&output](std::string_view piece) { output.Write(piece); });
    for (int year = from; year <= to; ++year) {
        for (const auto& [event, note] : Noted(sky::PhasesInYears(year, year))) {
            const long lunation = sky::BrownLunation(event.lunation);
            if (records) {
                records->Add({{PhaseKey(event.phase)},
                              {IsoUtc(event.utc)},
                              {IsoLocal(event.utc)},
                              {std::to_string(lunation), true},
                              {NoteKey(note)}});
                continue;
            }
            std::string line = std::string(sky::PhaseName(event.phase)) + "  " + LocalMinuteText(event.utc) +
                               "  Lunation " + std::to_string(lunation);
            if (note != Note::None) (line += "  ") += NoteGerman(note);
            output.Write(line += '\n');
        }
    }
    if (records) records->End();
    output.Finish();
    return 0;
}

int CommandMoon(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("moon", args, {"--format"});
    CheckWordCount("moon", parsed.words, 0, 2, "höchstens ein Datum und eine Uhrzeit");
    Instant t = Now();
    std::string twice;  // the note when the local time exists twice
    if (!parsed.words.empty()) {
        const auto date = CheckedDate(parsed.words[0], sky::kFirstSkyYear, sky::kLastSkyYear);
        t = FromLocal(date, parsed.words.size() > 1 ? CheckedTime(parsed.words[1]) : chr::seconds{0}, &twice);
    }
    const sky::MoonPosition moon = sky::MoonAt(t);
    const sky::PhaseEvent newMoon = sky::PreviousNewMoon(t);
    const chr::seconds age = t - newMoon.utc;
    if (parsed.format) {
        const Record record{{IsoUtc(t)},
                            {Fixed(moon.illuminatedFraction * 100, 1), true},
                            {Fixed(moon.phaseAngleDeg, 2), true},
                            {Fixed(static_cast<double>(age.count()) / 86400.0, 3), true},
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
    std::string text = "Zeitpunkt:           " + LocalMinuteText(t, true) + "\n" +
                       (twice.empty() ? "" : "Hinweis:             " + twice + "\n") +
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

namespace {

// "1 h 42 min"
std::string Duration(chr::seconds length) {
    const long long minutes = chr::round<chr::minutes>(length).count();
    return (minutes >= 60 ? std::to_string(minutes / 60) + " h " : std::string()) + std::to_string(minutes % 60) +
           " min";
}

// "18:24–22:19 MESZ (3 h 55 min)" for a phase from its first to its last contact.
std::string Stage(const char* name, std::optional<Instant> begin, std::optional<Instant> end) {
    if (!begin || !end) return "";
    const GermanMinute first = LocalMinute(*begin), last = LocalMinute(*end);
    const std::string from = ShownClock(*begin), to = ShownClock(*end);
    return std::string("\n    ") + name + " " + from + (first.zone == last.zone ? "" : " " + first.zone) +
           (from == first.clock ? "–" : " bis ") + to + " " + last.zone + " (" + Duration(*end - *begin) + ")";
}

std::string IsoOrEmpty(std::optional<Instant> t) { return t ? IsoUtc(*t) : std::string(); }

}  // namespace

int ComputedEclipses(const Arguments& parsed, std::FILE* out) {
    const std::string_view fromText = parsed.from ? *parsed.from : *parsed.to;
    const auto [from, to] = CheckedYears(fromText, parsed.to);
    std::string text;
    std::vector<Record> records;
    for (const sky::LunarEclipse& eclipse : sky::LunarEclipsesInYears(from, to)) {
        const double altitude = parsed.place ? sky::MoonAltitude(eclipse.greatest, *parsed.place) : 0.0;
        Record record{{IsoUtc(eclipse.greatest)},
                      {EclipseKindKey(eclipse.kind)},
                      {Fixed(eclipse.penumbralMagnitude, 3), true},
                      {Fixed(eclipse.umbralMagnitude, 3), true}};
        for (const auto& contact : {eclipse.p1, eclipse.u1, eclipse.u2, eclipse.u3, eclipse.u4, eclipse.p4})
            record.push_back({IsoOrEmpty(contact)});
        if (parsed.place) record.push_back({Fixed(altitude, 1), true});
        records.push_back(record);
        text += LocalMinuteText(eclipse.greatest) + "  " + EclipseKindWindowText(eclipse.kind) +
                "  Halbschattengröße " + GermanDecimal(eclipse.penumbralMagnitude, 3);
        if (eclipse.kind != EclipseKind::Penumbral)
            text += ", Kernschattengröße " + GermanDecimal(eclipse.umbralMagnitude, 3);
        if (parsed.place)
            text += altitude > 0.0 ? ", Mond " + GermanDecimal(altitude, 1) + "° über dem Horizont"
                                   : ", Mond unter dem Horizont (" + GermanDecimal(altitude, 1) + "°)";
        text += Stage("Halbschatten", eclipse.p1, eclipse.p4) + Stage("Partielle Phase", eclipse.u1, eclipse.u4) +
                Stage("Totale Phase", eclipse.u2, eclipse.u3);
        text += '\n';
    }
    std::vector<std::string_view> keys = {
        "greatest_utc", "kind", "penumbral_magnitude", "umbral_magnitude", "p1", "u1", "u2", "u3", "u4", "p4"};
    if (parsed.place) keys.push_back("moon_altitude");
    WriteAll(out, parsed.format ? RecordsText(*parsed.format, keys, records) : text);
    return 0;
}

namespace {

// "15:31", or "" when there is no such event.
std::string Clock(const std::optional<sky::MoonEvent>& e) { return e ? LocalMinute(e->utc).clock : ""; }

}  // namespace

int CommandRise(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("rise", args, {"--format", "--place"});
    CheckWordCount("rise", parsed.words, 1, 2, "ein Datum VON und wahlweise ein Datum BIS");
    if (!parsed.place) throw UsageError{"Der Befehl rise braucht einen Ort: --place BREITE,LÄNGE."};
    const chr::year_month_day from = CheckedDate(parsed.words[0], sky::kFirstSkyYear, sky::kLastSkyYear);
    const chr::year_month_day to =
        parsed.words.size() > 1 ? CheckedDate(parsed.words[1], sky::kFirstSkyYear, sky::kLastSkyYear) : from;
    if (chr::sys_days{to} < chr::sys_days{from})
        throw UsageError{"Das Datum " + std::string(parsed.words[1]) + " liegt vor " + std::string(parsed.words[0]) +
                         "."};
    // A table of days: ten years are some 3,650 lines, computed in about half
    // a second. Longer spans are asked for in parts.
    constexpr chr::days kMaxRiseSpan{3653};  // ten years of days, the first included
    if (chr::sys_days{to} - chr::sys_days{from} >= kMaxRiseSpan)
        throw UsageError{"rise nimmt höchstens zehn Jahre auf einmal."};

    // The local days' events, each by the date of its minute; a margin of
    // a day covers every zone's offset.
    const Instant begin{chr::sys_days{from} - chr::days{1}}, end{chr::sys_days{to} + chr::days{2}};
    const std::vector<sky::MoonEvent> events = sky::MoonEventsBetween(begin, end, *parsed.place);
    std::string text;
    std::vector<Record> records;
    auto next = events.begin();
    for (chr::sys_days day{from}; day <= chr::sys_days{to}; day += chr::days{1}) {
        const chr::year_month_day date{day};
        std::optional<sky::MoonEvent> found[3];
        for (; next != events.end() && chr::sys_days{LocalDate(next->utc)} <= day; ++next) {
            auto& slot = found[static_cast<int>(next->kind)];
            if (chr::sys_days{LocalDate(next->utc)} == day && !slot) slot = *next;
        }
        const auto& [rise, transit, set] = found;
        if (parsed.format) {
            records.push_back({{IsoDate(date)},
                               {Clock(rise)},
                               {Clock(transit)},
                               {Clock(set)},
                               {transit ? Fixed(transit->altitudeDeg, 1) : "", true}});
            continue;
        }
        static constexpr const char* kWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
        char dateText[16];
        std::snprintf(dateText, sizeof dateText, "%02u.%02u.%04d", unsigned(date.day()), unsigned(date.month()),
                      int(date.year()));
        const auto shown = [](const std::optional<sky::MoonEvent>& e) {
            return e ? ShownClock(e->utc) : std::string("--:--");
        };
        text += kWeekdays[chr::weekday{day}.c_encoding()] + std::string(" ") + dateText + "  Aufgang " + shown(rise) +
                "  Durchgang " + shown(transit);
        if (transit) text += " (" + GermanDecimal(transit->altitudeDeg, 1) + "°)";
        text += "  Untergang " + shown(set) + "\n";
    }
    WriteAll(out, parsed.format
                      ? RecordsText(*parsed.format, {"date", "rise", "transit", "set", "transit_altitude"}, records)
                      : text);
    return 0;
}

int CommandApsides(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("apsides", args, {"--format"});
    CheckWordCount("apsides", parsed.words, 1, 2, "ein Jahr VON und wahlweise ein Jahr BIS");
    const auto [from, to] =
        CheckedYears(parsed.words[0], parsed.words.size() > 1 ? std::optional(parsed.words[1]) : std::nullopt);
    // Year by year, written as it is computed, like the phases.
    Output output(out, std::nullopt);
    std::optional<RecordStream> records;
    if (parsed.format)
        records.emplace(*parsed.format, std::vector<std::string_view>{"kind", "utc", "local", "distance_km"},
                        [&output](std::string_view piece) { output.Write(piece); });
    for (int year = from; year <= to; ++year) {
        for (const sky::ApsisEvent& apsis : sky::ApsidesInYears(year, year)) {
            const bool perigee = apsis.kind == sky::Apsis::Perigee;
            if (records) {
                records->Add({{perigee ? "perigee" : "apogee"},
                              {IsoUtc(apsis.utc)},
                              {IsoLocal(apsis.utc)},
                              {Fixed(apsis.distanceKm, 0), true}});
                continue;
            }
            output.Write(std::string(perigee ? "Erdnähe   " : "Erdferne  ") + LocalMinuteText(apsis.utc) + "  " +
                         GermanDecimal(apsis.distanceKm, 0) + " km\n");
        }
    }
    if (records) records->End();
    output.Finish();
    return 0;
}

}  // namespace lunomat::cli
