#pragma once
// Writing lunomat-cli's results: to a stream, or to a file the user named,
// without ever leaving a half-written file or replacing something that is
// not a plain file.

#include <cstdio>
#include <string>

namespace lunomat::cli {

// All of text to stream, flushed; IoError with the reason otherwise.
void WriteAll(std::FILE* stream, const std::string& text);

// content into the file path names, "-" meaning out. A symbolic link is
// followed to its target (which may not exist yet). A device or FIFO is
// written into; a directory is refused. A regular file is replaced whole by a
// renamed temporary file beside it when that keeps its owner, mode and links,
// and is otherwise overwritten in place once room for the new content is
// reserved; a file without write permission is refused. IoError on failure,
// with the old file left as it was wherever the system allows.
void WriteOutputFile(const std::string& path, const std::string& content, std::FILE* out);

}  // namespace lunomat::cli
