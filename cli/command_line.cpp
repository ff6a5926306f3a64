// lunomat-cli: the moon phase, the annual phase table and the eclipse list of
// Luno-Mat on the command line, for scripts and calendar files.

#include "cli/command_line.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/annual.h"
#include "core/calendar.h"
#include "core/display.h"
#include "core/eclipses.h"

namespace lunomat {
namespace {

namespace chr = std::chrono;

constexpr int kMinYear = 1900;
constexpr int kMaxYear = 2100;
constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

constexpr const char* kHelp =
    "Aufruf: lunomat-cli BEFEHL [ARGUMENTE]\n"
    "\n"
    "Befehle:\n"
    "  phase [TT.MM.JJJJ ...]       Mondphase für jedes Datum (ohne Datum: heute),\n"
    "                               je sieben Zeilen, Blöcke durch eine Leerzeile getrennt\n"
    "  year JJJJ                    alle Mondphasentermine des Jahres, 13 Tabellenzeilen\n"
    "  year JJJJ --ics DATEI        dieselben 52 Termine als iCalendar-Datei\n"
    "  eclipses                     die Mondfinsternisse 1987 bis 2030 (30 Zeilen)\n"
    "  --help                       diese Hilfe\n"
    "\n"
    "Jahre von 1900 bis 2100. Bei einer fehlerhaften Eingabe endet das Programm\n"
    "mit dem Status 2 und gibt nichts aus.\n";

// An error the user can act on: one German message, nothing on the output.
struct UsageError {
    std::string message;
};

struct IoError {
    std::string message;
};

void WriteAll(std::FILE* stream, const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size() || std::fflush(stream) != 0)
        throw IoError{"Die Ausgabe konnte nicht geschrieben werden."};
}

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int CheckedYear(std::string_view text) {
    // Four digits only: "02024" or "+2024" are not years of the table.
    if (text.size() != 4 || !AllDigits(text))
        throw UsageError{"Ungültige Jahreszahl „" + std::string(text) + "“: erwartet wird JJJJ."};
    const int year = *ParseWholeNumber(text);
    if (year < kMinYear || year > kMaxYear)
        throw UsageError{"Das Jahr " + std::string(text) + " liegt nicht zwischen " +
                         std::to_string(kMinYear) + " und " + std::to_string(kMaxYear) + "."};
    return year;
}

chr::year_month_day CheckedDate(std::string_view text) {
    const auto dot1 = text.find('.');
    const auto dot2 = dot1 == std::string_view::npos ? dot1 : text.find('.', dot1 + 1);
    const bool wellFormed = dot1 != std::string_view::npos && dot2 != std::string_view::npos &&
                            dot1 >= 1 && dot1 <= 2 && dot2 - dot1 - 1 >= 1 && dot2 - dot1 - 1 <= 2 &&
                            AllDigits(text.substr(0, dot1)) &&
                            AllDigits(text.substr(dot1 + 1, dot2 - dot1 - 1)) &&
                            text.size() - dot2 - 1 == 4 && AllDigits(text.substr(dot2 + 1));
    if (!wellFormed)
        throw UsageError{"Ungültige Datumsangabe „" + std::string(text) + "“: erwartet wird TT.MM.JJJJ."};
    CheckedYear(text.substr(dot2 + 1));
    const auto date = ParseGermanDate(text);
    if (!date) throw UsageError{"Das Datum " + std::string(text) + " gibt es nicht."};
    return *date;
}

chr::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr)
        throw IoError{"Das heutige Datum ist nicht bekannt."};
    return chr::year{local.tm_year + 1900} / chr::month{static_cast<unsigned>(local.tm_mon + 1)} /
           chr::day{static_cast<unsigned>(local.tm_mday)};
}

