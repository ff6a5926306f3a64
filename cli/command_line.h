#pragma once
// The whole command-line tool as one call, so that it runs the same from
// main() and from other programs that hand it their own arguments.

#include <cstdio>

namespace lunomat {

// Runs lunomat-cli with argv[0..argc) (argv[0] is the program name) and
// returns its exit status: 0 done, 2 wrong use (a German message on err and
// nothing on out), 1 a failure to write. Results go to out, messages to err.
int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace lunomat
