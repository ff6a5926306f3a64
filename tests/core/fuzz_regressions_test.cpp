// Every input kept in the fuzz corpora, replayed through the same targets in
// the ordinary build: a change that breaks one of their properties fails
// here, without clang or a fuzzing run.
#define LUNOMAT_FUZZ_NO_ENTRY
#include "fuzz/calendar_fuzzer.cpp"
#include "fuzz/cli_fuzzer.cpp"
#include "fuzz/display_fuzzer.cpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;
    int (*oneInput)(const std::uint8_t*, std::size_t);
};

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzCorpus, EveryStoredInputKeepsItsProperties) {
    const fs::path corpus = fs::path(__FILE__).parent_path() / "../../fuzz/corpus";
    const Target targets[] = {{"calendar", lunomat::fuzz::calendar::OneInput},
                              {"display", lunomat::fuzz::display::OneInput},
                              {"cli", lunomat::fuzz::cli::OneInput}};
    for (const Target& target : targets) {
        int inputs = 0;
        for (const auto& entry : fs::directory_iterator(corpus / target.name)) {
            const std::vector<std::uint8_t> input = ReadBytes(entry.path());
            ++inputs;
            try {
                target.oneInput(input.data(), input.size());
            } catch (const std::exception& e) {
                ADD_FAILURE() << target.name << "/" << entry.path().filename().string() << ": " << e.what();
            }
        }
        EXPECT_GE(inputs, 5) << target.name << ": the seeds are missing";
    }
}

}  // namespace
