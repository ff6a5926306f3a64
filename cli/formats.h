#pragma once
// The machine-readable forms of lunomat-cli's lists: CSV with a header line
// and JSON, one record per line in both.

#include <string>
#include <string_view>
#include <vector>

namespace lunomat::cli {

enum class Format { Text, Csv, Json };

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
std::string RecordsText(Format format, const std::vector<std::string_view>& keys,
                        const std::vector<Record>& records, bool single = false);

}  // namespace lunomat::cli
