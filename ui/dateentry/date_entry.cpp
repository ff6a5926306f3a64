#include "ui/dateentry/date_entry.h"

#include <optional>

#include "core/calendar.h"

namespace lunomat::entry {

namespace {

using std::chrono::year_month_day;

// Largest day and month a field accepts; the day is checked against the
// month only when the date is computed.
constexpr long long kLastDayOfAnyMonth = 31;
constexpr long long kMonthsPerYear = 12;
// A day or month field holds one or two digits, a plain year four.
constexpr std::size_t kDayMonthDigits = 2;
constexpr std::size_t kPlainYearDigits = 4;
// Selection lengths: two characters (a whole day or month), four (a whole
// year, and so any field's whole text).
constexpr int kWholeDayOrMonth = 2;
constexpr int kWholeField = 4;

const std::string kDayTitle = "Luno-Mat   -   Falsche Tageszahleingabe";
const std::string kMonthTitle = "Luno-Mat   -   Falsche Monatszahleingabe";
const std::string kYearTitle = "Luno-Mat   -   Falsche Jahreszahleingabe";
const std::string kCorrectionTitle = "Lunomat   -   Falsche Datumseingabe";
const std::string kClockTitle = "Luno-Mat   -   Falsche Systemzeit";
// The last year a four-digit year field can hold.
constexpr int kLastFieldYear = 9999;
const std::string kDayWrong = "Falsche Tageszahleingabe:\rDas Tagesdatum stimmt nicht.";
const std::string kMonthWrong = "Falsche Monatszahleingabe:\rDas Monatsdatum stimmt nicht.";
const std::string kDayNotZero = "Falsche Tageszahleingabe:\rDas Tagesdatum muss grundsätzlich größer Null (0) sein.";
const std::string kMonthNotZero =
    "Falsche Monatszahleingabe:\rDas Monatsdatum muss grundsätzlich größer Null (0) sein.";

std::string YearRangeSentence() {
    return "Falsche Jahreszahleingabe:\rDas Datum muss zwischen dem Jahr " + std::to_string(kFirstEntryYear) +
           " und dem Jahr " + std::to_string(kLastEntryYear) + " liegen.";
}

Step Sound() { return {.kind = Step::Kind::Sound}; }
Step Box(Icon icon, const std::string& title, const std::string& text) {
    return {.kind = Step::Kind::Box, .text = text, .title = title, .icon = icon};
}
Step Select(Field f, int start, int length) {
    return {.kind = Step::Kind::Select, .field = f, .start = start, .length = length};
}
Step Write(Field f, std::string text) { return {.kind = Step::Kind::Write, .field = f, .text = std::move(text)}; }
Step Focus(Field f) { return {.kind = Step::Kind::Focus, .field = f}; }
Step MoveFocus(Field f, int length) { return {.kind = Step::Kind::MoveFocus, .field = f, .length = length}; }
Step Load() { return {.kind = Step::Kind::Load}; }
Step Calculate() { return {.kind = Step::Kind::Calculate}; }

void Append(Steps& steps, const Steps& more) { steps.insert(steps.end(), more.begin(), more.end()); }

// The value of a field that holds digits only, saturated far above every
// range checked here; nothing for any other text.
std::optional<long long> ValueOf(std::string_view text) {
    if (!IsDigits(text)) return std::nullopt;
    constexpr long long kSaturation = 1'000'000'000;
    long long value = 0;
    for (char c : text) value = std::min(kSaturation, value * 10 + (c - '0'));
    return value;
}

bool Positive(std::string_view text) {
    const auto value = ValueOf(text);
    return value && *value != 0;
}

// One or two digits whose value lies in 1..last.
bool InFieldRange(std::string_view text, long long last) {
    const auto value = ValueOf(text);
    return value && text.size() <= kDayMonthDigits && *value >= 1 && *value <= last;
}

// What cannot even start a number: a letter anywhere, or no digit at all.
// Such a text is simply emptied; digits mixed with anything else ("1,",
// "-1", " 7") are a wrong number and get the field's message.
bool NotANumber(std::string_view text) {
    bool digit = false;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') return true;
        if (u >= 0x80) return true;  // letters beyond ASCII (umlauts and the like)
        if (c >= '0' && c <= '9') digit = true;
    }
    return !digit;
}

bool IsMonthText(std::string_view month) { return InFieldRange(PadTwoDigits(month), kMonthsPerYear); }
bool IsPlainYear(std::string_view year) { return IsDigits(year) && year.size() == kPlainYearDigits; }
bool InEntryRange(std::optional<long long> year) { return year && *year >= kFirstEntryYear && *year <= kLastEntryYear; }

// A clock past the year 9999 names a today the four-digit year field cannot
// hold; a fifth digit there would turn the next typed year into another one.
bool TodayFits(year_month_day today) { return static_cast<int>(today.year()) <= kLastFieldYear; }

// Instead of today, when today does not fit: the fields keep their date.
Step ClockBox(year_month_day today) {
    const FieldTexts t = TodayTexts(today);
    return Box(Icon::Exclamation, kClockTitle,
               "Falsche Systemzeit:\rDie Uhr des Rechners steht auf dem " + t.day + "." + t.month + "." + t.year +
                   ". Luno-Mat zeigt Daten bis zum 31.12." + std::to_string(kLastFieldYear) +
                   "; die Datumsfelder behalten ihr Datum.\rBitte stellen Sie die Uhr des Rechners richtig.");
}

Steps ResetToToday(year_month_day today) {
    if (!TodayFits(today)) return {ClockBox(today)};
    const FieldTexts t = TodayTexts(today);
    return {Write(Field::Day, t.day), Write(Field::Month, t.month), Write(Field::Year, t.year)};
}

// Both remaining checks of a computation: a day and a month above zero.
bool CheckDayAndMonth(Steps& steps, const FieldTexts& fields, bool monthMustExist) {
    if (!Positive(fields.day)) {
        Append(steps, {Sound(), Box(Icon::Critical, kDayTitle, kDayNotZero), MoveFocus(Field::Day, kWholeField)});
        return false;
    }
    if (!Positive(fields.month) || (monthMustExist && !IsMonthText(fields.month))) {
        Append(steps, {Sound(), Box(Icon::Critical, kMonthTitle, kMonthNotZero), MoveFocus(Field::Month, kWholeField)});
        return false;
    }
    return true;
}

// The change rule shared by day and month.
Steps DayOrMonthChanged(std::string_view text, Field field, Field next, long long last, const std::string& title,
                        const std::string& wrong) {
    Steps steps{Select(field, 1, kWholeDayOrMonth)};
    if (text.empty()) {
        if (field == Field::Day) steps.push_back(Select(field, 1, kWholeDayOrMonth));
        return steps;
    }
    if (NotANumber(text)) {
        Append(steps, {Sound(), Select(field, 1, kWholeDayOrMonth), Write(field, ""), Focus(field)});
        return steps;
    }
    if (text.size() < kDayMonthDigits) return steps;
    if (InFieldRange(text, last)) {
        steps.push_back(MoveFocus(next, kWholeField));
        return steps;
    }
    Append(steps, {Sound(), Box(Icon::Critical, title, wrong), Select(field, 2, 2), Write(field, ""), Focus(field)});
    return steps;
}

}  // namespace

