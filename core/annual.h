#pragma once
// The year's 13 lunations, projected from the moon age by whole-day offsets.

#include <array>
#include <chrono>
#include <string>

namespace lunomat {

struct AnnualPhaseRow {
    std::chrono::year_month_day fullMoon;
    std::chrono::year_month_day lastQuarter;
    std::chrono::year_month_day newMoon;
    std::chrono::year_month_day firstQuarter;  // the first quarter after this row's new moon
};

using AnnualPhaseTable = std::array<AnnualPhaseRow, 13>;

// Defined for years 1583..9999 (the caller checks); pure. For any other year
// every date of the table is a value-initialised year_month_day (ok() false).
AnnualPhaseTable computeAnnualPhaseTable(int year);

// The printout's table header, 80 characters.
std::string AnnualTableHeader();

// One printed table row from the four date texts as the window shows them
// (full moon, last quarter, new moon, first quarter): 77 characters for
// TT.MM.JJJJ texts, bars at the 19th, 41st and 62nd character.
std::string AnnualTableRowText(const std::string& fullMoon, const std::string& lastQuarter, const std::string& newMoon,
                               const std::string& firstQuarter);

}  // namespace lunomat
