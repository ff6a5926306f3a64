// lunomat-cli: the moon phase, the annual phase table and the eclipse list of
// Luno-Mat on the command line, for scripts and calendar files.

#include <cstdio>

#include "cli/command_line.h"

int main(int argc, char** argv) { return lunomat::RunCommandLine(argc, argv, stdout, stderr); }
