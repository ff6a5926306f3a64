// Every input kept in one fuzz target's corpus, replayed through that target
// in the ordinary build: a change that breaks one of its properties fails
// here, without clang or a fuzzing run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz.h"

TEST(FuzzCorpus, EveryStoredInputKeepsItsProperties) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LUNOMAT_FUZZ_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), {}};
        ++inputs;  // a broken property throws, with the property's line
        EXPECT_NO_THROW(LLVMFuzzerTestOneInput(input.data(), input.size())) << entry.path().filename().string();
    }
    EXPECT_GE(inputs, 5) << "the seeds are missing";
}
