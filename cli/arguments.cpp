#include "cli/arguments.h"

#include <charconv>
#include <cmath>

#include "cli/messages.h"
#include "core/calendar.h"

namespace lunomat::cli {

namespace chr = std::chrono;

Arguments ParseArguments(std::string_view command, const std::vector<std::string_view>& args,
                         std::initializer_list<std::string_view> allowed) {
    Arguments parsed;
    bool optionsEnded = false;  // after "--" every argument is a word, even one that starts with "-"
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--" && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.words.push_back(arg);
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        bool known = false;
        for (std::string_view option : allowed) known = known || option == name;
        if (!known)
            throw UsageError{"Unbekannte Option " + Quoted(arg) + " für den Befehl " + std::string(command) + "."};
        std::string_view value;
        if (equals != std::string_view::npos) value = arg.substr(equals + 1);
        else if (i + 1 < args.size()) value = args[++i];
        if (value.empty()) throw UsageError{"Nach " + std::string(name) + " fehlt der Wert."};
        const auto once = [&](auto& slot, auto content) {
            if (slot) throw UsageError{std::string(name) + " ist mehrfach angegeben."};
            slot = content;
        };
        if (name == "--ics") once(parsed.ics, std::string(value));
        else if (name == "--format") once(parsed.format, ParseFormat(value));
        else if (name == "--from") once(parsed.from, value);
        else if (name == "--to") once(parsed.to, value);
        else if (name == "--place") once(parsed.place, CheckedPlace(value));
    }
    if (parsed.ics && parsed.format) throw UsageError{"--ics und --format lassen sich nicht zusammen angeben."};
    return parsed;
}

void CheckWordCount(std::string_view command, const std::vector<std::string_view>& words, std::size_t min,
                    std::size_t max, std::string_view expected) {
    if (words.size() > max) throw UsageError{"Unerwartetes Argument " + Quoted(words[max]) + "."};
    if (words.size() < min)
        throw UsageError{"Der Befehl " + std::string(command) + " erwartet " + std::string(expected) + "."};
}

int CheckedYear(std::string_view text, int first, int last) {
    // Four digits only: "02024" or "+2024" are not years of the table.
    if (text.size() != 4 || !IsDigits(text))
        throw UsageError{"Ungültige Jahreszahl " + Quoted(text) + ": erwartet wird JJJJ."};
    const int year = *ParseWholeNumber(text);
    if (year < first || year > last)
        throw UsageError{"Das Jahr " + std::string(text) + " liegt nicht zwischen " + std::to_string(first) + " und " +
                         std::to_string(last) + "."};
    return year;
}

namespace {

// Splits text at sep into exactly `count` parts of digits whose lengths lie
// in the given ranges; nothing otherwise.
std::optional<std::vector<std::string_view>> DigitFields(std::string_view text, char sep,
                                                         std::initializer_list<std::pair<int, int>> lengths) {
    std::vector<std::string_view> fields;
    for (const auto& [shortest, longest] : lengths) {
        const auto end = fields.size() + 1 < lengths.size() ? text.find(sep) : text.size();
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view field = text.substr(0, end);
        if (!IsDigits(field) || int(field.size()) < shortest || int(field.size()) > longest) return std::nullopt;
        fields.push_back(field);
        text.remove_prefix(end == text.size() ? end : end + 1);
    }
    return fields;
}

}  // namespace

chr::year_month_day CheckedDate(std::string_view text, int first, int last) {
    // The German form with the year written out in four digits.
    auto german = SplitGermanDate(text);
    if (german && german->year.size() != 4) german.reset();
    const auto iso = german ? std::nullopt : DigitFields(text, '-', {{4, 4}, {2, 2}, {2, 2}});
    if (!german && !iso)
        throw UsageError{"Ungültige Datumsangabe " + Quoted(text) + ": erwartet wird TT.MM.JJJJ oder JJJJ-MM-TT."};
    const GermanDateParts f = german ? *german : GermanDateParts{(*iso)[2], (*iso)[1], (*iso)[0]};
    const int year = CheckedYear(f.year, first, last);
    const int month = *ParseWholeNumber(f.month);
    const int day = *ParseWholeNumber(f.day);
    const chr::year_month_day date{chr::year{year}, chr::month{unsigned(month)}, chr::day{unsigned(day)}};
    if (!date.ok()) throw UsageError{"Das Datum " + std::string(text) + " gibt es nicht."};
    return date;
}

namespace {

// A decimal number without exponent: an optional sign, digits, and a point
// followed by digits.
std::optional<double> DecimalDegrees(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
    const auto point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "0" : digits.substr(point + 1);
    if (!IsDigits(whole) || !IsDigits(fraction) || whole.size() > 3)  // IsDigits refuses an empty part
        return std::nullopt;
    double value = 0.0;
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

sky::Place CheckedPlace(std::string_view text) {
    const auto comma = text.find(',');
    const auto latitude = comma == std::string_view::npos ? std::nullopt : DecimalDegrees(text.substr(0, comma));
    const auto longitude = comma == std::string_view::npos ? std::nullopt : DecimalDegrees(text.substr(comma + 1));
    if (!latitude || !longitude)
        throw UsageError{"Ungültiger Ort " + Quoted(text) +
                         ": erwartet wird BREITE,LÄNGE in Grad mit Dezimalpunkt, Nord und Ost positiv, "
                         "z. B. 52.52,13.40."};
    if (std::abs(*latitude) > 90.0)
        throw UsageError{"Die Breite im Ort " + Quoted(text) + " liegt nicht zwischen -90 und 90 Grad."};
    if (std::abs(*longitude) > 180.0)
        throw UsageError{"Die Länge im Ort " + Quoted(text) + " liegt nicht zwischen -180 und 180 Grad."};
    return {*latitude, *longitude};
}

chr::seconds CheckedTime(std::string_view text) {
    auto fields = DigitFields(text, ':', {{2, 2}, {2, 2}, {2, 2}});
    if (!fields) fields = DigitFields(text, ':', {{2, 2}, {2, 2}});
    int parts[3] = {0, 0, 0};
    for (std::size_t i = 0; fields && i < fields->size(); ++i) parts[i] = *ParseWholeNumber((*fields)[i]);
    if (!fields || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        throw UsageError{"Ungültige Uhrzeit " + Quoted(text) + ": erwartet wird HH:MM oder HH:MM:SS."};
    return chr::hours{parts[0]} + chr::minutes{parts[1]} + chr::seconds{parts[2]};
}

}  // namespace lunomat::cli
