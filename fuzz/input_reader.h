#pragma once
// Turns the fuzzer's bytes into the values a target needs, front to back.
// Past the end every value is its lowest, so any input, even an empty one,
// is a complete run.

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

namespace lunomat::fuzz {

class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - pos_; }

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    bool Bool() { return Byte() & 1; }

    // Any value of an integer type, negative ones included.
    template <typename T>
    T Integral() {
        static_assert(std::is_integral_v<T>);
        std::make_unsigned_t<T> bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) bits = std::make_unsigned_t<T>((bits << 8) | Byte());
        return static_cast<T>(bits);
    }

    // A value in lo..hi, from as few bytes as the range needs.
    template <typename T>
    T InRange(T lo, T hi) {
        static_assert(std::is_integral_v<T>);
        const std::uint64_t range = std::uint64_t(hi) - std::uint64_t(lo);
        std::uint64_t r = 0;
        for (std::uint64_t left = range; left != 0; left >>= 8) r = (r << 8) | Byte();
        return static_cast<T>(std::uint64_t(lo) + (range == UINT64_MAX ? r : r % (range + 1)));
    }

    // Every double, NaNs, infinities and subnormals included.
    double Double() {
        const std::uint64_t bits = Integral<std::uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A text of at most maxLength bytes. A lone backslash ends it and two
    // stand for one, so that texts of any length stay cheap to mutate.
    std::string String(std::size_t maxLength) {
        std::string text;
        while (text.size() < maxLength && pos_ < size_) {
            const char c = char(data_[pos_++]);
            if (c == '\\' && pos_ < size_) {
                if (data_[pos_] != '\\') break;
                ++pos_;
            }
            text += c;
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace lunomat::fuzz
