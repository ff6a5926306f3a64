#pragma once
// The fixed catalogue of the 60 lunar eclipses 1987-2030 listed for Central
// Europe, with its window and print texts.

#include <array>
#include <chrono>
#include <string>

#include "core/phase_names.h"

namespace lunomat {

using sky::EclipseKind;

struct EclipseEntry {
    std::chrono::year_month_day date;
    EclipseKind kind;
};

inline constexpr int kEclipseCount = 60;
inline constexpr int kEclipsePrintRows = 30;

const std::array<EclipseEntry, kEclipseCount>& EclipseCatalogue();

// The years of the catalogue's first and last eclipse (1987 and 2030).
int FirstEclipseYear();
int LastEclipseYear();

// The kind's word in the window ("Totale-Finsternis") and in the printout,
// left-justified in 12 characters plus " - Finsternis" (25 characters).
std::string EclipseKindWindowText(EclipseKind kind);
std::string EclipseKindPrintText(EclipseKind kind);

// "  TT.MM.JJJJ  Totale-Finsternis" etc. for index 0..59; "" outside.
std::string EclipseWindowText(int index);

// 77-character print line for row 0..29 (entry row | entry row+30); "" outside.
std::string EclipsePrintLine(int row);

}  // namespace lunomat
