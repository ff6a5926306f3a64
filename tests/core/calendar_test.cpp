#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/calendar.h"

using namespace lunomat;
using namespace std::chrono;

namespace {

// Julian Day Number from chrono's day count since 1970-01-01 (JDN 2440588).
long long ChronoJdn(year_month_day date) {
    return sys_days{date}.time_since_epoch().count() + 2440588;
}

int Num(const year_month_day& d, int field) {
    if (field == 0) return static_cast<int>(static_cast<unsigned>(d.day()));
    if (field == 1) return static_cast<int>(static_cast<unsigned>(d.month()));
    return static_cast<int>(d.year());
}

}  // namespace

TEST(JulianDay, MatchesChronoForEveryGregorianDate1583To9999) {
    const sys_days first{1583y / January / 1};
    const sys_days last{year{9999} / December / 31};
    long long mismatches = 0;
    for (sys_days day = first; day <= last; day += days{1}) {
        const year_month_day date{day};
        const double j = JulianDayFromDate(Num(date, 0), Num(date, 1), Num(date, 2));
        if (j != static_cast<double>(ChronoJdn(date))) {
            if (++mismatches < 5) ADD_FAILURE() << DateText(date) << " gives " << j;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(JulianDay, WorkedValues) {
    EXPECT_EQ(JulianDayFromDate(6, 1, 2000), 2451550.0);
    EXPECT_EQ(JulianDayFromDate(29, 7, 2009), 2455042.0);
    EXPECT_EQ(JulianDayFromDate(28, 2, 1900), 2415079.0);
    EXPECT_EQ(JulianDayFromDate(1, 3, 1900), 2415080.0);
    EXPECT_EQ(JulianDayFromDate(31, 12, 2100), 2488434.0);
}

TEST(JulianDay, ExtremeNumbersGiveFiniteWholeNumbers) {
    for (int v : {INT_MIN, -1000000, -1, 0, 13, 99, INT_MAX}) {
        for (const auto& [d, m, y] : {std::tuple{v, 1, 2000}, {1, v, 2000}, {1, 1, v}, {v, v, v}}) {
            const double j = JulianDayFromDate(d, m, y);
            EXPECT_TRUE(std::isfinite(j)) << d << "." << m << "." << y;
            EXPECT_EQ(j, std::floor(j));
        }
    }
}

TEST(Weekday, AgreesWithJulianDayCountFor1900To2100) {
    // JDN + 1 modulo 7 counts from Sunday = 0: an oracle independent of chrono.
    static const char* kNames[] = {"Sonntag", "Montag", "Dienstag", "Mittwoch",
                                   "Donnerstag", "Freitag", "Sonnabend"};
    for (sys_days day{1900y / 1 / 1}; day <= sys_days{2100y / 12 / 31}; day += days{1}) {
        const year_month_day date{day};
        const auto jdn = static_cast<long long>(JulianDayFromDate(Num(date, 0), Num(date, 1), Num(date, 2)));
        ASSERT_EQ(WeekdayName(DateText(date)), kNames[(jdn + 1) % 7]) << DateText(date);
    }
    EXPECT_EQ(WeekdayName("29.07.2009"), "Mittwoch");
    EXPECT_EQ(WeekdayName("01.08.2009"), "Sonnabend");
}

TEST(Weekday, TextsThatNameNoDateGiveEmpty) {
    for (const char* text : {"31.04.2009", "30.02.2024", "29.02.1900", "29.02.2100", "00.01.2009",
                             "01.13.2009", "01.00.2009", "", ".", "..", "1.2", "aa.bb.cccc",
                             " 1.02.2009", "01.02.2009 ", "01.02.20091", "-1.02.2009",
                             "01,02,2009", "01.02.2009.", "99999999999999999999.01.2009",
                             "01.99999999999999999999.2009", "01.02.99999999999999999999"}) {
        EXPECT_EQ(WeekdayName(text), "") << '"' << text << '"';
        EXPECT_FALSE(ParseGermanDate(text).has_value()) << '"' << text << '"';
    }
    EXPECT_EQ(ParseGermanDate("29.02.2000"), year_month_day{2000y / 2 / 29});
    EXPECT_EQ(ParseGermanDate("7.3.2009"), year_month_day{2009y / 3 / 7});
}

TEST(PadTwoDigits, OnlySingleNonZeroDigitsArePadded) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "07"}, {"1", "01"}, {"9", "09"}, {"0", "0"}, {"", ""}, {"10", "10"},
        {"31", "31"}, {"007", "007"}, {" 7", " 7"}, {"x", "x"}, {"-", "-"}};
    for (const auto& [in, out] : cases) EXPECT_EQ(PadTwoDigits(in), out) << in;
    EXPECT_EQ(PadTwoDigitsClock("0"), "00");
    EXPECT_EQ(PadTwoDigitsClock("5"), "05");
    EXPECT_EQ(PadTwoDigitsClock("23"), "23");
    EXPECT_EQ(PadTwoDigitsClock("a"), "a");
    EXPECT_EQ(GermanDateText("7", "03", "2009"), "7.03.2009");
}

