#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/calendar.h"

using namespace lunomat;
using namespace std::chrono;

TEST(JulianDay, MatchesChronoAndTheWeekdayForEveryGregorianDate) {
    static const char* kNames[] = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Sonnabend"};
    long long mismatches = 0;
    for (sys_days day{1583y / January / 1}; day <= sys_days{year{kLastFourDigitYear} / December / 31}; day += days{1}) {
        const year_month_day date{day};
        // The Julian Day Number from chrono's day count since 1970-01-01 (JDN
        // 2440588); JDN + 1 modulo 7 counts from Sunday = 0.
        const long long jdn = day.time_since_epoch().count() + 2440588;
        const double jd = JulianDayFromDate(int(unsigned(date.day())), int(unsigned(date.month())), int(date.year()));
        if (jd != double(jdn) || WeekdayNameOf(date) != kNames[(jdn + 1) % 7])
            if (++mismatches < 5) ADD_FAILURE() << DateText(date);
    }
    EXPECT_EQ(mismatches, 0);
    for (int v : {INT_MIN, -1, 0, 13, INT_MAX}) EXPECT_TRUE(std::isfinite(JulianDayFromDate(v, v, v))) << v;
    EXPECT_EQ(WeekdayNameOf(2009y / 4 / 31), "");
}

// Which texts name a day, and where a day shift lands, is checked against
// plain arithmetic by the display fuzz target on its stored inputs.
TEST(DateTexts, WrittenWithTwoDigitsAndFourYearDigits) {
    const std::pair<year_month_day, const char*> cases[] = {{2009y / 7 / 29, "29.07.2009"},
                                                            {year{5} / 1 / 2, "02.01.0005"},
                                                            {year{0} / 1 / 1, "01.01.0000"},
                                                            {year{9999} / 12 / 31, "31.12.9999"},
                                                            {year{10000} / 1 / 1, "01.01.10000"},
                                                            {year{-1} / 3 / 4, "04.03.-0001"},
                                                            {year{2009} / 7 / day{100}, "100.07.2009"},
                                                            {year{2009} / month{100} / 7, "07.100.2009"}};
    for (const auto& [date, text] : cases) EXPECT_EQ(DateText(date), text);
    EXPECT_EQ(DateFromParts("7", "03", "2009"), year_month_day{2009y / 3 / 7});
    // Day and month have two digits at most, the year four: "003" is no month.
    EXPECT_TRUE(!DateFromParts("7", "003", "2009") && !DateFromParts("007", "3", "2009") &&
                !DateFromParts("7", "3", "02009"));
}

// The readers of what is typed into a field.
TEST(DateTexts, PaddingDigitsAndWholeNumbers) {
    const std::pair<const char*, const char*> pads[] = {{"7", "07"},  {"1", "01"},    {"0", "0"},   {"", ""},
                                                        {"31", "31"}, {"007", "007"}, {" 7", " 7"}, {"x", "x"}};
    for (const auto& [in, out] : pads) EXPECT_EQ(PadTwoDigits(in), out) << in;
    for (const char* yes : {"0", "2026", "0123456789"}) EXPECT_TRUE(IsDigits(yes)) << yes;
    for (const char* no : {"", " 1", "1,", "-1", "+1", "1a", "/", ":"}) EXPECT_FALSE(IsDigits(no)) << no;
    const std::pair<const char*, std::optional<int>> numbers[] = {
        {"2009", 2009}, {"-5", -5}, {"+07", 7},  {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"", {}},
        {"-", {}},      {" 1", {}}, {"1,5", {}}, {"2147483648", {}},      {"-2147483649", {}}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(ParseWholeNumber(text), value) << text;
}

TEST(AddDays, NothingForImpossibleDatesOrBeyondTheCalendar) {
    for (const auto& [date, n] : {std::pair{2009y / 4 / 31, 1}, {year_month_day{}, 1}, {2009y / 1 / 1, INT_MAX}})
        EXPECT_EQ(AddDaysToDate(date, n), "");
}
