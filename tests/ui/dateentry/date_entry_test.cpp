// The date-field rules without any window: what each rule asks the window to
// do, written as a short script per case ("sound", "box Tages…", "write D=30").
// The cases and their scripts are the table in cases.tsv.
#include "ui/dateentry/date_entry.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/core/table.h"

namespace lunomat::entry {
namespace {

using namespace std::chrono_literals;

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
        else if (s.kind == Step::Kind::Select)
            out += Name(s.field) + std::to_string(s.start) + "," + std::to_string(s.length);
        else if (s.kind == Step::Kind::Write) out += Name(s.field) + ("=" + s.text);
        else if (s.kind == Step::Kind::Focus) out += Name(s.field);
        else if (s.kind == Step::Kind::MoveFocus) out += Name(s.field) + std::to_string(s.length);
    }
    return out;
}

// "TT.MM.JJJJ", or the table's today for an empty text.
std::chrono::year_month_day Date(const std::string& text) {
    if (text.empty()) return 2026y / 6 / 5;
    return std::chrono::year(std::stoi(text.substr(6))) / std::stoi(text.substr(3, 2)) / std::stoi(text.substr(0, 2));
}

Steps Apply(const std::vector<std::string>& c) {
    const Field field = c[1] == "D" ? Field::Day : c[1] == "M" ? Field::Month : Field::Year;
    const FieldTexts fields{c[3], c[4], c[5]};
    const Key key = c[2] == "Enter" ? Key::Enter : c[2] == "CtrlO" ? Key::CtrlO : Key::Other;
    const auto today = Date(c[6]);
    if (c[0] == "change" && field == Field::Day) return DayChanged(c[3]);
    if (c[0] == "change" && field == Field::Month) return MonthChanged(c[4]);
    if (c[0] == "change") return YearChanged(c[5], today);
    if (c[0] == "key") return KeyPressed(field, key, fields, today);
    if (c[0] == "calc") return CalculatePressed(fields, today);
    if (c[0] == "correct") return CorrectDate(fields, today);
    if (c[0] == "prepare") return PrepareFields(fields, today);
    return TodayPressed(today);
}

// The lines of cases.tsv, one test each.
std::vector<std::vector<std::string>> Cases() { return TableRows(LUNOMAT_DATE_ENTRY_CASES, '\t'); }

struct DateEntryCase : testing::TestWithParam<std::vector<std::string>> {};

TEST_P(DateEntryCase, GetsItsSteps) {
    std::vector<std::string> c = GetParam();
    ASSERT_EQ(c.size(), 8u);
    for (std::size_t at; (at = c[7].find("\\r")) != std::string::npos;) c[7].replace(at, 2, "\r");
    EXPECT_EQ(Script(Apply(c)), c[7]);
}
// Named after the rule, the field and the number of the case in the table
// (counting case lines only), so that a failure points at its row.
INSTANTIATE_TEST_SUITE_P(Table, DateEntryCase, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<std::vector<std::string>>& row) {
                             return row.param[0] + row.param[1] + "_" + std::to_string(row.index + 1);
                         });

TEST(DateEntry, TableHoldsEveryCase) { EXPECT_EQ(Cases().size(), 64u); }

TEST(DateEntry, EnteredDateIsOnlyADateOfTheCalendar) {
    EXPECT_EQ(EnteredDate({"31", "12", "2027"}), std::chrono::year_month_day{2027y / 12 / 31});
    EXPECT_FALSE(EnteredDate({"31", "04", "2027"}));
}

}  // namespace
}  // namespace lunomat::entry
