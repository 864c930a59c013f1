// File access for the Linux build (the console tool and the native tests).
#include "platform/text_file.h"

#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace merulan {

namespace {

std::u16string reasonOf(int error) {
    return fromUtf8(std::strerror(error));
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

bool fileExists(const std::u16string& path) {
    struct stat info {};
    return ::stat(toUtf8(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string readFileBytes(const std::u16string& path) {
    const FileDescriptor file(::open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
    auto fail = [&] { throw MerulanError(formatText(kCannotOpenMessage, {path, reasonOf(errno)})); };
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
        fail();
    }
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        fail();
    }
    std::string bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail();
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
    return bytes;
}

void writeFileBytes(const std::u16string& path, std::string_view bytes) {
    const FileDescriptor file(::open(toUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    auto fail = [&] { throw MerulanError(formatText(kCannotCreateMessage, {path, reasonOf(errno)})); };
    if (file.get() < 0) {
        fail();
    }
    while (!bytes.empty()) {
        const ssize_t put = ::write(file.get(), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail();
        }
        bytes.remove_prefix(static_cast<size_t>(put));
    }
}

} // namespace merulan
