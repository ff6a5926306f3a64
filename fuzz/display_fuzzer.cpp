// The number and display texts of the core for any value the computation or
// a caller may hand them: German decimals that read back as the value, and a
// moon display for every date, existing or not.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/annual.h"
#include "core/calendar.h"
#include "core/display.h"
#include "core/eclipses.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/input_reader.h"

namespace lunomat::fuzz::display {

namespace chr = std::chrono;

void CheckDecimal(double value, int decimals) {
    const std::string text = GermanDecimal(value, decimals);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text.empty());
        return;
    }
    const int places = decimals < 0 ? 0 : decimals > 20 ? 20 : decimals;
    const std::size_t comma = text.find(',');
    FUZZ_CHECK((comma == std::string::npos) == (places == 0));
    if (places > 0) FUZZ_CHECK(text.size() - comma - 1 == std::size_t(places));
    const std::size_t start = text[0] == '-' ? 1 : 0;
    FUZZ_CHECK(start < text.size() && text[start] >= '0' && text[start] <= '9');
    if (text[start] == '0') FUZZ_CHECK(start + 1 == text.size() || text[start + 1] == ',');
    std::string c = text;
    if (comma != std::string::npos) c[comma] = '.';
    FUZZ_CHECK(c.find_first_not_of("-.0123456789") == std::string::npos);
    const double back = std::strtod(c.c_str(), nullptr);
    // Rounded to `places` decimals, so at most half a unit of the last one away
    // (plus what the double itself cannot hold at this size).
    const double unit = std::pow(10.0, -places);
    FUZZ_CHECK(std::fabs(back - value) <= unit / 2 + std::fabs(value) * 1e-15);
    // A value that rounds to zero has no sign.
    if (start == 1) FUZZ_CHECK(text.find_first_of("123456789") != std::string::npos);
}

void CheckDisplay(int year, unsigned month, unsigned day) {
    const chr::year_month_day date{chr::year{year}, chr::month{month}, chr::day{day}};
    const MoonDisplay d = BuildMoonDisplay(date);
    if (!date.ok()) {
        FUZZ_CHECK(d.dateLine.empty() && d.picturePath.empty() && d.ageDay == 0);
        return;
    }
    FUZZ_CHECK(d.ageDay >= 0 && d.ageDay <= 29);
    FUZZ_CHECK(d.picturePath == PicturePath(d.ageDay) && !d.picturePath.empty());
    FUZZ_CHECK(!d.shortName.empty());
    // A countdown names a date up to a month ahead, which the last days of
    // the calendar's range do not have.
    if (year < 32767) FUZZ_CHECK(!d.phaseText.empty());
    FUZZ_CHECK(d.dateLine == DateLine(WeekdayNameOf(date), DateText(date)));
}

int OneInput(const std::uint8_t* data, std::size_t size) {
    InputReader in(data, size);
    switch (in.InRange<int>(0, 2)) {
    case 0: {
        const int decimals = in.InRange<int>(-3, 24);
        CheckDecimal(in.Double(), decimals);
        break;
    }
    case 1: {
        // Mostly years the window accepts, sometimes anything.
        const int year = in.Bool() ? in.InRange<int>(kFirstGregorianYear, kLastFourDigitYear)
                                          : in.InRange<int>(-32767, 32767);
        const unsigned month = in.InRange<unsigned>(0, 255);
        const unsigned day = in.InRange<unsigned>(0, 255);
        CheckDisplay(year, month, day);
        break;
    }
    default: {
        const int year = in.Integral<int>();
        const AnnualPhaseTable table = computeAnnualPhaseTable(year);
        const bool defined = year >= kFirstGregorianYear && year <= kLastFourDigitYear;
        for (const AnnualPhaseRow& row : table) {
            FUZZ_CHECK(row.fullMoon.ok() == defined && row.newMoon.ok() == defined);
            if (!defined) continue;
            const std::string texts[] = {DateText(row.fullMoon), DateText(row.lastQuarter), DateText(row.newMoon),
                                         DateText(row.firstQuarter)};
            const std::string line = AnnualTableRowText(texts[0], texts[1], texts[2], texts[3]);
            bool allTen = true;
            for (const std::string& t : texts) allTen = allTen && t.size() == 10;
            if (allTen) FUZZ_CHECK(line.size() == 77);
        }
        const int index = in.Integral<int>();
        FUZZ_CHECK(EclipseWindowText(index).empty() == (index < 0 || index >= kEclipseCount));
        FUZZ_CHECK(EclipsePrintLine(index).empty() == (index < 0 || index >= kEclipsePrintRows));
        break;
    }
    }
    return 0;
}

}  // namespace lunomat::fuzz::display

LUNOMAT_FUZZ_ENTRY(lunomat::fuzz::display::OneInput)
