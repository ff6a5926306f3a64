#pragma once
// What lunomat-cli says when something goes wrong: the two kinds of error,
// German texts for the system's error numbers, and arguments made safe to
// show on a terminal.

#include <string>
#include <string_view>

#include "files/file_writer.h"

namespace lunomat::cli {

inline constexpr int kExitFailure = 1;  // the work could not be done (writing, the clock)
inline constexpr int kExitUsage = 2;    // wrong use: a message and nothing on the output

// Wrong use the user can mend; answered with kExitUsage.
struct UsageError {
    std::string message;
};

// A failure of the system (a file, the output); answered with kExitFailure.
struct IoError {
    std::string message;
};

// The German reason for an errno value, and an argument made safe to show
// in a message; the same texts as for the files the program writes.
using files::Quoted;
using files::SystemReason;

}  // namespace lunomat::cli
