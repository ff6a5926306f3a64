// lunomat-cli: the moon phase, the annual phase table and the eclipse list of
// Luno-Mat on the command line, for scripts and calendar files. This unit
// reads the command and runs the commands of the windows' day count; the
// true sky's commands are in sky_commands, the words after a command in
// arguments, and all writing in output_file.

#include "cli/command_line.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/calendar_file.h"
#include "cli/formats.h"
#include "cli/local_time.h"
#include "cli/messages.h"
#include "cli/output_file.h"
#include "cli/sky_commands.h"
#include "core/annual.h"
#include "core/calendar.h"
#include "core/display.h"
#include "core/eclipses.h"
#include "core/sky.h"

namespace lunomat {
namespace {

using namespace cli;
namespace chr = std::chrono;

constexpr const char* kHelp =
    "Aufruf: lunomat-cli BEFEHL [ARGUMENTE] [OPTIONEN]\n"
    "\n"
    "Nach der Tageszählung der Fenster:\n"
    "  phase [DATUM ...]            Mondphase für jedes Datum (ohne Datum: heute),\n"
    "                               je sechs Zeilen, Blöcke durch eine Leerzeile getrennt\n"
    "  year JJJJ                    die 13 Zeilen der Jahrestabelle\n"
    "  year JJJJ --format csv|json  dieselben 52 Termine, einer je Datensatz (phase,date)\n"
    "  eclipses                     die Mondfinsternisse 1987 bis 2030, eine je Zeile\n"
    "  eclipses --format csv|json   dieselben, eine je Datensatz (date,kind)\n"
    "\n"
    "Nach dem wahren Himmel (Zeiten in der Ortszeit, TZ gilt):\n"
    "  year JJJJ --ics DATEI        die Hauptphasen des Jahres als iCalendar-Datei\n"
    "  phases VON [BIS]             jede Hauptphase der Jahre VON bis BIS mit Lunation\n"
    "                               (nach Brown) und Blauem Mond, Super- oder Minimond\n"
    "  phases VON [BIS] --format csv|json\n"
    "                               dieselben, je Datensatz (phase,utc,local,lunation,note)\n"
    "  phases VON [BIS] --ics DATEI dieselben als iCalendar-Datei\n"
    "  moon [DATUM [ZEIT]]          der Mond zu einem Zeitpunkt (ohne Angabe: jetzt):\n"
    "                               beleuchteter Teil, Alter, Ort und die nächsten Phasen;\n"
    "                               mit --format csv|json ein Datensatz\n"
    "  rise VON [BIS] --place BREITE,LÄNGE [--format csv|json]\n"
    "                               Mondaufgang, Meridiandurchgang (mit Höhe) und\n"
    "                               Monduntergang an jedem Tag VON bis BIS (Daten, bis\n"
    "                               zu zehn Jahre), je Datensatz\n"
    "                               (date,rise,transit,set,transit_altitude)\n"
    "  apsides VON [BIS] [--format csv|json]\n"
    "                               Erdnähe und Erdferne des Mondes in den Jahren, je\n"
    "                               Datensatz (kind,utc,local,distance_km)\n"
    "  eclipses --from JJJJ --to JJJJ [--place BREITE,LÄNGE] [--format csv|json]\n"
    "                               die berechneten Mondfinsternisse der Jahre mit ihren\n"
    "                               Kontakten (p1,u1,u2,u3,u4,p4) und, mit --place, der\n"
    "                               Höhe des Mondes dort (moon_altitude)\n"
    "\n"
    "  --place BREITE,LÄNGE         ein Ort in Grad mit Dezimalpunkt, Nord und Ost\n"
    "                               positiv, z. B. --place 52.52,13.40 (Berlin)\n"
    "  --help, -h                   diese Hilfe\n"
    "  --version, -V                die Versionsnummer\n"
    "\n"
    "DATUM ist TT.MM.JJJJ oder JJJJ-MM-TT, ZEIT HH:MM oder HH:MM:SS. phase und year\n"
    "nehmen Jahre von 1900 bis 2100, year --ics, phases, moon, rise, apsides und\n"
    "eclipses --from von 1583 bis 9999. Eine Ortszeit, die es wegen einer\n"
    "Zeitumstellung nicht gibt, wird abgelehnt; gibt es sie zweimal, gilt die erste.\n"
    "DATEI „-“ ist die Standardausgabe. Bei einer fehlerhaften Eingabe endet das\n"
    "Programm mit dem Status 2 und gibt nichts aus; kann eine Datei nicht\n"
    "geschrieben werden, mit dem Status 1.\n"
    "\n"
    "Genauigkeit: 1900 bis 2100 liegen im Vergleich mit einer unabhängigen Ephemeride\n"
    "die Phasen innerhalb von 36 s, Auf- und Untergänge und Durchgänge (bis 65°\n"
    "Breite) innerhalb von 15 s, die Kontakte der Finsternisse innerhalb einer\n"
    "Minute (streifende etwas darüber), Erdnähe und Erdferne innerhalb von 25 Minuten\n"
    "(das Extrem ist flach) und 10 km. Nach 2100 ist ΔT (die Erddrehung gegen die\n"
    "gleichförmige Zeit) nur fortgeschrieben, unsicher um etwa eine halbe Minute\n"
    "um 2500, eine Viertelstunde um 5000 und über eine Stunde um 9999. Deshalb\n"
    "nennt die Textausgabe berechnete Zeiten nach 2100 nur auf die volle Stunde\n"
    "(„gegen 19 Uhr“); CSV, JSON und Kalenderdatei behalten Sekunde und Minute.\n";

chr::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) throw IoError{"Das heutige Datum ist nicht bekannt."};
    return chr::year{local.tm_year + 1900} / chr::month{static_cast<unsigned>(local.tm_mon + 1)} /
           chr::day{static_cast<unsigned>(local.tm_mday)};
}

