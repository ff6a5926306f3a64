#include "cli/output_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "cli/messages.h"

namespace lunomat::cli {
namespace {

constexpr int kMaxLinkHops = 40;  // the kernel's own limit before ELOOP
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::string CannotWrite(const std::string& path, const std::string& reason) {
    return "Die Datei " + Quoted(path) + " kann nicht geschrieben werden: " + reason + ".";
}

[[noreturn]] void Fail(const std::string& path, int errorNumber) {
    throw IoError{CannotWrite(path, SystemReason(errorNumber))};
}

std::string ShortWrite(std::size_t done, std::size_t total) {
    return "nur " + std::to_string(done) + " von " + std::to_string(total) + " Bytes geschrieben";
}

// The temporary file that a signal handler removes before the program ends.
// Set only while the signals are blocked, read only in the handler.
const char* gTempPath = nullptr;
volatile sig_atomic_t gTempLive = 0;

extern "C" void RemoveTempAndEnd(int signalNumber) {
    if (gTempLive) unlink(gTempPath);
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

// Holds back SIGINT, SIGTERM and SIGHUP for its lifetime.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : kCleanupSignals) sigaddset(&set, s);
        sigprocmask(SIG_BLOCK, &set, &saved_);
    }
    ~SignalsHeld() { sigprocmask(SIG_SETMASK, &saved_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t saved_;
};

// A temporary file beside the target that disappears again, whether the run
// fails, succeeds without renaming it, or is ended by one of the signals.
// Only SIGKILL (or a crash of the machine) can leave it behind.
class TempFile {
public:
    explicit TempFile(const std::string& folder) : path_(folder + "/.lunomat-cli-XXXXXX") {
        for (int i = 0; i < 3; ++i) {
            struct sigaction action {};
            sigaction(kCleanupSignals[i], nullptr, &saved_[i]);
            if (saved_[i].sa_handler == SIG_IGN) continue;  // e.g. SIGHUP under nohup stays ignored
            action.sa_handler = RemoveTempAndEnd;
            sigemptyset(&action.sa_mask);
            sigaction(kCleanupSignals[i], &action, nullptr);
        }
        SignalsHeld held;
        fd_ = mkstemp(path_.data());
        error_ = errno;
        gTempPath = path_.c_str();
        gTempLive = fd_ >= 0;
    }
    ~TempFile() {
        if (fd_ >= 0) close(fd_);
        {
            SignalsHeld held;
            if (gTempLive) unlink(path_.c_str());
            gTempLive = 0;
        }
        for (int i = 0; i < 3; ++i) sigaction(kCleanupSignals[i], &saved_[i], nullptr);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    int error() const { return error_; }
    // Closes the file and renames it to target; errno on failure, else 0.
    int CloseAndRename(const std::string& target) {
        const int closed = close(fd_);
        fd_ = -1;
        if (closed != 0) return errno;
        SignalsHeld held;
        if (rename(path_.c_str(), target.c_str()) != 0) return errno;
        gTempLive = 0;
        return 0;
    }

private:
    std::string path_;
    int fd_ = -1;
    int error_ = 0;
    struct sigaction saved_[3] {};
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Reserves the room for the content first, so that a full disk or quota is
// found before a single old byte is overwritten. File systems without
// reservation simply go on to write.
void Reserve(int fd, std::size_t size, const std::string& path) {
    if (size == 0) return;
    const int result = posix_fallocate(fd, 0, static_cast<off_t>(size));
    if (result == ENOSPC || result == EDQUOT || result == EFBIG) Fail(path, result);
}

void WriteFd(int fd, const std::string& content, const std::string& path) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(path, errno);
        if (n == 0) throw IoError{CannotWrite(path, ShortWrite(done, content.size()))};
        done += static_cast<std::size_t>(n);
    }
}

// Writes into an existing file (a device, a FIFO, or a regular file whose
// links or owner a rename would lose). The signals are held meanwhile, so an
// interrupt cannot leave a regular file half old, half new.
void WriteInPlace(const std::string& name, const std::string& content, const std::string& path,
                  bool regular) {
    const int fd = open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) Fail(path, errno);
    try {
        SignalsHeld held;
        if (regular) Reserve(fd, content.size(), path);
        WriteFd(fd, content, path);
        if (regular && (ftruncate(fd, static_cast<off_t>(content.size())) != 0 || fsync(fd) != 0))
            Fail(path, errno);
    } catch (...) {
        close(fd);
        throw;
    }
    if (close(fd) != 0) Fail(path, errno);
}

// Writes a temporary file beside name and renames it over name. For an
// existing file (old) the temporary file first takes its owner and mode; false
// when it cannot, or when the folder takes no new file, so that the caller
// writes in place instead.
bool ReplaceByRename(const std::string& name, const std::string& content, const std::string& path,
                     const struct stat* old) {
    TempFile temp(FolderOf(name));
    if (temp.fd() < 0) {
        const int error = temp.error();
        if (old && (error == EACCES || error == EPERM || error == EROFS)) return false;
        if (error == ENOENT || error == ENOTDIR) throw IoError{"Die Datei " + Quoted(path) +
                                                               " kann nicht angelegt werden: " +
                                                               SystemReason(error) + "."};
        Fail(path, error);
    }
    mode_t mode;
    if (old) {
        if ((old->st_uid != geteuid() || old->st_gid != getegid()) &&
            fchown(temp.fd(), old->st_uid, old->st_gid) != 0)
            return false;
        mode = old->st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(temp.fd(), mode) != 0) Fail(path, errno);
    Reserve(temp.fd(), content.size(), path);
    WriteFd(temp.fd(), content, path);
    if (fsync(temp.fd()) != 0) Fail(path, errno);
    if (const int error = temp.CloseAndRename(name)) Fail(path, error);
    return true;
}

std::string ReadLink(const std::string& link, const std::string& path) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t n = readlink(link.c_str(), target.data(), target.size());
        if (n < 0) Fail(path, errno);
        if (static_cast<std::size_t>(n) < target.size()) {
            target.resize(static_cast<std::size_t>(n));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

// The name that a chain of symbolic links ends in, for a path whose final
// target does not exist yet (a dangling link creates its target).
std::string FinalName(const std::string& path) {
    std::string current = path;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0) {
            if (errno == ENOENT) return current;
            Fail(path, errno);
        }
        if (!S_ISLNK(st.st_mode)) return current;
        if (hops == kMaxLinkHops) Fail(path, ELOOP);
        std::string target = ReadLink(current, path);
        current = !target.empty() && target[0] == '/' ? target : FolderOf(current) + "/" + target;
    }
}

}  // namespace

