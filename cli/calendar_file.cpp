#include "cli/calendar_file.h"

#include "cli/local_time.h"

namespace lunomat::cli {

const PhaseWords& WordsOf(sky::Phase phase) {
    static constexpr PhaseWords kWords[] = {{"Neumond", "new"},
                                            {"Halbmond zunehmend", "first_quarter"},
                                            {"Vollmond", "full"},
                                            {"Halbmond abnehmend", "last_quarter"}};
    return kWords[static_cast<int>(phase)];
}

std::string CalendarText(const std::vector<sky::PhaseEvent>& events, const std::string& calendarName) {
    const std::string stamp = IcsUtc(Now());
    std::string ics;
    const auto line = [&ics](const std::string& text) { ics += text + "\r\n"; };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line(std::string("PRODID:-//Luno-Mat//lunomat-cli ") + LUNOMAT_VERSION_TEXT + "//DE");
    line("CALSCALE:GREGORIAN");
    line("X-WR-CALNAME:" + calendarName);
    for (const sky::PhaseEvent& event : events) {
        const PhaseWords& words = WordsOf(event.phase);
        const std::string start = IcsUtc(event.utc);
        const GermanMinute local = LocalMinute(event.utc);
        line("BEGIN:VEVENT");
        line("UID:" + start + "-" + words.key + "@lunomat-cli");
        line("DTSTAMP:" + stamp);
        line("DTSTART:" + start);
        line("DURATION:PT1M");
        line(std::string("SUMMARY:") + words.german);
        line("DESCRIPTION:Ortszeit " + local.weekday + " " + local.date + " " + local.clock + " " + local.zone);
        line("TRANSP:TRANSPARENT");
        line("END:VEVENT");
    }
    line("END:VCALENDAR");
    return ics;
}

}  // namespace lunomat::cli
