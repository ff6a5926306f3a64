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
    throw IoError{
        "Die Ausgabe konnte nicht geschrieben werden: " +
        (error != 0 ? SystemReason(error)
                    : "nur " + std::to_string(written) + " von " + std::to_string(text.size()) + " Bytes geschrieben") +
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

namespace {
// Pieces are gathered up to this size before they go out, so that a list of
// short records costs a write call per block, not per record.
constexpr std::size_t kBlockBytes = 1 << 16;
}  // namespace

Output::Output(std::FILE* out, const std::optional<std::string>& path) : out_(out) {
    if (!path || *path == "-") return;
    try {
        file_ = std::make_unique<files::FileWriter>(*path);
    } catch (const files::WriteError& e) {
        throw IoError{e.what()};
    }
}

Output::~Output() = default;

void Output::Write(std::string_view piece) {
    pending_ += piece;
    if (pending_.size() >= kBlockBytes) Flush();
}

void Output::Flush() {
    if (!file_) {
        WriteAll(out_, pending_);
    } else {
        try {
            file_->Write(pending_);
        } catch (const files::WriteError& e) {
            throw IoError{e.what()};
        }
    }
    pending_.clear();
}

void Output::Finish() {
    Flush();
    if (!file_) return;
    try {
        file_->Commit();
    } catch (const files::WriteError& e) {
        throw IoError{e.what()};
    }
}

}  // namespace lunomat::cli
