// The date-field rules without any window: what each rule asks the window to
// do, written as a short script per case ("sound", "box Tages…", "write D=30").
#include "ui/dateentry/date_entry.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace lunomat::entry {
namespace {

using namespace std::chrono_literals;
constexpr std::chrono::year_month_day kToday = 2026y / 6 / 5;

const char* Name(Field f) { return f == Field::Day ? "D" : f == Field::Month ? "M" : "Y"; }

// One word per step; a box names the last word of its title and its text's
// second line, so that every message is told apart.
std::string Script(const Steps& steps) {
    static const char* const kWords[] = {"sound", "", "sel ", "write ", "focus ", "move ", "load", "calc"};
    std::string out;
    for (const Step& s : steps) {
        out += (out.empty() ? "" : " | ") + std::string(kWords[int(s.kind)]);
        if (s.kind == Step::Kind::Box)
            out += std::string(s.icon == Icon::Critical ? "stop " : "warn ") + s.title.substr(s.title.rfind(' ') + 1) +
                   ": " + s.text.substr(s.text.find('\r') + 1);
        else if (s.kind == Step::Kind::Select) out += Name(s.field) + std::to_string(s.start) + "," + std::to_string(s.length);
        else if (s.kind == Step::Kind::Write) out += Name(s.field) + ("=" + s.text);
        else if (s.kind == Step::Kind::Focus) out += Name(s.field);
        else if (s.kind == Step::Kind::MoveFocus) out += Name(s.field) + std::to_string(s.length);
    }
    return out;
}

const std::string kDayWrong = "stop Tageszahleingabe: Das Tagesdatum stimmt nicht.";
const std::string kMonthWrong = "stop Monatszahleingabe: Das Monatsdatum stimmt nicht.";
const std::string kDayZero = "sound | stop Tageszahleingabe: Das Tagesdatum muss grundsätzlich größer Null (0) sein. | move D4";
const std::string kMonthZero = "sound | stop Monatszahleingabe: Das Monatsdatum muss grundsätzlich größer Null (0) sein. | move M4";

TEST(DayAndMonthChange, EachTextGetsItsAnswer) {
    struct Case { Field field; std::vector<const char*> texts; std::string script; };
    const Case cases[] = {
        {Field::Day, {""}, "sel D1,2 | sel D1,2"},
        {Field::Day, {"1"}, "sel D1,2"},
        {Field::Day, {"01", "31"}, "sel D1,2 | move M4"},
        {Field::Day, {"a", "-", "1ä"}, "sel D1,2 | sound | sel D1,2 | write D= | focus D"},
        // Everything else is a wrong day, compared by value, not as text.
        {Field::Day, {"32", "00", "072", "-1", "1,", " 7"}, "sel D1,2 | sound | " + kDayWrong + " | sel D2,2 | write D= | focus D"},
        {Field::Month, {"", "7"}, "sel M1,2"},
        {Field::Month, {"12"}, "sel M1,2 | move Y4"},
        {Field::Month, {"x"}, "sel M1,2 | sound | sel M1,2 | write M= | focus M"},
        {Field::Month, {"13", "00", "152", "1,"}, "sel M1,2 | sound | " + kMonthWrong + " | sel M2,2 | write M= | focus M"},
    };
    for (const Case& c : cases)
        for (const char* text : c.texts)
            EXPECT_EQ(Script(c.field == Field::Day ? DayChanged(text) : MonthChanged(text)), c.script) << text;
}

TEST(YearChange, OnlyDigitsStay) {
    const std::pair<const char*, std::string> cases[] = {
        {"2", "sel Y3,4"}, {"20261", "sel Y3,4"},
        {"", "sel Y3,4 | sound | sel Y3,4 | write Y=2026 | focus Y"},
        {"202x", "sel Y3,4 | sound | sel Y3,4 | write Y= | focus Y"},
        {"2,5", "sel Y3,4 | sound | sel Y3,4 | write Y= | focus Y"},
    };
    for (const auto& [text, script] : cases) EXPECT_EQ(Script(YearChanged(text, kToday)), script) << text;
}

TEST(Keys, EnterAndCtrlO) {
    struct Case { Field field; Key key; FieldTexts fields; std::string script; };
    const std::string reset = "write D=05 | write M=06 | write Y=2026 | move D4";
    const std::string yearBox =
        "sound | stop Jahreszahleingabe: Das Datum muss zwischen dem Jahr 1900 und dem Jahr 2100 liegen.\r\r"
        "Hinweis:\rDie Eingabefenster (Tag, Monat, Jahr) werden auf das aktuelle Kalenderjahr zurückgesetzt.";
    const Case cases[] = {
        {Field::Day, Key::Enter, {"07", "", ""}, "move M2"},
        {Field::Day, Key::Enter, {"0", "", ""}, "sound"},
        {Field::Day, Key::CtrlO, {"07", "", ""}, ""},
        {Field::Month, Key::Enter, {"", "12", ""}, "move Y4"},
        {Field::Month, Key::Enter, {"", "", ""}, "sound"},
        {Field::Year, Key::Other, {"07", "12", "x"}, ""},
        {Field::Year, Key::Enter, {"07", "12", "1900"}, "load"},
        {Field::Year, Key::CtrlO, {"07", "12", "2100"}, "load"},
        {Field::Year, Key::Enter, {"07", "12", "1899"}, yearBox + " | " + reset},
        {Field::Year, Key::Enter, {"07", "12", "2101"}, yearBox + " | " + reset},
        {Field::Year, Key::Enter, {"07", "12", "0"}, "move Y4 | " + yearBox + " | " + reset},
        {Field::Year, Key::Enter, {"0", "12", "2009"}, kDayZero},
        {Field::Year, Key::Enter, {"07", "", "2009"}, kMonthZero},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Script(KeyPressed(c.field, c.key, c.fields, kToday)), c.script)
            << Name(c.field) << ' ' << c.fields.day << '.' << c.fields.month << '.' << c.fields.year;
}

TEST(Calculate, ChecksYearThenDayThenMonth) {
    const std::string yearBox =
        "sound | stop Jahreszahleingabe: Das Datum muss zwischen dem Jahr 1900 und dem Jahr 2100 liegen.\r"
        "Hinweis:  Das Eingabejahr wird auf das aktuelle Kalenderjahr zurückgesetzt. | "
        "write D=05 | write M=06 | write Y=2026";
    struct Case { FieldTexts fields; std::chrono::year_month_day today; std::string script; };
    const Case cases[] = {
        {{"29", "07", "2009"}, kToday, "load | move D2"},
        {{"29", "07", "2101"}, kToday, yearBox + " | load | move D2"},
        {{"29", "07", "209"}, kToday, "move Y4 | " + yearBox + " | load | move D2"},
        {{"29", "13", "2009"}, kToday, kMonthZero},
        // Today beyond 9999: one message, no computation that would repeat it.
        {{"01", "01", "10000"}, 10000y / 1 / 1,
         "move Y4 | " + yearBox.substr(0, yearBox.find("write")) + "write D=01 | write M=01 | write Y=10000"},
    };
    for (const Case& c : cases) EXPECT_EQ(Script(CalculatePressed(c.fields, c.today)), c.script) << c.fields.year;
}

TEST(Correction, MonthLengthAndTense) {
    // The fields, the reason, the date it goes on with.
    const std::array<std::string, 5> cases[] = {
        {"31", "04", "2026", "dieser Monat hatte nur 30 Tage!", "30.04.2026"},
        {"31", "09", "2026", "dieser Monat hat nur 30 Tage!", "30.09.2026"},
        {"31", "06", "2025", "dieser Monat hatte nur 30 Tage!", "30.06.2025"},
        {"30", "02", "2024", "der Februar hatte in diesem Jahr 29 Tage!  (2024 war ein Schaltjahr)", "29.02.2024"},
        // The leap-year note looks at today's month even for a later year.
        {"30", "02", "2028", "der Februar hatte in diesem Jahr 29 Tage!  (2028 war ein Schaltjahr)", "29.02.2028"},
        {"29", "02", "2100", "der Februar hat in diesem Jahr 28 Tage!", "28.02.2100"},
        {"29", "02", "1900", "der Februar hatte in diesem Jahr 28 Tage!", "28.02.1900"},
        {"31", "13", "2026", "", ""},
        {"31", "04", "226", "", ""},
    };
    const auto expected = [](const std::string& reason, const std::string& date) {
        return reason.empty() ? "calc"
                              : "warn Datumseingabe: Bitte geben Sie ein gültiges Tagesdatum ein - " + reason +
                                    "\rDie Luno-Mat wird mit dem Datum  " + date + "  fortgesetzt. | write D=" +
                                    date.substr(0, 2) + " | calc";
    };
    for (const auto& c : cases) EXPECT_EQ(Script(CorrectDate({c[0], c[1], c[2]}, kToday)), expected(c[3], c[4])) << c[0];
    EXPECT_EQ(Script(CorrectDate({"30", "02", "2028"}, 2026y / 1 / 10)),
              expected("der Februar hat in diesem Jahr 29 Tage!  (2028 ist ein Schaltjahr)", "29.02.2028"));
}

TEST(LoadAndToday, FieldsArePaddedOrFilledWithToday) {
    EXPECT_EQ(Script(PrepareFields({"7", "3", "2009"}, kToday)), "write D=07 | write M=03");
    EXPECT_EQ(Script(PrepareFields({"07", "10", "2009"}, kToday)), "");
    EXPECT_EQ(Script(PrepareFields({"", "", "1999"}, kToday)), "write D=05 | write M=06 | write Y=2026");
    EXPECT_EQ(Script(PrepareFields({"", "1", "1999"}, kToday)), "write M=01");
    EXPECT_EQ(Script(TodayPressed(2027y / 12 / 31)), "write D=31 | write M=12 | write Y=2027 | load | move D2");
    EXPECT_EQ(EnteredDate({"31", "12", "2027"}), std::chrono::year_month_day{2027y / 12 / 31});
    EXPECT_FALSE(EnteredDate({"31", "04", "2027"}));
}

}  // namespace
}  // namespace lunomat::entry