int CommandPhase(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("phase", args, {});
    std::vector<chr::year_month_day> dates;
    // Every date is checked before anything is written.
    for (std::string_view arg : parsed.words) dates.push_back(CheckedDate(arg, kFirstEntryYear, kLastEntryYear));
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

// The phases of a table row, in its order.
constexpr sky::Phase kRowPhases[] = {sky::Phase::FullMoon, sky::Phase::LastQuarter, sky::Phase::NewMoon,
                                     sky::Phase::FirstQuarter};

std::array<chr::year_month_day, 4> RowDates(const AnnualPhaseRow& row) {
    return {row.fullMoon, row.lastQuarter, row.newMoon, row.firstQuarter};
}

int CommandYear(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("year", args, {"--ics", "--format"});
    CheckWordCount("year", parsed.words, 1, 1, "eine Jahreszahl JJJJ");
    // The calendar file holds the true instants, offered for all the sky's years.
    const int year = parsed.ics ? CheckedYear(parsed.words[0], sky::kFirstSkyYear, sky::kLastSkyYear)
                                : CheckedYear(parsed.words[0], kFirstEntryYear, kLastEntryYear);
    if (parsed.ics) {
        WriteOutputFile(*parsed.ics, YearCalendar(year), out);
        return 0;
    }
    std::string text;
    std::vector<Record> records;
    for (const AnnualPhaseRow& row : computeAnnualPhaseTable(year)) {
        const auto dates = RowDates(row);
        for (int k = 0; k < 4; ++k) records.push_back({{PhaseKey(kRowPhases[k])}, {IsoDate(dates[k])}});
        (text += AnnualTableRowText(DateText(row.fullMoon), DateText(row.lastQuarter), DateText(row.newMoon),
                                    DateText(row.firstQuarter))) += '\n';
    }
    WriteAll(out, parsed.format ? RecordsText(*parsed.format, {"phase", "date"}, records) : text);
    return 0;
}

int CommandEclipses(const std::vector<std::string_view>& args, std::FILE* out) {
    const Arguments parsed = ParseArguments("eclipses", args, {"--format", "--from", "--to", "--place"});
    CheckWordCount("eclipses", parsed.words, 0, 0, "");
    if (parsed.from || parsed.to) return ComputedEclipses(parsed, out);
    if (parsed.place) throw UsageError{"--place gilt nur für die berechneten Finsternisse mit --from und --to."};
    std::string text;
    std::vector<Record> records;
    for (const EclipseEntry& entry : EclipseCatalogue()) {
        records.push_back({{IsoDate(entry.date)}, {EclipseKindKey(entry.kind)}});
        ((text += DateText(entry.date)) += "  ") += EclipseKindPrintText(entry.kind) + '\n';
    }
    WriteAll(out, parsed.format ? RecordsText(*parsed.format, {"date", "kind"}, records) : text);
    return 0;
}

int Run(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    // "--" before the command ends the options there too.
    const int first = argc > 1 && std::string_view(argv[1]) == "--" ? 2 : 1;
    if (argc <= first) throw UsageError{"Es ist kein Befehl angegeben."};
    const std::string_view command = argv[first];
    const std::vector<std::string_view> args(argv + first + 1, argv + argc);
    const bool help = first == 1 && (command == "--help" || command == "-h" || command == "hilfe");
    if (help || (first == 1 && (command == "--version" || command == "-V"))) {
        if (!args.empty()) throw UsageError{"Unerwartetes Argument " + Quoted(args[0]) + "."};
        WriteAll(out, help ? std::string(kHelp) : std::string("lunomat-cli ") + LUNOMAT_VERSION_TEXT + "\n");
        return 0;
    }
    // Said once, before any time is shown: the C library would give UTC
    // without a word.
    if (const std::string zone = UnknownZone(); !zone.empty())
        std::fprintf(err, "lunomat-cli: Die Zeitzone TZ=%s ist unbekannt; die Zeiten gelten in UTC.\n",
                     Quoted(zone).c_str());
    if (command == "phase") return CommandPhase(args, out);
    if (command == "year") return CommandYear(args, out);
    if (command == "eclipses") return CommandEclipses(args, out);
    if (command == "phases") return CommandPhases(args, out);
    if (command == "moon") return CommandMoon(args, out);
    if (command == "rise") return CommandRise(args, out);
    if (command == "apsides") return CommandApsides(args, out);
    throw UsageError{"Unbekannter Befehl " + Quoted(command) + "."};
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    try {
        return Run(argc, argv, out, err);
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
