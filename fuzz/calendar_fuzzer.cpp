// The calendar and text functions of the core with the texts a user can type
// or paste: never a crash or undefined behaviour, and the answers agree with
// each other (a parsed date prints and parses back, a day shift is exact).
#include "core/calendar.h"
#include "fuzz/fuzz.h"

namespace {

using namespace lunomat;
namespace chr = std::chrono;

bool AllDigits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == s.npos; }
long long DayNumber(chr::year_month_day d) { return chr::sys_days{d}.time_since_epoch().count(); }

// The date a well-formed "T.M.J" text names by plain arithmetic, or nothing.
std::optional<chr::year_month_day> ReferenceDate(std::string_view s) {
    const auto d1 = s.find('.'), d2 = s.find('.', d1 + 1);
    if (d2 == s.npos || d1 == s.npos) return std::nullopt;
    const std::string day(s.substr(0, d1)), month(s.substr(d1 + 1, d2 - d1 - 1)), year(s.substr(d2 + 1));
    if (!AllDigits(day) || !AllDigits(month) || !AllDigits(year) || day.size() > 2 || month.size() > 2)
        return std::nullopt;
    if (year.size() > 4) return std::nullopt;
    const chr::year_month_day date = chr::year{std::stoi(year)} / std::stoi(month) / std::stoi(day);
    return date.ok() ? std::optional(date) : std::nullopt;
}

void CheckNumberTexts(const std::string& text) {
    const bool oneDigit = text.size() == 1 && text[0] >= '1' && text[0] <= '9';
    FUZZ_CHECK(PadTwoDigits(text) == (oneDigit ? "0" + text : text));
    FUZZ_CHECK(IsDigits(text) == AllDigits(text));

    const std::optional<int> value = ParseWholeNumber(text);
    const std::string_view digits =
        !text.empty() && (text[0] == '+' || text[0] == '-') ? std::string_view(text).substr(1) : text;
    FUZZ_CHECK(AllDigits(digits) || !value);
    if (AllDigits(digits) && digits.size() <= 9) FUZZ_CHECK(value.has_value());  // always inside int
    if (value) FUZZ_CHECK(ParseWholeNumber(std::to_string(*value)) == value);
}

void CheckDate(const std::string& text, int shift) {
    const auto date = ParseGermanDate(text);
    FUZZ_CHECK(date == ReferenceDate(text));
    if (!date) return;
    FUZZ_CHECK(!WeekdayNameOf(*date).empty() && ParseGermanDate(DateText(*date)) == date);

    const long long target = DayNumber(*date) + shift;
    const std::string shifted = AddDaysToDate(*date, shift);
    FUZZ_CHECK(shifted.empty() == (target < DayNumber(chr::year{-32767} / 1 / 1) ||
                                   target > DayNumber(chr::year{32767} / 12 / 31)));
    if (const auto back = ParseGermanDate(shifted)) FUZZ_CHECK(DayNumber(*back) == target);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lunomat::fuzz::InputReader in{data, size};
    const std::string first = in.String(40), second = in.String(12), third = in.String(12);
    const int shift = in.Integral<int>();
    for (const std::string* text : {&first, &second, &third}) CheckNumberTexts(*text);
    const std::string joined = first + "." + second + "." + third;
    CheckDate(first, shift);
    CheckDate(joined, shift);
    if (joined.find('.', first.size() + 1) == first.size() + 1 + second.size())
        FUZZ_CHECK(DateFromParts(first, second, third) == ParseGermanDate(joined));
    return 0;
}
