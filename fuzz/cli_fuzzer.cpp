// lunomat-cli's argument handling with any arguments: the input is the
// argument list, separated by NUL bytes as in a process's own memory. Every
// run ends with status 0 or 2, and a wrong use writes nothing to the output.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "cli/command_line.h"
#include "fuzz/fuzz.h"

// Calendar files go to one private folder, in memory where there is one,
// whatever name the input asks for.
struct PrivateFolder {
    std::string path = access("/dev/shm", W_OK) == 0 ? "/dev/shm/lunomat-fuzz-XXXXXX" : "/tmp/lunomat-fuzz-XXXXXX";
    PrivateFolder() {
        if (!mkdtemp(path.data())) std::abort();
    }
    ~PrivateFolder() { std::filesystem::remove_all(path); }
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const PrivateFolder folder;
    const std::string calendar = folder.path + "/calendar.ics";
    std::vector<std::string> args{"lunomat-cli"};
    std::string current;
    for (std::size_t i = 0; i < size && args.size() < 64; ++i) {
        if (data[i] != 0) current += char(data[i]);
        else args.push_back(std::exchange(current, {}));
    }
    if (size > 0 && args.size() < 64) args.push_back(current);
    // The name after --ics is the user's file name: replaced (standard output
    // aside), so that a run never writes outside the private folder.
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i].rfind("--ics=", 0) == 0 && args[i] != "--ics=-") args[i] = "--ics=" + calendar;
        if (args[i] == "--ics" && i + 1 < args.size() && !args[i + 1].empty() && args[i + 1] != "-")
            args[++i] = calendar;
    }

    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);

    char *outText = nullptr, *errText = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE *out = open_memstream(&outText, &outSize), *err = open_memstream(&errText, &errSize);
    if (!out || !err) std::abort();
    const int status = lunomat::RunCommandLine(int(args.size()), argv.data(), out, err);
    std::fclose(out), std::fclose(err), std::free(outText), std::free(errText);
    FUZZ_CHECK(status == 0 ? errSize == 0 : status == 2 && outSize == 0 && errSize > 0);
    return 0;
}
