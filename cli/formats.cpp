#include "cli/formats.h"

#include "cli/messages.h"

namespace lunomat::cli {

Format ParseFormat(std::string_view word) {
    if (word == "csv") return Format::Csv;
    if (word == "json") return Format::Json;
    throw UsageError{"Unbekanntes Ausgabeformat " + Quoted(word) + ": erwartet wird csv oder json."};
}

std::string RecordsText(Format format, const std::vector<std::string_view>& keys, const std::vector<Record>& records,
                        bool single) {
    std::string text;
    RecordStream stream(
        format, keys, [&text](std::string_view piece) { text += piece; }, single);
    for (const Record& record : records) stream.Add(record);
    stream.End();
    return text;
}

RecordStream::RecordStream(Format format, std::vector<std::string_view> keys,
                           std::function<void(std::string_view)> write, bool single)
    : format_(format), keys_(std::move(keys)), write_(std::move(write)), single_(single) {
    if (format_ == Format::Csv) {
        for (std::size_t k = 0; k < keys_.size(); ++k) (piece_ += k ? "," : "") += keys_[k];
        write_(piece_ += '\n');
    } else if (!single_) {
        write_("[\n");
    }
}

void RecordStream::Add(const Record& record) {
    piece_.clear();
    if (format_ == Format::Csv) {
        for (std::size_t k = 0; k < record.size(); ++k) (piece_ += k ? "," : "") += record[k].value;
        write_(piece_ += '\n');
        return;
    }
    // A JSON object is closed when the next one comes or the list ends,
    // since only the last goes without a comma.
    if (count_++ > 0) piece_ += "},\n";
    piece_ += single_ ? "{" : "  {";
    for (std::size_t k = 0; k < keys_.size(); ++k) {
        const Field& field = record[k];
        const std::string quote = field.number ? "" : "\"";
        ((piece_ += k ? ", \"" : "\"") += keys_[k]) += "\": ";
        // What does not happen is null, not an empty text.
        piece_ += field.value.empty() ? "null" : quote + field.value + quote;
    }
    write_(piece_);
}

void RecordStream::End() {
    if (format_ == Format::Csv) return;
    if (count_ > 0) write_("}\n");
    if (!single_) write_("]\n");
}

}  // namespace lunomat::cli
