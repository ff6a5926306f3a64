#include "cli/formats.h"

#include "cli/messages.h"

namespace lunomat::cli {

Format ParseFormat(std::string_view word) {
    if (word == "csv") return Format::Csv;
    if (word == "json") return Format::Json;
    throw UsageError{"Unbekanntes Ausgabeformat " + Quoted(word) + ": erwartet wird csv oder json."};
}

std::string RecordsText(Format format, const std::vector<std::string_view>& keys,
                        const std::vector<Record>& records, bool single) {
    std::string text;
    if (format == Format::Csv) {
        for (std::size_t k = 0; k < keys.size(); ++k) (text += k ? "," : "") += keys[k];
        text += '\n';
        for (const Record& record : records) {
            for (std::size_t k = 0; k < record.size(); ++k) (text += k ? "," : "") += record[k].value;
            text += '\n';
        }
        return text;
    }
    if (!single) text += "[\n";
    for (std::size_t r = 0; r < records.size(); ++r) {
        text += single ? "{" : "  {";
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const Field& field = records[r][k];
            const std::string quote = field.number ? "" : "\"";
            ((text += k ? ", \"" : "\"") += keys[k]) += "\": ";
            // What does not happen is null, not an empty text.
            text += field.value.empty() ? "null" : quote + field.value + quote;
        }
        text += r + 1 < records.size() ? "},\n" : "}\n";
    }
    if (!single) text += "]\n";
    return text;
}

}  // namespace lunomat::cli
