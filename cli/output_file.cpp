#include "cli/output_file.h"

#include <cerrno>

#include "cli/messages.h"
#include "files/file_writer.h"

namespace lunomat::cli {

void WriteAll(std::FILE* stream, const std::string& text) {
    errno = 0;
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
    if (written == text.size() && std::fflush(stream) == 0) return;
    const int error = errno;
    throw IoError{"Die Ausgabe konnte nicht geschrieben werden: " +
                  (error != 0 ? SystemReason(error)
                              : "nur " + std::to_string(written) + " von " + std::to_string(text.size()) +
                                    " Bytes geschrieben") +
                  "."};
}

void WriteOutputFile(const std::string& path, const std::string& content, std::FILE* out) {
    if (path == "-") return WriteAll(out, content);
    try {
        files::WriteFile(path, content);
    } catch (const files::WriteError& e) {
        throw IoError{e.what()};
    }
}

}  // namespace lunomat::cli
