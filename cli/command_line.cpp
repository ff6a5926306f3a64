// lunomat-cli: the moon phase, the annual phase table and the eclipse list of
// Luno-Mat on the command line, for scripts and calendar files.

#include "cli/command_line.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/formats.h"
#include "cli/messages.h"
#include "cli/output_file.h"
#include "core/annual.h"
#include "core/calendar.h"
#include "core/display.h"
#include "core/eclipses.h"

namespace lunomat {
namespace {

using namespace cli;
namespace chr = std::chrono;

constexpr const char* kHelp =
    "Aufruf: lunomat-cli BEFEHL [ARGUMENTE] [OPTIONEN]\n"
    "\n"
    "Befehle:\n"
    "  phase [TT.MM.JJJJ ...]       Mondphase für jedes Datum (ohne Datum: heute),\n"
    "                               je sechs Zeilen, Blöcke durch eine Leerzeile getrennt\n"
    "  year JJJJ                    alle Mondphasentermine des Jahres, 13 Tabellenzeilen\n"
    "  year JJJJ --format csv|json  dieselben 52 Termine, einer je Datensatz (phase,date)\n"
    "  year JJJJ --ics DATEI        dieselben 52 Termine als iCalendar-Datei\n"
    "  eclipses                     die Mondfinsternisse 1987 bis 2030, eine je Zeile\n"
    "  eclipses --format csv|json   dieselben, eine je Datensatz (date,kind)\n"
    "  --help, -h                   diese Hilfe\n"
    "  --version, -V                die Versionsnummer\n"
    "\n"
    "DATEI „-“ ist die Standardausgabe. Jahre von 1900 bis 2100. Bei einer\n"
    "fehlerhaften Eingabe endet das Programm mit dem Status 2 und gibt nichts aus;\n"
    "kann eine Datei nicht geschrieben werden, mit dem Status 1.\n";

// The options after a command's name, each at most once, and its other words.
struct Arguments {
    std::vector<std::string_view> words;
    std::optional<std::string> ics;
    std::optional<Format> format;
};

Arguments ParseArguments(std::string_view command, const std::vector<std::string_view>& args,
                         std::initializer_list<std::string_view> allowed) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            parsed.words.push_back(arg);
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        bool known = false;
        for (std::string_view option : allowed) known = known || option == name;
        if (!known)
            throw UsageError{"Unbekannte Option " + Quoted(arg) + " für den Befehl " + std::string(command) + "."};
        std::string_view value;
        if (equals != std::string_view::npos) value = arg.substr(equals + 1);
        else if (i + 1 < args.size()) value = args[++i];
        if (value.empty()) throw UsageError{"Nach " + std::string(name) + " fehlt der Wert."};
        const auto once = [&](auto& slot, auto content) {
            if (slot) throw UsageError{std::string(name) + " ist mehrfach angegeben."};
            slot = content;
        };
        if (name == "--ics") once(parsed.ics, std::string(value));
        else if (name == "--format") once(parsed.format, ParseFormat(value));
    }
    if (parsed.ics && parsed.format)
        throw UsageError{"--ics und --format lassen sich nicht zusammen angeben."};
    return parsed;
}

int CheckedYear(std::string_view text, int first, int last) {
    // Four digits only: "02024" or "+2024" are not years of the table.
    if (text.size() != 4 || !IsDigits(text))
        throw UsageError{"Ungültige Jahreszahl " + Quoted(text) + ": erwartet wird JJJJ."};
    const int year = *ParseWholeNumber(text);
    if (year < first || year > last)
        throw UsageError{"Das Jahr " + std::string(text) + " liegt nicht zwischen " + std::to_string(first) +
                         " und " + std::to_string(last) + "."};
    return year;
}

chr::year_month_day CheckedDate(std::string_view text) {
    const auto dot1 = text.find('.');
    const auto dot2 = dot1 == std::string_view::npos ? dot1 : text.find('.', dot1 + 1);
    const bool wellFormed = dot1 != std::string_view::npos && dot2 != std::string_view::npos &&
                            dot1 >= 1 && dot1 <= 2 && dot2 - dot1 - 1 >= 1 && dot2 - dot1 - 1 <= 2 &&
                            IsDigits(text.substr(0, dot1)) && IsDigits(text.substr(dot1 + 1, dot2 - dot1 - 1)) &&
                            text.size() - dot2 - 1 == 4 && IsDigits(text.substr(dot2 + 1));
    if (!wellFormed)
        throw UsageError{"Ungültige Datumsangabe " + Quoted(text) + ": erwartet wird TT.MM.JJJJ."};
    CheckedYear(text.substr(dot2 + 1), kFirstEntryYear, kLastEntryYear);
    const auto date = ParseGermanDate(text);
    if (!date) throw UsageError{"Das Datum " + std::string(text) + " gibt es nicht."};
    return *date;
}

chr::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) throw IoError{"Das heutige Datum ist nicht bekannt."};
    return chr::year{local.tm_year + 1900} / chr::month{static_cast<unsigned>(local.tm_mon + 1)} /
           chr::day{static_cast<unsigned>(local.tm_mday)};
}

