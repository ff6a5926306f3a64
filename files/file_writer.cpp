#include "files/file_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <utility>
#include <vector>

namespace lunomat::files {

class FileWriter::Target {
public:
    virtual ~Target() = default;
    virtual void Write(std::string_view piece) = 0;
    virtual void Commit() = 0;
};

namespace {

constexpr int kMaxLinkHops = 40;                          // the kernel's own limit before ELOOP
constexpr std::size_t kCopyBlock = 1 << 16;               // bytes moved at a time from the staging copy
constexpr const char* kTempPattern = "/.lunomat-XXXXXX";  // short, so that any folder can hold it

// What one writer says about its file, with the user's own spelling of it.
class Messages {
public:
    explicit Messages(std::string path) : path_(std::move(path)) {}
    [[noreturn]] void Fail(int errorNumber) const { Refuse(SystemReason(errorNumber)); }
    [[noreturn]] void Refuse(const std::string& reason) const {
        throw WriteError("Die Datei " + Quoted(path_) + " kann nicht geschrieben werden: " + reason + ".");
    }
    [[noreturn]] void CannotCreate(int errorNumber) const {
        throw WriteError("Die Datei " + Quoted(path_) + " kann nicht angelegt werden: " + SystemReason(errorNumber) +
                         ".");
    }
    [[noreturn]] void Short(std::size_t done, std::size_t total) const {
        Refuse("nur " + std::to_string(done) + " von " + std::to_string(total) + " Bytes geschrieben");
    }

private:
    std::string path_;
};

// ---- Temporary files and the signals that end the program ----------------

// Signals whose default action ends the program. The ones that report a
// fault of the program itself count too: a crash while writing should not
// leave a temporary file either.
std::vector<int> EndingSignals() {
    std::vector<int> list = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2, SIGALRM,   SIGVTALRM,
                             SIGPROF, SIGXCPU, SIGXFSZ, SIGPIPE, SIGPOLL, SIGPWR,  SIGSTKFLT, SIGTRAP,
                             SIGSYS,  SIGABRT, SIGBUS,  SIGFPE,  SIGILL,  SIGSEGV};
    for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) list.push_back(s);
    return list;
}
const std::vector<int>& Ending() {
    static const std::vector<int> list = EndingSignals();
    return list;
}

// The files a signal handler removes before the program ends. Lock-free
// atomics, so the handler may read them at any moment.
constexpr int kSlots = 8;
std::atomic<const char*> gUnfinished[kSlots];

extern "C" void RemoveUnfinishedAndEnd(int signalNumber) {
    for (auto& slot : gUnfinished)
        if (const char* path = slot.load()) unlink(path);
    // The handler was reset on entry and the signal is not held, so this
    // ends the program the way the signal itself would have.
    raise(signalNumber);
}

// The handlers are in place while at least one file is unfinished; signals
// the program ignores or handles itself are left alone.
class Handlers {
public:
    static void Acquire() {
        std::lock_guard lock(Mutex());
        if (Users()++ > 0) return;
        Saved().assign(Ending().size(), {});
        for (std::size_t i = 0; i < Ending().size(); ++i) {
            sigaction(Ending()[i], nullptr, &Saved()[i]);
            if (Saved()[i].sa_handler != SIG_DFL || (Saved()[i].sa_flags & SA_SIGINFO)) continue;
            struct sigaction action {};
            action.sa_handler = RemoveUnfinishedAndEnd;
            action.sa_flags = SA_RESETHAND | SA_NODEFER;
            sigemptyset(&action.sa_mask);
            sigaction(Ending()[i], &action, nullptr);
        }
    }
    static void Release() {
        std::lock_guard lock(Mutex());
        if (--Users() > 0) return;
        for (std::size_t i = 0; i < Ending().size(); ++i) {
            struct sigaction now {};
            sigaction(Ending()[i], nullptr, &now);
            if (now.sa_handler == RemoveUnfinishedAndEnd) sigaction(Ending()[i], &Saved()[i], nullptr);
        }
    }

private:
    static std::mutex& Mutex() {
        static std::mutex m;
        return m;
    }
    static int& Users() {
        static int n = 0;
        return n;
    }
    static std::vector<struct sigaction>& Saved() {
        static std::vector<struct sigaction> saved;
        return saved;
    }
};