void WriteAll(std::FILE* stream, const std::string& text) {
    errno = 0;
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
    if (written == text.size() && std::fflush(stream) == 0) return;
    const int error = errno;
    throw IoError{"Die Ausgabe konnte nicht geschrieben werden: " +
                  (error != 0 ? SystemReason(error) : ShortWrite(written, text.size())) + "."};
}

void WriteOutputFile(const std::string& path, const std::string& content, std::FILE* out) {
    if (path == "-") return WriteAll(out, content);
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) Fail(path, errno);
        ReplaceByRename(FinalName(path), content, path, nullptr);
        return;
    }
    if (S_ISDIR(st.st_mode)) Fail(path, EISDIR);
    if (!S_ISREG(st.st_mode)) return WriteInPlace(path, content, path, false);
    // A file marked read-only is kept even from root, who passes access().
    if (access(path.c_str(), W_OK) != 0) Fail(path, errno);
    if ((st.st_mode & 0222) == 0)
        throw IoError{CannotWrite(path, SystemReason(EACCES) + " (die Datei ist schreibgeschützt)")};

    // The real name, to put the temporary file into the target's own folder.
    // Links the kernel makes up (/proc/self/fd/N of a deleted file) have none.
    char* real = realpath(path.c_str(), nullptr);
    struct stat realSt;
    const bool named = real != nullptr && stat(real, &realSt) == 0 && realSt.st_dev == st.st_dev &&
                       realSt.st_ino == st.st_ino;
    const std::string name = real ? real : path;
    std::free(real);
    if (named && st.st_nlink == 1 && ReplaceByRename(name, content, path, &st)) return;
    WriteInPlace(named ? name : path, content, path, true);
}

}  // namespace lunomat::cli
