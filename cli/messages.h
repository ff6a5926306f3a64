#pragma once
// What lunomat-cli says when something goes wrong: the two kinds of error,
// German texts for the system's error numbers, and arguments made safe to
// show on a terminal.

#include <string>
#include <string_view>

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

// The German reason for an errno value ("Keine Berechtigung"); numbers
// without a text of their own get "Systemfehler N".
std::string SystemReason(int errorNumber);

// An argument as it may appear in a message, in German quotes: control
// characters and bytes that are no UTF-8 written as \n, \t or \xHH, and
// more than 60 characters cut to 60 followed by "…", so that no argument can
// move the cursor, change colours or flood the terminal.
std::string Quoted(std::string_view argument);

}  // namespace lunomat::cli
