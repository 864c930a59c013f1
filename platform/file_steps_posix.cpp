// The steps of a whole write on Linux (the console tool and the native tests).
#include "platform/file_steps.h"

#include "platform/posix_file.h"
#include "text/utf8.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace merulan::file_steps {

namespace {

int descriptorOf(std::intptr_t native) {
    return static_cast<int>(native);
}

} // namespace

NewFile::~NewFile() {
    if (native_ >= 0) {
        ::close(descriptorOf(native_));
    }
}

Failure NewFile::create(const std::u16string& path, const std::u16string& likeFile, bool& nameTaken) {
    const std::string name = toUtf8(path);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        nameTaken = errno == EEXIST;
        return reasonOf(errno);
    }
    native_ = fd;
    // The lock tells the clean-up of other writers that this file is alive; it goes with the process.
    // A clean-up that took the file between the open and the lock has removed it: try another name.
    struct stat info {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &info) != 0 || info.st_nlink == 0) {
        nameTaken = true;
        return reasonOf(EEXIST);
    }
    struct stat like {};
    if (::stat(toUtf8(likeFile).c_str(), &like) == 0) {
        ::fchmod(fd, like.st_mode & 07777); // a list shared with a group stays shared
    }
    return std::nullopt;
}

Failure NewFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(descriptorOf(native_), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return reasonOf(errno);
        }
        bytes.remove_prefix(static_cast<size_t>(put));
    }
    return std::nullopt;
}

Failure NewFile::flush() {
    return ::fsync(descriptorOf(native_)) == 0 ? std::nullopt : Failure(reasonOf(errno));
}

Failure NewFile::close() {
    const int fd = descriptorOf(std::exchange(native_, -1));
    return ::close(fd) == 0 ? std::nullopt : Failure(reasonOf(errno));
}

std::optional<LinkFailure> linkFile(const std::u16string& existing, const std::u16string& newName) {
    const std::string target = toUtf8(newName);
    if (::link(toUtf8(existing).c_str(), target.c_str()) != 0) {
        return LinkFailure{reasonOf(errno), errno == EEXIST};
    }
    syncFolderOf(target);
    return std::nullopt;
}

Failure checkReplaceable(const std::u16string&) {
    return std::nullopt;
}

void removeFile(const std::u16string& path) {
    ::unlink(toUtf8(path).c_str());
}

bool removeIfAbandoned(const std::u16string& path) {
    const std::string name = toUtf8(path);
    const FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    return file.get() >= 0 && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0 && ::unlink(name.c_str()) == 0;
}

std::vector<std::u16string> filesBeginningWith(const std::u16string& pathPrefix) {
    const std::string prefix = toUtf8(pathPrefix);
    const std::size_t slash = prefix.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : prefix.substr(0, slash + 1);
    const std::string namePrefix = slash == std::string::npos ? prefix : prefix.substr(slash + 1);
    std::vector<std::u16string> found;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        return found;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name.starts_with(namePrefix)) {
            found.push_back(fromUtf8(prefix.substr(0, prefix.size() - namePrefix.size()) + std::string(name)));
        }
    }
    return found;
}

} // namespace merulan::file_steps