FieldTexts TodayTexts(year_month_day today) {
    return {PadTwoDigits(std::to_string(static_cast<unsigned>(today.day()))),
            PadTwoDigits(std::to_string(static_cast<unsigned>(today.month()))),
            std::to_string(static_cast<int>(today.year()))};
}

std::optional<year_month_day> EnteredDate(const FieldTexts& fields) {
    return DateFromParts(fields.day, fields.month, fields.year);
}

Steps DayChanged(std::string_view text) {
    return DayOrMonthChanged(text, Field::Day, Field::Month, kLastDayOfAnyMonth, kDayTitle, kDayWrong);
}

Steps MonthChanged(std::string_view text) {
    return DayOrMonthChanged(text, Field::Month, Field::Year, kMonthsPerYear, kMonthTitle, kMonthWrong);
}

Steps YearChanged(std::string_view text, year_month_day today) {
    // Length and range are checked by Enter. Anything but digits goes; an
    // empty field comes back as the current year, anything else is emptied
    // first and the run that follows brings the current year.
    Steps steps{Select(Field::Year, 3, kWholeField)};
    if (IsDigits(text)) return steps;
    Append(steps, {Sound(), Select(Field::Year, 3, kWholeField)});
    // A today that does not fit brings the last year the field can hold
    // instead: the field is never left empty.
    const std::string current = TodayFits(today) ? TodayTexts(today).year : std::to_string(kLastFieldYear);
    steps.push_back(Write(Field::Year, text.empty() ? current : ""));
    steps.push_back(Focus(Field::Year));
    return steps;
}

