#pragma once
// What the fuzz targets share: FUZZ_CHECK, and a reader that turns the
// fuzzer's bytes into values front to back. Past the end every value is its
// lowest, so any input, even an empty one, is a complete run.

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>

// A broken property throws: libFuzzer stops on it and keeps the input, the
// corpus replay in the test build names the file.
#define FUZZ_CHECK(condition)                                                                    \
    ((condition) ? void(0)                                                                       \
                 : throw std::logic_error(std::string(__FILE__ ":") + std::to_string(__LINE__) + \
                                          ": property broken: " #condition))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace lunomat::fuzz {

struct InputReader {
    const std::uint8_t* data;
    std::size_t size, pos = 0;

    std::uint8_t Byte() { return pos < size ? data[pos++] : 0; }
    // A value in lo..hi, from as few bytes as the range needs.
    template <typename T>
    T InRange(T lo, T hi) {
        const std::uint64_t range = std::uint64_t(hi) - std::uint64_t(lo);
        std::uint64_t r = 0;
        for (std::uint64_t left = range; left != 0; left >>= 8) r = (r << 8) | Byte();
        return static_cast<T>(std::uint64_t(lo) + (range == UINT64_MAX ? r : r % (range + 1)));
    }
    // Any value of an integer type, negative ones included.
    template <typename T>
    T Integral() {
        return static_cast<T>(InRange<std::uint64_t>(0, ~std::uint64_t(0) >> (64 - 8 * sizeof(T))));
    }
    // Every double, NaNs, infinities and subnormals included.
    double Double() { return std::bit_cast<double>(Integral<std::uint64_t>()); }

    // A text of at most maxLength bytes. A lone backslash ends it and two
    // stand for one, so that texts of any length stay cheap to mutate.
    std::string String(std::size_t maxLength) {
        std::string text;
        while (text.size() < maxLength && pos < size) {
            const char c = char(data[pos++]);
            if (c == '\\' && pos < size && data[pos] != '\\') break;
            if (c == '\\' && pos < size) ++pos;
            text += c;
        }
        return text;
    }
};

}  // namespace lunomat::fuzz
