#pragma once
// A broken property stops the fuzzer at once, with the input that broke it.
// Where the targets are replayed as ordinary tests it throws instead, so that
// the test can name the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace lunomat::fuzz {

[[noreturn]] inline void PropertyBroken(const char* file, int line, const char* condition) {
#ifdef LUNOMAT_FUZZ_NO_ENTRY
    throw std::logic_error(std::string(file) + ":" + std::to_string(line) + ": property broken: " + condition);
#else
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    std::abort();
#endif
}

}  // namespace lunomat::fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? void(0) : ::lunomat::fuzz::PropertyBroken(__FILE__, __LINE__, #condition))

// The libFuzzer entry point, calling the target's OneInput. Left out where
// the targets are replayed as ordinary tests.
#ifdef LUNOMAT_FUZZ_NO_ENTRY
#define LUNOMAT_FUZZ_ENTRY(oneInput)
#else
#define LUNOMAT_FUZZ_ENTRY(oneInput)                                                       \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        return oneInput(data, size);                                                    \
    }
#endif