Steps KeyPressed(Field field, Key key, const FieldTexts& fields, year_month_day today) {
    if (field != Field::Year) {
        // Enter moves on; the range was checked while typing.
        if (key != Key::Enter) return {};
        if (!Positive(field == Field::Day ? fields.day : fields.month)) return {Sound()};
        return {field == Field::Day ? MoveFocus(Field::Month, kWholeDayOrMonth) : MoveFocus(Field::Year, kWholeField)};
    }
    if (key == Key::Other) return {};
    Steps steps;
    const auto year = ValueOf(fields.year);
    if (!Positive(fields.year)) steps.push_back(MoveFocus(Field::Year, kWholeField));
    if (!InEntryRange(year)) {
        Append(steps, {Sound(), Box(Icon::Critical, kYearTitle,
                                    YearRangeSentence() +
                                        "\r\rHinweis:\rDie Eingabefenster (Tag, Monat, Jahr) werden auf das aktuelle "
                                        "Kalenderjahr zurückgesetzt.")});
        Append(steps, ResetToToday(today));
        steps.push_back(MoveFocus(Field::Day, kWholeField));
        return steps;
    }
    if (CheckDayAndMonth(steps, fields, false)) steps.push_back(Load());
    return steps;
}

Steps CalculatePressed(const FieldTexts& entered, year_month_day today) {
    Steps steps;
    FieldTexts fields = entered;
    // A year that is not a plain four-digit number fails like an empty one:
    // no date could be computed or corrected from it.
    const bool yearFails = !Positive(fields.year) || !IsPlainYear(fields.year);
    if (yearFails) steps.push_back(MoveFocus(Field::Year, kWholeField));
    if (yearFails || !InEntryRange(ValueOf(fields.year))) {
        Append(steps,
               {Sound(), Box(Icon::Critical, kYearTitle,
                             YearRangeSentence() + "\rHinweis:  Das Eingabejahr wird auf das aktuelle Kalenderjahr "
                                                   "zurückgesetzt.")});
        Append(steps, ResetToToday(today));
        // Beyond the year 9999 the fields keep what they hold, which is no
        // date to compute; computing would bring this message back.
        if (!TodayFits(today)) return steps;
        fields = TodayTexts(today);
    }
    if (CheckDayAndMonth(steps, fields, true)) Append(steps, {Load(), MoveFocus(Field::Day, kWholeDayOrMonth)});
    return steps;
}

Steps TodayPressed(year_month_day today) {
    Steps steps = ResetToToday(today);
    // The display stays on the date it shows when today does not fit.
    if (TodayFits(today)) steps.push_back(Load());
    steps.push_back(MoveFocus(Field::Day, kWholeDayOrMonth));
    return steps;
}

Steps PrepareFields(const FieldTexts& fields, year_month_day today) {
    Steps steps;
    const std::string day = PadTwoDigits(fields.day);
    const std::string month = PadTwoDigits(fields.month);
    if (day != fields.day) steps.push_back(Write(Field::Day, day));
    if (month != fields.month) steps.push_back(Write(Field::Month, month));
    if (day.empty() && month.empty()) Append(steps, ResetToToday(today));
    return steps;
}

Steps CorrectDate(const FieldTexts& fields, year_month_day today) {
    // Only a month "01".."12" and a plain year can be corrected to a real
    // date; the calculation command refuses anything else with its own message.
    if (!IsMonthText(fields.month) || !IsPlainYear(fields.year)) return {Calculate()};
    const int year = static_cast<int>(*ValueOf(fields.year));
    const long long month = *ValueOf(fields.month);
    const int todayYear = static_cast<int>(today.year());
    const long long todayMonth = static_cast<unsigned>(today.month());
    const bool yearIsPast = year < todayYear;
    const std::string date = "." + fields.month + "." + fields.year + "  fortgesetzt.";
    Steps steps;
    if (month != 2) {
        const bool past = yearIsPast || todayMonth > month;
        steps.push_back(
            Box(Icon::Exclamation, kCorrectionTitle,
                std::string("Falsches Datum:\rBitte geben Sie ein gültiges Tagesdatum ein - dieser Monat ") +
                    (past ? "hatte" : "hat") + " nur 30 Tage!\rDie Luno-Mat wird mit dem Datum  30" + date));
        steps.push_back(Write(Field::Day, "30"));
    } else {
        const bool leap = std::chrono::year{year}.is_leap();
        const std::string days = leap ? "29" : "28";
        // In a leap year the note and the verb look at today's month too: a
        // February of this year is past once March has come.
        const bool past = leap ? yearIsPast || todayMonth > month : yearIsPast;
        const std::string note =
            leap ? "  (" + fields.year + (past ? " war" : " ist") + " ein Schaltjahr)" : std::string();
        steps.push_back(Box(Icon::Exclamation, kCorrectionTitle,
                            "Falsches Datum:\rBitte geben Sie ein gültiges Tagesdatum ein - der Februar" +
                                std::string(past ? " hatte " : " hat ") + "in diesem Jahr " + days + " Tage!" + note +
                                "\rDie Luno-Mat wird mit dem Datum  " + days + date));
        steps.push_back(Write(Field::Day, days));
    }
    steps.push_back(Calculate());
    return steps;
}

}  // namespace lunomat::entry
