// The calendar and text functions of the core with the texts a user can type
// or paste: never a crash or undefined behaviour, and the answers agree with
// each other (a parsed date prints and parses back, a day shift is exact).
#include <chrono>
#include <cstdint>
#include <string>

#include "core/calendar.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/input_reader.h"

namespace lunomat::fuzz::calendar {

namespace chr = std::chrono;

bool IsDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The date a well-formed "T.M.J" text names by plain arithmetic, or nothing.
std::optional<chr::year_month_day> ReferenceDate(std::string_view s) {
    const auto d1 = s.find('.');
    if (d1 == std::string_view::npos) return std::nullopt;
    const auto d2 = s.find('.', d1 + 1);
    if (d2 == std::string_view::npos) return std::nullopt;
    const auto day = s.substr(0, d1), month = s.substr(d1 + 1, d2 - d1 - 1), year = s.substr(d2 + 1);
    if (!IsDigits(day) || !IsDigits(month) || !IsDigits(year) || day.size() > 2 || month.size() > 2 ||
        year.size() > 4)
        return std::nullopt;
    const chr::year_month_day date{chr::year{std::stoi(std::string(year))},
                                   chr::month{unsigned(std::stoi(std::string(month)))},
                                   chr::day{unsigned(std::stoi(std::string(day)))}};
    if (!date.ok()) return std::nullopt;
    return date;
}

void CheckPadding(const std::string& text) {
    const bool oneDigit = text.size() == 1 && text[0] >= '1' && text[0] <= '9';
    FUZZ_CHECK(PadTwoDigits(text) == (oneDigit ? "0" + text : text));
    FUZZ_CHECK(lunomat::IsDigits(text) == IsDigits(text));
}

void CheckWholeNumber(const std::string& text) {
    const std::optional<int> value = ParseWholeNumber(text);
    const std::string_view digits =
        !text.empty() && (text[0] == '+' || text[0] == '-') ? std::string_view(text).substr(1) : text;
    if (!IsDigits(digits)) {
        FUZZ_CHECK(!value);
        return;
    }
    if (digits.size() <= 9) FUZZ_CHECK(value.has_value());  // always inside int
    if (value) FUZZ_CHECK(ParseWholeNumber(std::to_string(*value)) == value);
}

void CheckDate(const std::string& text, int shift) {
    const auto date = ParseGermanDate(text);
    FUZZ_CHECK(date == ReferenceDate(text));
    if (!date) return;
    FUZZ_CHECK(!WeekdayNameOf(*date).empty());
    FUZZ_CHECK(ParseGermanDate(DateText(*date)) == date);

    const long long target = chr::sys_days{*date}.time_since_epoch().count() + static_cast<long long>(shift);
    const long long first = chr::sys_days{chr::year{-32767} / 1 / 1}.time_since_epoch().count();
    const long long last = chr::sys_days{chr::year{32767} / 12 / 31}.time_since_epoch().count();
    const std::string shifted = AddDaysToDate(*date, shift);
    FUZZ_CHECK(shifted.empty() == (target < first || target > last));
    const auto back = ParseGermanDate(shifted);
    if (back) FUZZ_CHECK(chr::sys_days{*back}.time_since_epoch().count() == target);
}

int OneInput(const std::uint8_t* data, std::size_t size) {
    InputReader in(data, size);
    const std::string first = in.String(40);
    const std::string second = in.String(12);
    const std::string third = in.String(12);
    const int shift = in.Integral<int>();

    for (const std::string* text : {&first, &second, &third}) {
        CheckPadding(*text);
        CheckWholeNumber(*text);
    }
    const std::string joined = first + "." + second + "." + third;
    CheckDate(first, shift);
    CheckDate(joined, shift);
    if (joined.find('.', first.size() + 1) == first.size() + 1 + second.size())
        FUZZ_CHECK(DateFromParts(first, second, third) == ParseGermanDate(joined));
    return 0;
}

}  // namespace lunomat::fuzz::calendar

LUNOMAT_FUZZ_ENTRY(lunomat::fuzz::calendar::OneInput)