TEST(AddDays, AgreesWithJulianDayDifference) {
    for (sys_days day{1900y / 1 / 1}; day <= sys_days{2100y / 12 / 31}; day += days{3}) {
        const year_month_day date{day};
        const double j0 = JulianDayFromDate(Num(date, 0), Num(date, 1), Num(date, 2));
        for (int n : {1, 7, 14, 29, -1}) {
            const auto target = ParseGermanDate(AddDaysToDate(date, n));
            ASSERT_TRUE(target.has_value()) << DateText(date) << " + " << n;
            ASSERT_EQ(JulianDayFromDate(Num(*target, 0), Num(*target, 1), Num(*target, 2)) - j0, n);
        }
    }
    EXPECT_EQ(AddDaysToDate(2009y / 7 / 29, 7), "05.08.2009");
    EXPECT_EQ(AddDaysToDate(2026y / 12 / 28, 14), "11.01.2027");
    EXPECT_EQ(AddDaysToDate(2024y / 2 / 28, 1), "29.02.2024");
    EXPECT_EQ(AddDaysToDate(2100y / 2 / 28, 1), "01.03.2100");
}

TEST(AddDays, OddInputGivesEmptyText) {
    EXPECT_EQ(AddDaysToDate(2009y / 4 / 31, 1), "");
    EXPECT_EQ(AddDaysToDate(year_month_day{}, 1), "");
    EXPECT_EQ(AddDaysToDate(2009y / 1 / 1, INT_MAX), "");
    EXPECT_EQ(AddDaysToDate(2009y / 1 / 1, INT_MIN), "");
    EXPECT_EQ(DateText(year{5} / 1 / 2), "02.01.0005");
}

TEST(FebruaryNote, LeapYearsAndTense) {
    struct Case {
        const char* year;
        const char* month;
        int todayYear;
        const char* todayMonth;
        const char* days;
        const char* note;
        const char* verb;
    };
    const Case cases[] = {
        {"2028", "02", 2026, "12", "29", "  (2028 war ein Schaltjahr)", " hatte "},
        {"2027", "02", 2026, "12", "28", "", " hat "},
        {"2024", "02", 2026, "01", "29", "  (2024 war ein Schaltjahr)", " hatte "},
        {"2023", "02", 2026, "01", "28", "", " hatte "},
        {"2028", "02", 2026, "01", "29", "  (2028 ist ein Schaltjahr)", " hat "},
        {"2028", "02", 2026, "02", "29", "  (2028 ist ein Schaltjahr)", " hat "},
        {"1900", "02", 2026, "01", "28", "", " hatte "},
        {"2000", "02", 2026, "01", "29", "  (2000 war ein Schaltjahr)", " hatte "},
        {"2100", "02", 2026, "12", "28", "", " hat "},
        {"abc", "02", 2026, "01", "28", "", " hat "},
        {"", "02", 2026, "01", "28", "", " hat "},
    };
    for (const auto& c : cases) {
        const FebruaryInfo info = FebruaryNote(c.year, c.month, c.todayYear, c.todayMonth);
        EXPECT_EQ(info.days, c.days) << c.year << " " << c.todayMonth;
        EXPECT_EQ(info.note, c.note) << c.year << " " << c.todayMonth;
        EXPECT_EQ(info.verb, c.verb) << c.year << " " << c.todayMonth;
    }
}

TEST(MonthIsPast, YearFirstThenMonthText) {
    EXPECT_TRUE(MonthIsPast("2009", "04", 2026, "01"));
    EXPECT_TRUE(MonthIsPast("2026", "04", 2026, "05"));
    EXPECT_FALSE(MonthIsPast("2026", "04", 2026, "04"));
    EXPECT_TRUE(MonthIsPast("2030", "04", 2026, "11"));  // the month test holds for later years too
    EXPECT_FALSE(MonthIsPast("2030", "11", 2026, "04"));
    EXPECT_FALSE(MonthIsPast("x", "11", 2026, "04"));
}

TEST(ParseWholeNumber, RangeAndForm) {
    EXPECT_EQ(ParseWholeNumber("2009"), 2009);
    EXPECT_EQ(ParseWholeNumber("-5"), -5);
    EXPECT_EQ(ParseWholeNumber("+07"), 7);
    EXPECT_EQ(ParseWholeNumber("2147483647"), INT_MAX);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), INT_MIN);
    for (const char* text : {"", "-", "+", " 1", "1 ", "1.5", "1,5", "x", "2147483648",
                             "-2147483649", "99999999999999999999999"})
        EXPECT_FALSE(ParseWholeNumber(text).has_value()) << text;
}
