#include "platform/file_probes.h"

#include "text/utf8.h"

#include <sys/stat.h>
#include <time.h>

namespace merulan {

std::optional<FileIdentity> fileIdentityOf(const std::u16string& path) {
    struct stat info {};
    if (::stat(toUtf8(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    const auto nanoseconds = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1'000'000'000u +
                             static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                        static_cast<std::uint64_t>(info.st_size), nanoseconds};
}

bool writtenRecently(const FileIdentity& identity) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto nanoseconds =
        static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000u + static_cast<std::uint64_t>(now.tv_nsec);
    constexpr std::uint64_t kTwoSeconds = 2'000'000'000u;
    return identity.lastWrite + kTwoSeconds > nanoseconds;
}

bool isNetworkPath(const std::u16string& path) {
    return path.starts_with(u"//") || path.starts_with(u"\\\\");
}

bool fileHeldForWriting(const std::u16string&) {
    return false; // an open file never keeps a reader out here
}

} // namespace merulan
