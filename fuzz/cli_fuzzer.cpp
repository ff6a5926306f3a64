// lunomat-cli's argument handling with any arguments: the input is the
// argument list, separated by NUL bytes as in a process's own memory. Every
// run ends with status 0 or 2, and a wrong use writes nothing to the output.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "fuzz/fuzz_check.h"

namespace lunomat::fuzz::cli {

// Calendar files go to one private folder, in memory where there is one,
// whatever name the input asks for.
const std::string& CalendarPath() {
    static const std::string path = [] {
        std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm/lunomat-fuzz-XXXXXX" : "/tmp/lunomat-fuzz-XXXXXX";
        if (!mkdtemp(folder.data())) std::abort();
        static std::string removeAtExit;
        removeAtExit = folder;
        std::atexit([] {
            std::remove((removeAtExit + "/calendar.ics").c_str());
            rmdir(removeAtExit.c_str());
        });
        return folder + "/calendar.ics";
    }();
    return path;
}

int OneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args{"lunomat-cli"};
    std::string current;
    for (std::size_t i = 0; i < size && args.size() < 64; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += char(data[i]);
        }
    }
    if (size > 0 && args.size() < 64) args.push_back(current);
    // The name after --ics is the user's file name: replaced (standard output
    // aside), so that a run never writes outside the private folder.
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i].rfind("--ics=", 0) == 0 && args[i] != "--ics=-") args[i] = "--ics=" + CalendarPath();
        if (args[i] == "--ics" && i + 1 < args.size() && !args[i + 1].empty() && args[i + 1] != "-")
            args[++i] = CalendarPath();
    }

    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);

    char* outText = nullptr;
    char* errText = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE* out = open_memstream(&outText, &outSize);
    std::FILE* err = open_memstream(&errText, &errSize);
    if (!out || !err) std::abort();
    const int status = lunomat::RunCommandLine(int(args.size()), argv.data(), out, err);
    std::fclose(out);
    std::fclose(err);

    FUZZ_CHECK(status == 0 || status == 2);
    if (status == 2) FUZZ_CHECK(outSize == 0 && errSize > 0);
    if (status == 0) FUZZ_CHECK(errSize == 0);
    std::free(outText);
    std::free(errText);
    return 0;
}

}  // namespace lunomat::fuzz::cli

LUNOMAT_FUZZ_ENTRY(lunomat::fuzz::cli::OneInput)
