// Every input kept in the fuzz corpora, replayed through the same targets in
// the ordinary build: a change that breaks one of their properties fails
// here, without clang or a fuzzing run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryStoredInputKeepsItsProperties) {
    const fs::path corpus = fs::path(LUNOMAT_FUZZ_CORPUS);
    const std::pair<const char*, int (*)(const std::uint8_t*, std::size_t)> targets[] = {
        {"calendar", lunomat::fuzz::calendar::OneInput},
        {"display", lunomat::fuzz::display::OneInput},
        {"cli", lunomat::fuzz::cli::OneInput}};
    for (const auto& [name, oneInput] : targets) {
        int inputs = 0;
        for (const auto& entry : fs::directory_iterator(corpus / name)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), {}};
            ++inputs;
            try {
                oneInput(input.data(), input.size());
            } catch (const std::exception& e) {
                ADD_FAILURE() << name << "/" << entry.path().filename().string() << ": " << e.what();
            }
        }
        EXPECT_GE(inputs, 5) << name << ": the seeds are missing";
    }
}

}  // namespace
