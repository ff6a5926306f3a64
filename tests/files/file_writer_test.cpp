// The file writer where the kernel writes less than it was asked to and where
// the target's folder lies on a read-only file system: both made here by
// standing in for write() and mkostemp(), which the writer calls through the
// C library.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/file_writer.h"

static std::size_t mostPerWrite = 0;  // 0: as much as asked
static int temporaryFileError = 0;    // 0: temporary files are made

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    if (mostPerWrite != 0 && size > mostPerWrite) size = mostPerWrite;
    return syscall(SYS_write, fd, data, size);
}

extern "C" int mkostemp(char* name, int flags) {
    if (temporaryFileError != 0) return errno = temporaryFileError, -1;
    static const auto real = reinterpret_cast<int (*)(char*, int)>(dlsym(RTLD_NEXT, "mkostemp"));
    return real(name, flags);
}

namespace {

std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct FileWriterTest : testing::Test {
    std::string folder = testing::TempDir() + "writer.XXXXXX";
    void SetUp() override { ASSERT_NE(mkdtemp(folder.data()), nullptr); }
    void TearDown() override {
        mostPerWrite = 0, temporaryFileError = 0;
        std::filesystem::remove_all(folder);
    }
};

TEST_F(FileWriterTest, ShortWritesAreContinuedWhereTheyStopped) {
    std::string content;
    for (int i = 0; i < 1000; ++i) content += char('a' + i % 23);
    mostPerWrite = 7;
    lunomat::files::WriteFile(folder + "/new", content);
    EXPECT_EQ(Content(folder + "/new"), content);
}

// No temporary file beside an existing one on a read-only file system: the
// file, writable itself, is written in place; any other failure is reported.
TEST_F(FileWriterTest, ReadOnlyFileSystemWritesInPlace) {
    const std::string path = folder + "/old";
    std::ofstream(path) << "old\n";
    struct stat before = {}, after = {};
    stat(path.c_str(), &before);
    temporaryFileError = EROFS;
    lunomat::files::WriteFile(path, "new\n");
    stat(path.c_str(), &after);
    EXPECT_EQ(std::pair(Content(path), after.st_ino), std::pair(std::string("new\n"), before.st_ino));
    temporaryFileError = EIO;
    EXPECT_THROW(lunomat::files::WriteFile(path, "other\n"), lunomat::files::WriteError);
    EXPECT_EQ(Content(path), "new\n");
}

}  // namespace
