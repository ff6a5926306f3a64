#pragma once
// Writing a file the user named, the way the user means it, for every part
// of the program that writes files (the calendar of lunomat-cli, the PDF of a
// printout):
//  - a regular file gets the complete new content with its mode, owner and
//    hard links kept, and keeps its old content on any failure;
//  - a device, a FIFO or a descriptor of this process (/dev/stdout,
//    /dev/fd/N, /proc/self/fd/N) is written through, as a shell redirection
//    would, without replacing what stands behind it;
//  - a symbolic link is followed to its target, but one in a folder that
//    everybody may write into and that has its sticky bit set only when it
//    belongs to the user or to the folder's owner (the rule the kernel
//    applies to links planted by someone else);
//  - a temporary file has a short name in the target's folder, is not used
//    where the folder takes no new name, and is removed when a signal ends
//    the program.
// Failures are thrown as WriteError with a German message ready to show.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lunomat::files {

struct WriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One file on its way. The content is handed over in pieces as it is
// produced and becomes the file's content with Commit(); a writer that ends
// without Commit() leaves the old file as it was (a device or descriptor has
// then taken what it was given).
class FileWriter {
public:
    // Looks at the target and opens what the content goes into; WriteError
    // when the target cannot be written at all.
    explicit FileWriter(const std::string& path);
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void Write(std::string_view piece);
    void Commit();

    class Target;  // how the content reaches its place

private:
    std::string path_;
    std::unique_ptr<Target> target_;
    bool committed_ = false;
};

// The whole content at once.
void WriteFile(const std::string& path, std::string_view content);

// A file without a name for content that is being produced by someone who
// wants a file name to write to (as /proc/self/fd/N): nothing of it is left
// on a disk whatever ends the program. The descriptor, or -1 with errno.
int OpenAnonymousFile();

// The content of the open file fd, from its start, into path.
void WriteFileFrom(const std::string& path, int fd);

// The German reason for an errno value ("Keine Berechtigung"); numbers
// without a text of their own get "Systemfehler N".
std::string SystemReason(int errorNumber);

// A name or argument as it may appear in a message, in German quotes:
// control characters, characters that change the direction of text or take
// no room, and bytes that are no UTF-8 written as \n, \t, \xHH or \u{HHHH},
// and more than 60 characters cut to 60 followed by "…", so that nothing
// shown can move the cursor, change colours, reorder the line or flood the
// terminal.
std::string Quoted(std::string_view text);

}  // namespace lunomat::files
