#include "core/calendar.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace lunomat {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of 1..maxDigits decimal digits and nothing else; maxDigits is small
// enough that the value always fits an int.
std::optional<int> Digits(std::string_view text, std::size_t maxDigits) {
    if (text.size() > maxDigits || !IsDigits(text)) return std::nullopt;
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return value;
}

void AppendPadded(std::string& out, long long value, int width) {
    if (value < 0) {
        out += '-';
        value = -value;
    }
    char buffer[24];
    int n = 0;
    do {
        buffer[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = n; i < width; ++i) out += '0';
    while (n > 0) out += buffer[--n];
}

}  // namespace

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Accumulate negatively so that INT_MIN is reachable without overflow.
    constexpr long long kLimit = 2147483648LL;
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kLimit) return std::nullopt;
    }
    if (!negative && value == kLimit) return std::nullopt;
    return static_cast<int>(negative ? -value : value);
}

std::string PadTwoDigits(std::string_view text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '9') return std::string("0") + text[0];
    return std::string(text);
}

JulianDay JulianDayFromDate(int day, int month, int year) {
    // Every step in double arithmetic, in the method's own order: the ints
    // convert exactly, and no intermediate can overflow.
    const double d = day;
    const double m = month;
    const double y = year;
    const double yy = y - std::floor((12.0 - m) / 10.0);
    double mm = m + 9.0;
    if (mm >= 12.0) mm = mm - 12.0;
    const double k1 = std::floor((yy + 4712.0) * 365.25);
    const double k2 = std::floor(mm * 30.6 + 0.5);
    const double k3 = std::floor(std::floor(yy / 100.0 + 49.0) * 0.75) - 38.0;
    double j = (k1 + k2) + d + 59.0;
    if (j > 2299160.0) j = j - k3;
    return j;
}

std::optional<GermanDateParts> SplitGermanDate(std::string_view text) {
    const auto firstDot = text.find('.');
    if (firstDot == std::string_view::npos) return std::nullopt;
    const auto secondDot = text.find('.', firstDot + 1);
    if (secondDot == std::string_view::npos) return std::nullopt;
    const GermanDateParts parts{text.substr(0, firstDot), text.substr(firstDot + 1, secondDot - firstDot - 1),
                                text.substr(secondDot + 1)};
    if (!Digits(parts.day, 2) || !Digits(parts.month, 2) || !Digits(parts.year, 4)) return std::nullopt;
    return parts;
}

std::optional<std::chrono::year_month_day> ParseGermanDate(std::string_view text) {
    const auto parts = SplitGermanDate(text);
    if (!parts) return std::nullopt;
    return DateFromParts(parts->day, parts->month, parts->year);
}

std::optional<std::chrono::year_month_day> DateFromParts(std::string_view dayText, std::string_view monthText,
                                                         std::string_view yearText) {
    const auto day = Digits(dayText, 2);
    const auto month = Digits(monthText, 2);
    const auto year = Digits(yearText, 4);
    if (!day || !month || !year) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string WeekdayNameOf(std::chrono::year_month_day date) {
    // Indexed by the C encoding, Sunday = 0; Saturday is "Sonnabend".
    static constexpr std::array<const char*, 7> kNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                                          "Donnerstag", "Freitag", "Sonnabend"};
    if (!date.ok()) return {};
    const std::chrono::weekday weekday{std::chrono::sys_days{date}};
    return kNames[weekday.c_encoding()];
}

std::string AddDaysToDate(std::chrono::year_month_day date, int n) {
    if (!date.ok()) return {};
    using namespace std::chrono;
    const auto target = sys_days{date} + days{n};
    // Stay inside the range a chrono year can name.
    const auto first = sys_days{year::min() / January / 1};
    const auto last = sys_days{year::max() / December / 31};
    if (target < first || target > last) return {};
    return DateText(year_month_day{target});
}

std::string DateText(std::chrono::year_month_day date) {
    const unsigned day = static_cast<unsigned>(date.day());
    const unsigned month = static_cast<unsigned>(date.month());
    const int year = static_cast<int>(date.year());
    if (day <= 99 && month <= 99 && year >= 0 && year <= kLastFourDigitYear) {
        // The usual case, written without any intermediate string.
        const char text[10] = {static_cast<char>('0' + day / 10),
                               static_cast<char>('0' + day % 10),
                               '.',
                               static_cast<char>('0' + month / 10),
                               static_cast<char>('0' + month % 10),
                               '.',
                               static_cast<char>('0' + year / 1000),
                               static_cast<char>('0' + year / 100 % 10),
                               static_cast<char>('0' + year / 10 % 10),
                               static_cast<char>('0' + year % 10)};
        return std::string(text, sizeof text);
    }
    std::string text;
    text.reserve(12);
    AppendPadded(text, day, 2);
    text += '.';
    AppendPadded(text, month, 2);
    text += '.';
    AppendPadded(text, year, 4);
    return text;
}

}  // namespace lunomat
