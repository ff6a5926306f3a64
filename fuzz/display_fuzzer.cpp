// The date, number and display texts of the core for any value a user or the
// computation may hand them: a "T.M.J" text parses to an existing date that
// reads back the same and a day shift from it is exact, German decimals read
// back as the value, and every date, existing or not, has a moon display.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>

#include "core/annual.h"
#include "core/calendar.h"
#include "core/display.h"
#include "core/eclipses.h"
#include "fuzz/fuzz.h"

namespace {

using namespace lunomat;
namespace chr = std::chrono;

long long DayNumber(chr::year_month_day d) { return chr::sys_days{d}.time_since_epoch().count(); }

void CheckDate(const std::string& text, int shift) {
    const auto date = ParseGermanDate(text);
    if (!date) return;
    // Only digits and the two dots are read, and only a date that exists.
    FUZZ_CHECK(date->ok() && std::count(text.begin(), text.end(), '.') == 2 &&
               text.find_first_not_of(".0123456789") == std::string::npos);
    FUZZ_CHECK(!WeekdayNameOf(*date).empty() && ParseGermanDate(DateText(*date)) == date);
    const long long target = DayNumber(*date) + shift;
    const std::string shifted = AddDaysToDate(*date, shift);
    FUZZ_CHECK(shifted.empty() ==
               (target < DayNumber(chr::year{-32767} / 1 / 1) || target > DayNumber(chr::year{32767} / 12 / 31)));
    if (const auto back = ParseGermanDate(shifted)) FUZZ_CHECK(DayNumber(*back) == target);
}

void CheckDecimal(double value, int decimals) {
    const std::string text = GermanDecimal(value, decimals);
    if (!std::isfinite(value)) return FUZZ_CHECK(text.empty());
    const int places = std::clamp(decimals, 0, 20);
    // Digits without a leading zero, then the comma and `places` decimals.
    const std::string fraction = places == 0 ? "" : ",[0-9]{" + std::to_string(places) + "}";
    FUZZ_CHECK(std::regex_match(text, std::regex("-?(0|[1-9][0-9]*)" + fraction)));
    // A value that rounds to zero has no sign.
    if (text[0] == '-') FUZZ_CHECK(text.find_first_of("123456789") != std::string::npos);
    // Rounded to `places` decimals, so at most half a unit of the last one away
    // (plus what the double itself cannot hold at this size).
    std::string c = text;
    std::replace(c.begin(), c.end(), ',', '.');
    FUZZ_CHECK(std::fabs(std::strtod(c.c_str(), nullptr) - value) <=
               std::pow(10.0, -places) / 2 + std::fabs(value) * 1e-15);
}

void CheckDisplay(const std::chrono::year_month_day date) {
    const MoonDisplay d = BuildMoonDisplay(date);
    if (!date.ok()) return FUZZ_CHECK(d.dateLine.empty() && d.picturePath.empty() && d.ageDay == 0);
    FUZZ_CHECK(d.ageDay >= 0 && d.ageDay <= 29);
    FUZZ_CHECK(!d.picturePath.empty() && !d.shortName.empty() && !d.dateLine.empty());
    // A countdown names a date up to a month ahead, which the last days of
    // the calendar's range do not have.
    if (int(date.year()) < 32767) FUZZ_CHECK(!d.phaseText.empty());
}

void CheckYearAndEclipses(int year, int index) {
    const bool defined = year >= kFirstGregorianYear && year <= kLastFourDigitYear;
    for (const AnnualPhaseRow& row : computeAnnualPhaseTable(year)) {
        FUZZ_CHECK(row.fullMoon.ok() == defined && row.newMoon.ok() == defined);
        if (!defined) continue;
        const std::string t[] = {DateText(row.fullMoon), DateText(row.lastQuarter), DateText(row.newMoon),
                                 DateText(row.firstQuarter)};
        if (std::all_of(std::begin(t), std::end(t), [](auto& text) { return text.size() == 10; }))
            FUZZ_CHECK(AnnualTableRowText(t[0], t[1], t[2], t[3]).size() == 77);
    }
    FUZZ_CHECK(EclipseWindowText(index).empty() == (index < 0 || index >= kEclipseCount));
    FUZZ_CHECK(EclipsePrintLine(index).empty() == (index < 0 || index >= kEclipsePrintRows));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lunomat::fuzz::InputReader in{data, size};
    const int kind = in.InRange<int>(0, 3);
    if (kind == 0) {
        const int decimals = in.InRange<int>(-3, 24);
        CheckDecimal(in.Double(), decimals);
    } else if (kind == 1) {
        const std::string text = in.String(40);
        CheckDate(text, in.Integral<int>());
    } else if (kind == 2) {
        // Mostly years the window accepts, sometimes anything.
        const int year =
            (in.Byte() & 1) ? in.InRange<int>(kFirstGregorianYear, kLastFourDigitYear) : in.InRange<int>(-32767, 32767);
        const unsigned month = in.InRange<unsigned>(0, 255);
        CheckDisplay(chr::year{year} / chr::month{month} / in.InRange<unsigned>(0, 255));
    } else {
        const int year = in.Integral<int>();
        CheckYearAndEclipses(year, in.Integral<int>());
    }
    return 0;
}
