#include "cli/calendar_file.h"

#include "cli/local_time.h"

namespace lunomat::cli {

const char* PhaseKey(sky::Phase phase) {
    static constexpr const char* kKeys[] = {"new", "first_quarter", "full", "last_quarter"};
    return kKeys[static_cast<int>(phase)];
}

namespace {

// A TEXT value as iCalendar wants it: backslash, semicolon, comma and line
// breaks escaped, other control characters dropped.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',') (out += '\\') += c;
        else if (c == '\n') out += "\\n";
        else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    }
    return out;
}

// Appends a content line folded after at most 75 octets (a continuation line
// starts with a space, which counts), never inside a UTF-8 sequence.
void AppendFolded(std::string& out, std::string_view line) {
    constexpr std::size_t kMaxOctets = 75;
    std::size_t room = kMaxOctets;
    while (line.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        (out.append(line.substr(0, cut)) += "\r\n") += ' ';
        line.remove_prefix(cut);
        room = kMaxOctets - 1;
    }
    (out += line) += "\r\n";
}

}  // namespace

std::string CalendarBegin(const std::string& calendarName) {
    std::string ics;
    const auto line = [&ics](std::string_view text) { AppendFolded(ics, text); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line(std::string("PRODID:-//Luno-Mat//lunomat-cli ") + LUNOMAT_VERSION_TEXT + "//DE");
    line("CALSCALE:GREGORIAN");
    line("X-WR-CALNAME:" + Escaped(calendarName));
    return ics;
}

std::string CalendarEvents(const std::vector<sky::PhaseEvent>& events, Instant stamped) {
    const std::string stamp = IcsUtc(stamped);
    std::string ics;
    ics.reserve(events.size() * 330);
    const auto line = [&ics](std::string_view text) { AppendFolded(ics, text); };
    for (const sky::PhaseEvent& event : events) {
        // The minute every text shows, so that calendar and description agree.
        // The event ends within that local minute: never on the next day, and
        // not of no length, which some calendar programs take for an hour.
        const Instant minute = RoundedMinute(event.utc);
        const std::string start = IcsUtc(minute);
        const GermanMinute local = LocalMinute(event.utc);
        const long lunation = sky::BrownLunation(event.lunation);
        line("BEGIN:VEVENT");
        // What the event is, not when it was computed to be: a better series
        // or ΔT moves the instant, and importing again must update, not add.
        line("UID:lunation-" + std::to_string(lunation) + "-" + PhaseKey(event.phase) + "@lunomat-cli");
        line("DTSTAMP:" + stamp);
        line("DTSTART:" + start);
        line("DTEND:" + IcsUtc(EndOfLocalMinute(minute)));
        line("SUMMARY:" + Escaped(sky::PhaseName(event.phase)));
        line("DESCRIPTION:" + Escaped("Ortszeit " + local.weekday + " " + local.date + " " + local.clock + " " +
                                      local.zone + "\nLunation " + std::to_string(lunation)));
        line("TRANSP:TRANSPARENT");
        line("END:VEVENT");
    }
    return ics;
}

std::string CalendarEnd() { return "END:VCALENDAR\r\n"; }

std::string CalendarText(const std::vector<sky::PhaseEvent>& events, const std::string& calendarName) {
    return CalendarBegin(calendarName) + CalendarEvents(events, Now()) + CalendarEnd();
}

}  // namespace lunomat::cli
