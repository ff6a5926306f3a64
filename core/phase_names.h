#pragma once
// The principal phases and the kinds of lunar eclipse, with their German
// names: shared by the windows' whole-day count, the eclipse catalogue and
// the true sky of the command-line tool, so that all of them say the same.

namespace lunomat::sky {

enum class Phase { NewMoon, FirstQuarter, FullMoon, LastQuarter };

// The German name of a principal phase, as the windows, the command-line
// tool and the calendar write it.
constexpr const char* PhaseName(Phase phase) {
    constexpr const char* kNames[] = {"Neumond", "Halbmond zunehmend", "Vollmond", "Halbmond abnehmend"};
    return kNames[static_cast<int>(phase)];
}

enum class EclipseKind { Total, Partial, Penumbral };

}  // namespace lunomat::sky
