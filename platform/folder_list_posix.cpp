#include "platform/folder_list.h"

#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace merulan {

namespace {

[[noreturn]] void throwCannotList(const std::u16string& folder, int error) {
    throw MerulanError(formatText(kCannotListFolderMessage, {folder, fromUtf8(std::strerror(error))}));
}

class OpenFolder {
public:
    explicit OpenFolder(DIR* dir) : dir_(dir) {}
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    ~OpenFolder() {
        if (dir_) {
            ::closedir(dir_);
        }
    }
    DIR* get() const { return dir_; }

private:
    DIR* dir_;
};

} // namespace

bool isFolder(const std::u16string& path) {
    struct stat info {};
    return ::stat(toUtf8(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::u16string> fileNamesIn(const std::u16string& folder) {
    std::string prefix = toUtf8(folder);
    const OpenFolder dir(::opendir(prefix.c_str()));
    if (!dir.get()) {
        throwCannotList(folder, errno);
    }
    if (!prefix.ends_with('/')) {
        prefix += '/';
    }
    std::vector<std::u16string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) {
            if (errno != 0) {
                throwCannotList(folder, errno);
            }
            return names;
        }
        // As the Windows listing: what the name leads to, links followed; folders left out.
        struct stat info {};
        if (::stat((prefix + entry->d_name).c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            names.push_back(fromUtf8(entry->d_name));
        }
    }
}

} // namespace merulan
