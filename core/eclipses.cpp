#include "core/eclipses.h"

#include "core/calendar.h"

namespace lunomat {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

constexpr EclipseEntry E(int d, unsigned m, int y, EclipseKind kind) {
    return {std::chrono::year_month_day{year{y}, month{m}, day{static_cast<unsigned>(d)}}, kind};
}

constexpr EclipseKind T = EclipseKind::Total;
constexpr EclipseKind H = EclipseKind::Penumbral;
constexpr EclipseKind P = EclipseKind::Partial;

// clang-format off
constexpr std::array<EclipseEntry, kEclipseCount> kCatalogue = {{
    E(14, 4, 1987, H),  E(7, 10, 1987, H),  E(20, 2, 1989, T),  E(17, 8, 1989, T),
    E(9, 2, 1990, T),   E(30, 1, 1991, H),  E(15, 6, 1992, P),  E(9, 12, 1992, T),
    E(29, 11, 1993, T), E(25, 5, 1994, P),  E(18, 11, 1994, H), E(4, 4, 1996, T),
    E(27, 9, 1996, T),  E(24, 3, 1997, P),  E(16, 9, 1997, T),  E(13, 3, 1998, H),
    E(31, 1, 1999, H),  E(21, 1, 2000, T),  E(9, 1, 2001, T),   E(20, 11, 2002, H),
    E(16, 5, 2003, T),  E(9, 11, 2003, T),  E(4, 5, 2004, T),   E(28, 10, 2004, T),
    E(14, 3, 2006, H),  E(7, 9, 2006, P),   E(3, 3, 2007, T),   E(21, 2, 2008, T),
    E(16, 8, 2008, P),  E(31, 12, 2009, P), E(21, 12, 2010, T), E(15, 6, 2011, T),
    E(10, 12, 2011, T), E(28, 11, 2012, H), E(25, 4, 2013, P),  E(19, 10, 2013, H),
    E(28, 9, 2015, T),  E(16, 9, 2016, H),  E(11, 2, 2017, H),  E(7, 8, 2017, P),
    E(27, 7, 2018, T),  E(21, 1, 2019, T),  E(16, 7, 2019, P),  E(10, 1, 2020, H),
    E(19, 11, 2021, P), E(16, 5, 2022, T),  E(5, 5, 2023, H),   E(28, 10, 2023, P),
    E(18, 9, 2024, P),  E(14, 3, 2025, T),  E(7, 9, 2025, T),   E(28, 8, 2026, P),
    E(20, 2, 2027, H),  E(12, 1, 2028, P),  E(6, 7, 2028, P),   E(31, 12, 2028, T),
    E(26, 6, 2029, T),  E(20, 12, 2029, T), E(15, 6, 2030, P),  E(9, 12, 2030, H),
}};
// clang-format on

std::string PrintCell(const EclipseEntry& entry) {
    return DateText(entry.date) + "  " + EclipseKindPrintText(entry.kind);
}

}  // namespace

const std::array<EclipseEntry, kEclipseCount>& EclipseCatalogue() { return kCatalogue; }

int FirstEclipseYear() { return static_cast<int>(kCatalogue.front().date.year()); }
int LastEclipseYear() { return static_cast<int>(kCatalogue.back().date.year()); }

std::string EclipseKindWindowText(EclipseKind kind) {
    switch (kind) {
    case EclipseKind::Total: return "Totale-Finsternis";
    case EclipseKind::Penumbral: return "Halbschatten-Finsternis";
    case EclipseKind::Partial: return "Partielle-Finsternis";
    }
    return {};
}

std::string EclipseKindPrintText(EclipseKind kind) {
    switch (kind) {
    case EclipseKind::Total: return "Totale       - Finsternis";
    case EclipseKind::Penumbral: return "Halbschatten - Finsternis";
    case EclipseKind::Partial: return "Partielle    - Finsternis";
    }
    return {};
}

std::string EclipseWindowText(int index) {
    if (index < 0 || index >= kEclipseCount) return {};
    const EclipseEntry& entry = kCatalogue[static_cast<std::size_t>(index)];
    return "  " + DateText(entry.date) + "  " + EclipseKindWindowText(entry.kind);
}

std::string EclipsePrintLine(int row) {
    if (row < 0 || row >= kEclipsePrintRows) return {};
    const int right = row + kEclipsePrintRows;
    return PrintCell(kCatalogue[static_cast<std::size_t>(row)]) + " | " +
           PrintCell(kCatalogue[static_cast<std::size_t>(right)]);
}

}  // namespace lunomat