// "2024-01-25"
std::string IsoDate(chr::year_month_day date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

int CommandPhase(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("phase", args, {});
    std::vector<chr::year_month_day> dates;
    // Every date is checked before anything is written.
    for (std::string_view arg : parsed.words) dates.push_back(CheckedDate(arg));
    if (dates.empty()) dates.push_back(LocalToday());

    std::string text;
    text.reserve(dates.size() * 300);
    for (std::size_t i = 0; i < dates.size(); ++i) {
        if (i > 0) text += '\n';
        const MoonDisplay d = BuildMoonDisplay(dates[i]);
        for (const std::string* line :
             {&d.dateLine, &d.phaseText, &d.shortName, &d.distanceLine, &d.latitudeLine, &d.longitudeLine})
            (text += *line) += '\n';
    }
    WriteAll(out, text);
    return 0;
}

std::string IcsDate(chr::year_month_day date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d%02u%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

struct PhaseKind {
    const char* summary;
    const char* uidTag;
    const char* key;
};
// In the order of a table row: full moon, last quarter, new moon, first quarter.
constexpr PhaseKind kRowKinds[] = {{"Vollmond", "vollmond", "full"},
                                   {"Halbmond abnehmend", "halbmond-abnehmend", "last_quarter"},
                                   {"Neumond", "neumond", "new"},
                                   {"Halbmond zunehmend", "halbmond-zunehmend", "first_quarter"}};

std::array<chr::year_month_day, 4> RowDates(const AnnualPhaseRow& row) {
    return {row.fullMoon, row.lastQuarter, row.newMoon, row.firstQuarter};
}

std::string IcsText(int year) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);

    std::string ics;
    const auto line = [&ics](const std::string& text) { ics += text + "\r\n"; };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line(std::string("PRODID:-//Luno-Mat//lunomat-cli ") + LUNOMAT_VERSION_TEXT + "//DE");
    line("CALSCALE:GREGORIAN");
    for (const AnnualPhaseRow& row : computeAnnualPhaseTable(year)) {
        const auto dates = RowDates(row);
        for (int k = 0; k < 4; ++k) {
            const std::string day = IcsDate(dates[k]);
            line("BEGIN:VEVENT");
            // Stable per date and kind, so that importing again updates events.
            line("UID:" + day + "-" + kRowKinds[k].uidTag + "@lunomat-cli");
            line(std::string("DTSTAMP:") + stamp);
            line("DTSTART;VALUE=DATE:" + day);
            line("DTEND;VALUE=DATE:" + IcsDate(chr::sys_days{dates[k]} + chr::days{1}));
            line(std::string("SUMMARY:") + kRowKinds[k].summary);
            line("TRANSP:TRANSPARENT");
            line("END:VEVENT");
        }
    }
    line("END:VCALENDAR");
    return ics;
}

int CommandYear(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("year", args, {"--ics", "--format"});
    if (parsed.words.size() != 1) {
        if (parsed.words.empty()) throw UsageError{"Der Befehl year erwartet eine Jahreszahl JJJJ."};
        throw UsageError{"Unerwartetes Argument " + Quoted(parsed.words[1]) + "."};
    }
    const int year = CheckedYear(parsed.words[0], kFirstEntryYear, kLastEntryYear);
    if (parsed.ics) {
        WriteOutputFile(*parsed.ics, IcsText(year), out);
        return 0;
    }
    std::string text;
    std::vector<Record> records;
    for (const AnnualPhaseRow& row : computeAnnualPhaseTable(year)) {
        const auto dates = RowDates(row);
        for (int k = 0; k < 4; ++k) records.push_back({{kRowKinds[k].key}, {IsoDate(dates[k])}});
        (text += AnnualTableRowText(DateText(row.fullMoon), DateText(row.lastQuarter), DateText(row.newMoon),
                                    DateText(row.firstQuarter))) += '\n';
    }
    WriteAll(out, parsed.format ? RecordsText(*parsed.format, {"phase", "date"}, records) : text);
    return 0;
}

const char* EclipseKindKey(EclipseKind kind) {
    switch (kind) {
        case EclipseKind::Total: return "total";
        case EclipseKind::Partial: return "partial";
        case EclipseKind::Penumbral: return "penumbral";
    }
    return "";
}

int CommandEclipses(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("eclipses", args, {"--format"});
    if (!parsed.words.empty()) throw UsageError{"Unerwartetes Argument " + Quoted(parsed.words[0]) + "."};
    std::string text;
    std::vector<Record> records;
    for (const EclipseEntry& entry : EclipseCatalogue()) {
        records.push_back({{IsoDate(entry.date)}, {EclipseKindKey(entry.kind)}});
        ((text += DateText(entry.date)) += "  ") += EclipseKindPrintText(entry.kind) + '\n';
    }
    WriteAll(out, parsed.format ? RecordsText(*parsed.format, {"date", "kind"}, records) : text);
    return 0;
}

int Run(int argc, const char* const* argv, std::FILE* out) {
    if (argc < 2) throw UsageError{"Es ist kein Befehl angegeben."};
    const std::string_view command = argv[1];
    const std::vector<std::string_view> args(argv + 2, argv + argc);
    const bool help = command == "--help" || command == "-h" || command == "hilfe";
    if (help || command == "--version" || command == "-V") {
        if (!args.empty()) throw UsageError{"Unerwartetes Argument " + Quoted(args[0]) + "."};
        WriteAll(out, help ? std::string(kHelp) : std::string("lunomat-cli ") + LUNOMAT_VERSION_TEXT + "\n");
        return 0;
    }
    if (command == "phase") return CommandPhase(args, out);
    if (command == "year") return CommandYear(args, out);
    if (command == "eclipses") return CommandEclipses(args, out);
    throw UsageError{"Unbekannter Befehl " + Quoted(command) + "."};
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return Run(argc, argv, out);
    } catch (const UsageError& e) {
        std::fprintf(err, "lunomat-cli: %s\nHilfe: lunomat-cli --help\n", e.message.c_str());
        return kExitUsage;
    } catch (const IoError& e) {
        std::fprintf(err, "lunomat-cli: %s\n", e.message.c_str());
        return kExitFailure;
    } catch (const std::exception& e) {
        std::fprintf(err, "lunomat-cli: Interner Fehler: %s\n", e.what());
        return kExitFailure;
    }
}

}  // namespace lunomat