// Holds back, in this thread, the signals that end the program from outside
// for its lifetime: an old file overwritten in place is never left half old,
// half new.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : Ending())
            if (s != SIGSEGV && s != SIGBUS && s != SIGFPE && s != SIGILL && s != SIGTRAP && s != SIGSYS)
                sigaddset(&set, s);
        pthread_sigmask(SIG_BLOCK, &set, &saved_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t saved_;
};

// Holds back SIGPIPE in this thread while it writes to a pipe: a reader that
// has gone is a failure to report (EPIPE), not the end of the whole program
// (the window program writes through the same writer). A SIGPIPE raised by
// the write is taken back before the signal is let through again.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &saved_);
    }
    ~PipeSignalHeld() {
        sigset_t pending;
        if (!wasPending_ && sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1) {
            const timespec none{};
            sigtimedwait(&pipe_, nullptr, &none);
        }
        pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t pipe_, saved_;
    bool wasPending_ = false;
};

// A file name the signal handlers remove until it is let go.
class Unfinished {
public:
    explicit Unfinished(std::string path) : path_(std::move(path)) { Handlers::Acquire(); }
    ~Unfinished() {
        LetGo();
        Handlers::Release();
    }
    Unfinished(const Unfinished&) = delete;
    Unfinished& operator=(const Unfinished&) = delete;

    // Only after the file exists; false when all slots are taken.
    bool Watch() {
        for (auto& s : gUnfinished) {
            const char* none = nullptr;
            if (s.compare_exchange_strong(none, path_.c_str())) {
                slot_ = &s;
                return true;
            }
        }
        return false;
    }
    void LetGo() {
        if (slot_) slot_->store(nullptr);
        slot_ = nullptr;
    }
    const std::string& path() const { return path_; }
    char* data() { return path_.data(); }  // for mkostemp to fill in

private:
    std::string path_;
    std::atomic<const char*>* slot_ = nullptr;
};

// ---- Plain writing ---------------------------------------------------------

void WriteFd(int fd, std::string_view data, const Messages& say) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) say.Fail(errno);
        if (n == 0) say.Short(done, data.size());
        done += static_cast<std::size_t>(n);
    }
}

// Reserves the room for the content first, so that a full disk or quota is
// found before a single old byte is overwritten. File systems without
// reservation simply go on to write.
void Reserve(int fd, off_t size, const Messages& say) {
    if (size == 0) return;
    const int result = posix_fallocate(fd, 0, size);
    if (result == ENOSPC || result == EDQUOT || result == EFBIG) say.Fail(result);
}

