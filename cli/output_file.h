#pragma once
// Writing lunomat-cli's results: to a stream, or to a file the user named.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lunomat::cli {

// All of text to stream, flushed; IoError with the reason otherwise.
void WriteAll(std::FILE* stream, const std::string& text);

// content into the file path names, "-" meaning out; everything else goes
// through the program's file writer (files/file_writer.h), which says what
// each kind of target gets. IoError on failure.
void WriteOutputFile(const std::string& path, const std::string& content, std::FILE* out);

}  // namespace lunomat::cli

namespace lunomat::files {
class FileWriter;
}  // namespace lunomat::files

namespace lunomat::cli {

// One command's output written as it is produced, so that a long list is
// never held whole: to out when path is empty or "-", otherwise into the
// named file through the file writer, where it becomes the file's content
// with Finish() (an output ended without it leaves the old file as it was).
// IoError on failure.
class Output {
public:
    Output(std::FILE* out, const std::optional<std::string>& path);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    void Write(std::string_view piece);
    void Finish();

private:
    void Flush();
    std::FILE* out_;
    std::unique_ptr<files::FileWriter> file_;
    std::string pending_;
};

}  // namespace lunomat::cli
