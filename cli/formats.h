#pragma once
// The machine-readable forms of lunomat-cli's lists: CSV with a header line
// and JSON, one record per line in both.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lunomat::cli {

enum class Format { Csv, Json };

// "csv" or "json"; UsageError for any other word.
Format ParseFormat(std::string_view word);

struct Field {
    std::string value;    // no comma, quote, backslash or control character; empty: null in JSON
    bool number = false;  // written bare in JSON, quoted otherwise
};
using Record = std::vector<Field>;

// CSV: the keys joined by "," as the header, then one line per record.
// JSON: an array of objects with those keys, one object per line; with
// single set, the one record as a bare object.
std::string RecordsText(Format format, const std::vector<std::string_view>& keys, const std::vector<Record>& records,
                        bool single = false);

// The same text handed to write in pieces as the records come, so that a
// long list never has to be held whole: the header (or the opening bracket)
// at once, a record with each Add, the close with End.
class RecordStream {
public:
    RecordStream(Format format, std::vector<std::string_view> keys, std::function<void(std::string_view)> write,
                 bool single = false);
    void Add(const Record& record);
    void End();

private:
    Format format_;
    std::vector<std::string_view> keys_;
    std::function<void(std::string_view)> write_;
    bool single_;
    std::size_t count_ = 0;
    std::string piece_;
};

}  // namespace lunomat::cli
