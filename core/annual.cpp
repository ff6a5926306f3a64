#include "core/annual.h"

#include "core/calendar.h"
#include "core/moon.h"

namespace lunomat {

namespace {

// Whole days of the moon age on a date, through the same Julian day number
// the main window uses for that date.
int AgeDayOn(std::chrono::sys_days day) {
    const std::chrono::year_month_day date{day};
    const int d = static_cast<int>(static_cast<unsigned>(date.day()));
    const int m = static_cast<int>(static_cast<unsigned>(date.month()));
    const int y = static_cast<int>(date.year());
    return AgeDay(ComputeMoonState(JulianDayFromDate(d, m, y)));
}

}  // namespace

AnnualPhaseTable computeAnnualPhaseTable(int year) {
    using namespace std::chrono;
    AnnualPhaseTable table{};
    if (year < kFirstGregorianYear || year > kLastFourDigitYear) return table;

    // Each lunation is projected from the age on its search start by fixed
    // whole-day offsets; the next search starts the day after the new moon.
    sys_days searchStart{std::chrono::year{year} / January / 1};
    for (int k = 0; k <= 13; ++k) {
        const int a = AgeDayOn(searchStart);
        const sys_days fullMoon = searchStart + days{kFullMoonAgeDay - a};
        if (k >= 1)
            table[static_cast<std::size_t>(k - 1)].firstQuarter =
                fullMoon - days{kFullMoonAgeDay - kFirstQuarterAgeDay};
        if (k == 13) break;
        const sys_days newMoon = searchStart + days{kNewMoonAgeDay - a};
        auto& row = table[static_cast<std::size_t>(k)];
        row.fullMoon = fullMoon;
        row.lastQuarter = searchStart + days{kLastQuarterAgeDay - a};
        row.newMoon = newMoon;
        searchStart = newMoon + days{1};
    }
    return table;
}

std::string AnnualTableHeader() {
    return " Vollmondphase    |    Halbmond, abn.   |    Neumondphase    |    Halbmond, zun.";
}

std::string AnnualTableRowText(const std::string& fullMoon, const std::string& lastQuarter, const std::string& newMoon,
                               const std::string& firstQuarter) {
    std::string row;
    row.reserve(80);
    row += "  ";
    row += fullMoon;
    row += "      |      ";
    row += lastQuarter;
    row += "     |     ";
    row += newMoon;
    row += "     |     ";
    row += firstQuarter;
    return row;
}

}  // namespace lunomat
