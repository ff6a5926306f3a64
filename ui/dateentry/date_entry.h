#pragma once
// The rules of the main window's three date fields, without any widget: each
// function takes what the fields hold (and today's date where it matters) and
// returns, in order, what the window has to do. Writing a field's text runs
// that field's change rule again at once, so the window feeds such a write
// back through DayChanged/MonthChanged/YearChanged before the next step.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lunomat::entry {

enum class Field { Day, Month, Year };
enum class Icon { Exclamation, Critical };
// The keys the fields react to; every other key is Other.
enum class Key { Enter, CtrlO, Other };

struct FieldTexts {
    std::string day, month, year;
};

struct Step {
    enum class Kind {
        Sound,      // the error sound
        Box,        // a message box: icon, title, text; the next step waits for it to close
        Select,     // field's selection: start, length (cut back to the text)
        Write,      // field := text (its change rule runs again)
        Focus,      // the field gets the keyboard focus, selection unchanged
        MoveFocus,  // selection start/length, then the focus
        Load,       // the load handler: compute and show the date in the fields
        Calculate,  // the calculation command again, with the fields as they are then
    };
    Kind kind;
    Field field = Field::Day;
    int start = 0;
    int length = 0;
    std::string text{};
    std::string title{};
    Icon icon = Icon::Critical;
};
using Steps = std::vector<Step>;

// Today as the fields show it: day and month with two digits, the year as its digits.
FieldTexts TodayTexts(std::chrono::year_month_day today);

// The date the fields name, or nothing (a day the month does not have, a
// year of more than four digits, anything but digits).
std::optional<std::chrono::year_month_day> EnteredDate(const FieldTexts& fields);

// After every change of a field's text.
Steps DayChanged(std::string_view text);
Steps MonthChanged(std::string_view text);
Steps YearChanged(std::string_view text, std::chrono::year_month_day today);

// A key pressed in a field; the key itself always reaches the field as well.
Steps KeyPressed(Field field, Key key, const FieldTexts& fields, std::chrono::year_month_day today);

// "&Berechnen": check the whole date, then compute.
Steps CalculatePressed(const FieldTexts& fields, std::chrono::year_month_day today);

// "&Heute": the fields to today, compute, focus to the day.
Steps TodayPressed(std::chrono::year_month_day today);

// First part of the load handler: day and month brought to two digits, and
// two empty fields filled with today's date.
Steps PrepareFields(const FieldTexts& fields, std::chrono::year_month_day today);

// The load handler found no such date: correct the day to the month's last
// day with a message, then calculate again.
Steps CorrectDate(const FieldTexts& fields, std::chrono::year_month_day today);

}  // namespace lunomat::entry