std::string FolderOf(const std::string& name) {
    const auto slash = name.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int Close() {
        const int result = close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// ---- Where the path leads ---------------------------------------------------

struct Resolved {
    enum Kind { Inherited, Existing, Missing } kind;
    int fd = -1;            // Inherited: this process's descriptor
    std::string name;       // Existing, Missing: the name without links
    struct stat st {};      // Existing
    bool renamable = true;  // false for a name the kernel makes up
};

// The pid (and thread) folders of /proc whose "fd" entries are this
// process's own descriptors.
bool OwnDescriptorFolder(const std::string& folder) {
    const std::string own = "/proc/" + std::to_string(getpid());
    if (folder == own + "/fd") return true;
    const std::string task = own + "/task/";
    return folder.rfind(task, 0) == 0 && folder.size() > task.size() + 3 &&
           folder.compare(folder.size() - 3, 3, "/fd") == 0 &&
           folder.find_first_not_of("0123456789", task.size()) == folder.size() - 3;
}

bool ProcDescriptorFolder(const std::string& folder) {
    return folder.rfind("/proc/", 0) == 0 && folder.size() > 3 && folder.compare(folder.size() - 3, 3, "/fd") == 0;
}

std::deque<std::string> Components(const std::string& path) {
    std::deque<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (slash > start) parts.emplace_back(path, start, slash - start);
        start = slash + 1;
    }
    return parts;
}

std::string ReadLink(const std::string& link, const Messages& say) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t n = readlink(link.c_str(), target.data(), target.size());
        if (n < 0) say.Fail(errno);
        if (static_cast<std::size_t>(n) < target.size()) {
            target.resize(static_cast<std::size_t>(n));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

// A link in a folder that everybody may write into and whose sticky bit is
// set is followed only when it belongs to the user or to the folder's owner:
// otherwise anyone could plant a name there that leads the user's file onto
// one of the user's own.
void CheckPlantedLink(const std::string& folder, const std::string& link, const struct stat& linkSt,
                      const Messages& say) {
    struct stat folderSt;
    if (lstat(folder.c_str(), &folderSt) != 0) say.Fail(errno);
    const bool shared = (folderSt.st_mode & S_ISVTX) && (folderSt.st_mode & S_IWOTH);
    if (shared && linkSt.st_uid != geteuid() && linkSt.st_uid != folderSt.st_uid)
        say.Refuse("Die symbolische Verknüpfung " + Quoted(link) +
                   " gehört einem anderen Benutzer und liegt in einem Ordner, in den alle schreiben dürfen; "
                   "ihr wird nicht gefolgt");
}

// Walks the path one name at a time, as the kernel would, but stops at a
// descriptor of this process and checks each link on the way.
Resolved Resolve(const std::string& path, const Messages& say) {
    if (path.empty()) say.Fail(ENOENT);
    std::string at;  // the folder reached so far, without links; "" is the root
    if (path[0] != '/') {
        char* cwd = getcwd(nullptr, 0);
        if (!cwd) say.Fail(errno);
        at = cwd;
        std::free(cwd);
        if (at == "/") at.clear();
    }
    std::deque<std::string> rest = Components(path);
    const bool folderMeant = path.back() == '/';
    int hops = 0;
    while (!rest.empty()) {
        const std::string part = std::move(rest.front());
        rest.pop_front();
        if (part == ".") continue;
        if (part == "..") {
            at.erase(std::min(at.size(), at.rfind('/')));
            continue;
        }
        const std::string folder = at.empty() ? "/" : at;
        const std::string name = at + "/" + part;
        if (rest.empty() && OwnDescriptorFolder(folder) && !folderMeant &&
            part.find_first_not_of("0123456789") == std::string::npos && part.size() < 10)
            return {Resolved::Inherited, std::stoi(part), {}, {}, false};
        struct stat st;
        if (lstat(name.c_str(), &st) != 0) {
            if (errno == ENOENT && rest.empty() && !folderMeant) return {Resolved::Missing, -1, name, {}, true};
            say.Fail(errno);
        }
        if (S_ISLNK(st.st_mode)) {
            if (ProcDescriptorFolder(folder)) {
                // Another process's descriptor: what it stands for is known
                // to the kernel only, so it is opened under this name.
                if (!rest.empty()) say.Fail(ENOTDIR);
                if (stat(name.c_str(), &st) != 0) say.Fail(errno);
                return {Resolved::Existing, -1, name, st, false};
            }
            CheckPlantedLink(folder, name, st, say);
            if (++hops > kMaxLinkHops) say.Fail(ELOOP);
            const std::string target = ReadLink(name, say);
            std::deque<std::string> more = Components(target);
            rest.insert(rest.begin(), more.begin(), more.end());
            if (!target.empty() && target[0] == '/') at.clear();
            continue;
        }
        if (!rest.empty() && !S_ISDIR(st.st_mode)) say.Fail(ENOTDIR);
        at = name;
        if (rest.empty()) {
            if (folderMeant && !S_ISDIR(st.st_mode)) say.Fail(ENOTDIR);
            return {Resolved::Existing, -1, name, st, true};
        }
    }
    // The path named a folder ("/", ".", "a/..").
    say.Fail(EISDIR);
}

// ---- The ways content reaches its place ---------------------------------------

// Straight into a descriptor: one this process was given, a device, a FIFO.
class ThroughTarget : public FileWriter::Target {
public:
    ThroughTarget(int fd, bool owned, const Messages& say) : fd_(fd), owned_(owned), say_(say) {}
    ~ThroughTarget() override {
        if (owned_ && fd_ >= 0) close(fd_);
    }
    void Write(std::string_view piece) override {
        const PipeSignalHeld held;
        WriteFd(fd_, piece, say_);
    }
    void Commit() override {
        if (!owned_) return;
        const int fd = std::exchange(fd_, -1);
        if (close(fd) != 0 && errno != EINTR) say_.Fail(errno);
    }

private:
    int fd_;
    bool owned_;
    Messages say_;
};

// A temporary file beside the target, renamed onto it when complete.
class RenameTarget : public FileWriter::Target {
public:
    RenameTarget(std::string name, int fd, std::unique_ptr<Unfinished> temp, const Messages& say)
        : name_(std::move(name)), fd_(fd), temp_(std::move(temp)), say_(say) {}
    ~RenameTarget() override {
        if (temp_) {
            temp_->LetGo();
            unlink(temp_->path().c_str());
        }
    }
    void Write(std::string_view piece) override { WriteFd(fd_.get(), piece, say_); }
    void Commit() override {
        if (fsync(fd_.get()) != 0) say_.Fail(errno);
        if (fd_.Close() != 0) say_.Fail(errno);
        // Watched until renamed: a signal that comes after the rename only
        // removes a name that no longer exists.
        if (rename(temp_->path().c_str(), name_.c_str()) != 0) {
            const int error = errno;
            temp_->LetGo();
            unlink(temp_->path().c_str());
            temp_.reset();
            say_.Fail(error);
        }
        temp_->LetGo();
        temp_.reset();
    }

private:
    std::string name_;
    Descriptor fd_;
    std::unique_ptr<Unfinished> temp_;
    Messages say_;
};

// An anonymous file that holds the content until it is complete; nothing of
// it is left on any disk whatever ends the program.
int Anonymous() {
    const int fd = memfd_create("lunomat-inhalt", MFD_CLOEXEC);
    if (fd >= 0 || errno != ENOSYS) return fd;
    const char* tmp = std::getenv("TMPDIR");
    return open(tmp && *tmp ? tmp : "/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
}

// Overwrites an existing regular file in place (one whose hard links or
// owner a rename would lose, or whose folder takes no new name). The content
// is gathered aside first; then room for it is reserved and it is copied
// with the signals held, so the old content stays whole on any failure the
// system reports beforehand.
class InPlaceTarget : public FileWriter::Target {
public:
    InPlaceTarget(int fd, const Messages& say) : fd_(fd), say_(say) {
        if (staging_.get() < 0) say_.Fail(errno);
    }
    void Write(std::string_view piece) override { WriteFd(staging_.get(), piece, say_); }
    void Commit() override {
        struct stat st;
        if (fstat(staging_.get(), &st) != 0) say_.Fail(errno);
        SignalsHeld held;
        Reserve(fd_.get(), st.st_size, say_);
        std::vector<char> block(kCopyBlock);
        off_t done = 0;
        while (done < st.st_size) {
            const ssize_t n = pread(staging_.get(), block.data(), block.size(), done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) say_.Fail(n < 0 ? errno : EIO);
            if (pwrite(fd_.get(), block.data(), static_cast<std::size_t>(n), done) != n)
                say_.Fail(errno != 0 ? errno : ENOSPC);
            done += n;
        }
        if (ftruncate(fd_.get(), st.st_size) != 0 || fsync(fd_.get()) != 0) say_.Fail(errno);
        if (fd_.Close() != 0) say_.Fail(errno);
    }

private:
    Descriptor fd_;
    Descriptor staging_{Anonymous()};
    Messages say_;
};

// A new file made under its own name, when not even a short temporary name
// fits beside it; removed again unless it is completed.
class CreatedTarget : public FileWriter::Target {
public:
    CreatedTarget(int fd, std::unique_ptr<Unfinished> file, const Messages& say)
        : fd_(fd), file_(std::move(file)), say_(say) {}
    ~CreatedTarget() override {
        if (file_) {
            file_->LetGo();
            unlink(file_->path().c_str());
        }
    }
    void Write(std::string_view piece) override { WriteFd(fd_.get(), piece, say_); }
    void Commit() override {
        if (fsync(fd_.get()) != 0 || fd_.Close() != 0) say_.Fail(errno);
        file_->LetGo();
        file_.reset();
    }

private:
    Descriptor fd_;
    std::unique_ptr<Unfinished> file_;
    Messages say_;
};

// A temporary file in folder; nullptr with the reason in error when it
// cannot be made.
std::unique_ptr<Unfinished> MakeTemp(const std::string& folder, int& fd, int& error) {
    auto temp = std::make_unique<Unfinished>(folder + kTempPattern);
    SignalsHeld held;
    fd = mkostemp(temp->data(), O_CLOEXEC);
    error = errno;
    if (fd < 0) return nullptr;
    if (!temp->Watch()) {
        close(fd);
        unlink(temp->path().c_str());
        error = EMFILE;
        return nullptr;
    }
    return temp;
}

std::unique_ptr<FileWriter::Target> OpenExisting(const Resolved& r, const Messages& say) {
    if (S_ISDIR(r.st.st_mode)) say.Fail(EISDIR);
    if (!S_ISREG(r.st.st_mode)) {
        const int fd = open(r.name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) say.Fail(errno);
        return std::make_unique<ThroughTarget>(fd, true, say);
    }
    // A file marked read-only is kept even from root, who passes access().
    if ((r.st.st_mode & 0222) == 0) say.Refuse(SystemReason(EACCES) + " (die Datei ist schreibgeschützt)");
    const int fd = open(r.name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) say.Fail(errno);
    Descriptor old(fd);
    if (r.renamable && r.st.st_nlink == 1) {
        int tempFd = -1, error = 0;
        if (auto temp = MakeTemp(FolderOf(r.name), tempFd, error)) {
            auto target = std::make_unique<RenameTarget>(r.name, tempFd, std::move(temp), say);
            const bool sameOwner = r.st.st_uid == geteuid() && r.st.st_gid == getegid();
            if ((sameOwner || fchown(tempFd, r.st.st_uid, r.st.st_gid) == 0) &&
                fchmod(tempFd, r.st.st_mode & 07777) == 0)
                return target;
        } else if (error != EACCES && error != EPERM && error != EROFS && error != ENAMETOOLONG && error != EMFILE) {
            say.Fail(error);
        }
    }
    return std::make_unique<InPlaceTarget>(fcntl(old.get(), F_DUPFD_CLOEXEC, 0), say);
}

std::unique_ptr<FileWriter::Target> CreateNew(const Resolved& r, const Messages& say) {
    int fd = -1, error = 0;
    if (auto temp = MakeTemp(FolderOf(r.name), fd, error)) {
        auto target = std::make_unique<RenameTarget>(r.name, fd, std::move(temp), say);
        if (fchmod(fd, NewFileMode()) != 0) say.Fail(errno);
        return target;
    }
    if (error != ENAMETOOLONG) say.CannotCreate(error);
    auto file = std::make_unique<Unfinished>(r.name);
    {
        SignalsHeld held;
        fd = open(r.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0) say.CannotCreate(errno);
        file->Watch();
    }
    return std::make_unique<CreatedTarget>(fd, std::move(file), say);
}

}  // namespace

FileWriter::FileWriter(const std::string& path) : path_(path) {
    const Messages say(path);
    const Resolved r = Resolve(path, say);
    switch (r.kind) {
    case Resolved::Inherited: target_ = std::make_unique<ThroughTarget>(r.fd, false, say); break;
    case Resolved::Existing: target_ = OpenExisting(r, say); break;
    case Resolved::Missing: target_ = CreateNew(r, say); break;
    }
}

FileWriter::~FileWriter() = default;

void FileWriter::Write(std::string_view piece) {
    if (committed_) throw std::logic_error("FileWriter: written after Commit");
    target_->Write(piece);
}

void FileWriter::Commit() {
    if (std::exchange(committed_, true)) return;
    target_->Commit();
}

void WriteFile(const std::string& path, std::string_view content) {
    FileWriter writer(path);
    writer.Write(content);
    writer.Commit();
}

int OpenAnonymousFile() { return Anonymous(); }

void WriteFileFrom(const std::string& path, int fd) {
    FileWriter writer(path);
    std::vector<char> block(kCopyBlock);
    for (off_t done = 0;;) {
        const ssize_t n = pread(fd, block.data(), block.size(), done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Messages(path).Fail(errno);
        if (n == 0) break;
        writer.Write({block.data(), static_cast<std::size_t>(n)});
        done += n;
    }
    writer.Commit();
}

}  // namespace lunomat::files