int CommandPhase(const std::vector<std::string_view>& args, std::FILE* out) {
    std::vector<chr::year_month_day> dates;
    dates.reserve(args.size());
    // Every date is checked before anything is written.
    for (std::string_view arg : args) dates.push_back(CheckedDate(arg));
    if (dates.empty()) dates.push_back(LocalToday());

    std::string text;
    text.reserve(dates.size() * 330);
    for (std::size_t i = 0; i < dates.size(); ++i) {
        if (i > 0) text += '\n';
        const MoonDisplay d = BuildMoonDisplay(dates[i]);
        for (const std::string* line : {&d.dateLine, &d.phaseText, &d.shortName, &d.distanceLine,
                                        &d.latitudeLine, &d.longitudeLine}) {
            text += *line;
            text += '\n';
        }
        text.append(d.picturePath, 1, std::string::npos);  // relative to the program's folder
        text += '\n';
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

std::string IcsText(int year) {
    const AnnualPhaseTable table = computeAnnualPhaseTable(year);
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);

    struct Kind {
        const char* summary;
        const char* uidTag;
    };
    static constexpr Kind kKinds[] = {{"Vollmond", "vollmond"},
                                      {"Halbmond abnehmend", "halbmond-abnehmend"},
                                      {"Neumond", "neumond"},
                                      {"Halbmond zunehmend", "halbmond-zunehmend"}};
    std::string ics;
    const auto line = [&ics](const std::string& text) { ics += text + "\r\n"; };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line(std::string("PRODID:-//Luno-Mat//lunomat-cli ") + LUNOMAT_VERSION_TEXT + "//DE");
    line("CALSCALE:GREGORIAN");
    for (const AnnualPhaseRow& row : table) {
        const chr::year_month_day dates[] = {row.fullMoon, row.lastQuarter, row.newMoon, row.firstQuarter};
        for (int k = 0; k < 4; ++k) {
            const std::string day = IcsDate(dates[k]);
            line("BEGIN:VEVENT");
            // Stable per date and kind, so that importing again updates events.
            line("UID:" + day + "-" + kKinds[k].uidTag + "@lunomat-cli");
            line(std::string("DTSTAMP:") + stamp);
            line("DTSTART;VALUE=DATE:" + day);
            line("DTEND;VALUE=DATE:" + IcsDate(chr::sys_days{dates[k]} + chr::days{1}));
            line(std::string("SUMMARY:") + kKinds[k].summary);
            line("TRANSP:TRANSPARENT");
            line("END:VEVENT");
        }
    }
    line("END:VCALENDAR");
    return ics;
}

// Writes the file under a temporary name beside it and renames it into place,
// so that an interrupted or failed run never leaves a partial calendar.
void WriteFileAtomically(const std::string& path, const std::string& content) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        throw IoError{"Die Datei " + path + " kann nicht angelegt werden: " + std::strerror(errno)};
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0;
    std::size_t done = 0;
    while (ok && done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    const int savedErrno = errno;
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int err = errno ? errno : savedErrno;
        unlink(temp.c_str());
        throw IoError{"Die Datei " + path + " konnte nicht geschrieben werden: " + std::strerror(err)};
    }
}

int CommandYear(const std::vector<std::string_view>& args, std::FILE* out) {
    if (args.empty()) throw UsageError{"Der Befehl year erwartet eine Jahreszahl JJJJ."};
    std::optional<std::string> icsPath;
    std::optional<std::string_view> yearText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--ics") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                throw UsageError{"Nach --ics fehlt der Dateiname."};
            if (icsPath) throw UsageError{"--ics ist mehrfach angegeben."};
            icsPath = std::string(args[++i]);
        } else if (!yearText) {
            yearText = args[i];
        } else {
            throw UsageError{"Unerwartetes Argument „" + std::string(args[i]) + "“."};
        }
    }
    if (!yearText) throw UsageError{"Der Befehl year erwartet eine Jahreszahl JJJJ."};
    const int year = CheckedYear(*yearText);

    if (icsPath) {
        WriteFileAtomically(*icsPath, IcsText(year));
        return 0;
    }
    std::string text;
    for (const AnnualPhaseRow& row : computeAnnualPhaseTable(year)) {
        text += AnnualTableRowText(DateText(row.fullMoon), DateText(row.lastQuarter),
                                  DateText(row.newMoon), DateText(row.firstQuarter));
        text += '\n';
    }
    WriteAll(out, text);
    return 0;
}

int CommandEclipses(const std::vector<std::string_view>& args, std::FILE* out) {
    if (!args.empty()) throw UsageError{"Der Befehl eclipses erwartet keine Argumente."};
    std::string text;
    for (int row = 0; row < kEclipsePrintRows; ++row) text += EclipsePrintLine(row) + '\n';
    WriteAll(out, text);
    return 0;
}

int Run(int argc, const char* const* argv, std::FILE* out) {
    if (argc < 2) throw UsageError{"Es ist kein Befehl angegeben."};
    const std::string_view command = argv[1];
    const std::vector<std::string_view> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "hilfe") {
        WriteAll(out, kHelp);
        return 0;
    }
    if (command == "phase") return CommandPhase(args, out);
    if (command == "year") return CommandYear(args, out);
    if (command == "eclipses") return CommandEclipses(args, out);
    throw UsageError{"Unbekannter Befehl „" + std::string(command) + "“."};
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
