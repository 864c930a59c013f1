// File access for the Linux build (the console tool and the native tests).
#include "platform/text_file.h"

#include "platform/file_move.h"
#include "platform/posix_file.h"

#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace merulan {

std::u16string reasonOf(int error) {
    return fromUtf8(std::strerror(error));
}

void syncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const FileDescriptor folder(::open(slash == std::string::npos ? "." : path.substr(0, slash + 1).c_str(),
                                       O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get()); // some file systems cannot: the name change then stands as they keep it
    }
}

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

std::optional<std::u16string> moveFile(const std::u16string& from, const std::u16string& to, bool replaceExisting) {
    const std::string source = toUtf8(from);
    const std::string target = toUtf8(to);
    if (replaceExisting) {
        if (::rename(source.c_str(), target.c_str()) != 0) {
            return reasonOf(errno);
        }
        syncFolderOf(target);
        return std::nullopt;
    }
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        syncFolderOf(target);
        return std::nullopt;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return reasonOf(errno);
    }
    // A file system without the no-replace rename: a second link refuses an existing name just the same.
    if (::link(source.c_str(), target.c_str()) != 0) {
        return reasonOf(errno);
    }
    if (::unlink(source.c_str()) != 0) {
        const int error = errno;
        ::unlink(target.c_str());
        return reasonOf(error);
    }
    syncFolderOf(target);
    return std::nullopt;
}

} // namespace merulan
