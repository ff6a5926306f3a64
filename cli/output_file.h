#pragma once
// Writing lunomat-cli's results: to a stream, or to a file the user named.

#include <cstdio>
#include <string>

namespace lunomat::cli {

// All of text to stream, flushed; IoError with the reason otherwise.
void WriteAll(std::FILE* stream, const std::string& text);

// content into the file path names, "-" meaning out; everything else goes
// through the program's file writer (files/file_writer.h), which says what
// each kind of target gets. IoError on failure.
void WriteOutputFile(const std::string& path, const std::string& content, std::FILE* out);

}  // namespace lunomat::cli
