#pragma once
// Calendar layer of the lunar core: date texts as they stand in the three date
// fields, the Julian day number, and the calendar questions the messages need.
// Every function is pure and never throws; what each returns for odd input is
// stated beside it.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace lunomat {

// The whole Julian Day Number of a calendar date (the Julian date at noon).
using JulianDay = double;

// Years a user may enter in the main window and in `lunomat-cli phase`/`year`.
inline constexpr int kFirstEntryYear = 1900;
inline constexpr int kLastEntryYear = 2100;
// Years for which the calendar arithmetic and the annual table are exact: the
// Gregorian calendar written with four digits.
inline constexpr int kFirstGregorianYear = 1583;
inline constexpr int kLastFourDigitYear = 9999;

// True for a text of one or more ASCII digits and nothing else: no sign, no
// blank, no comma.
bool IsDigits(std::string_view text);

// Exactly one digit "1".."9" becomes "01".."09"; every other text comes back
// unchanged ("0", "", "10", "007", " 7", "x").
std::string PadTwoDigits(std::string_view text);

// Schaefer's integer formula, step by step in double arithmetic. Exact for
// every Gregorian date 1583..9999; for other numbers it returns whatever the
// formula gives (always a finite whole number for |year| < 10^9).
JulianDay JulianDayFromDate(int day, int month, int year);

// The date a text "TT.MM.JJJJ" names, or nothing. Day and month may have one
// or two digits, the year one to four digits (the form the fields produce);
// anything else - blanks, signs, other separators, a day that the month does
// not have - names no date.
std::optional<std::chrono::year_month_day> ParseGermanDate(std::string_view text);

// The three parts of such a text, before it is asked whether the date
// exists: day and month of one or two digits, the year of one to four;
// nothing for any other text.
struct GermanDateParts {
    std::string_view day, month, year;
};
std::optional<GermanDateParts> SplitGermanDate(std::string_view text);

// The date of the three parts on their own, as the date fields hold them.
std::optional<std::chrono::year_month_day> DateFromParts(std::string_view day, std::string_view month,
                                                         std::string_view year);

// "Sonntag" .. "Sonnabend" for a calendar date; "" when the date does not exist.
std::string WeekdayNameOf(std::chrono::year_month_day date);

// "TT.MM.JJJJ" of the day n days after date (n may be any int; the result is
// written with four year digits for years 0..9999). "" when date does not
// exist or the result would leave the years -32767..32767.
std::string AddDaysToDate(std::chrono::year_month_day date, int n);

// "TT.MM.JJJJ" of a date: day and month with two digits, the year with at
// least four (a negative year as "-" and four digits). The fields are written
// as they are, even for a date that does not exist.
std::string DateText(std::chrono::year_month_day date);

// The value of a text that is an optional sign followed by decimal digits and
// nothing else ("2009", "-5", "+07"), or nothing: empty texts, blanks,
// letters, decimal points and values outside the range of int name no number.
std::optional<int> ParseWholeNumber(std::string_view text);

}  // namespace lunomat
