#include "app/follow/shared_list_follower.h"

#include "platform/file_probes.h"
#include "platform/long_path.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

namespace merulan {

namespace {

using std::chrono::milliseconds;

// A folder on a server is looked at this often besides its notices (notices over a network can be lost); a
// local one only now and then, and every 2 seconds where it gives no notices.
constexpr milliseconds kNetworkCheck{10000};
constexpr milliseconds kLocalCheck{60000};
constexpr milliseconds kLocalPoll{2000};

} // namespace

SharedListBytes sharedListFileBytes() {
    return [](const std::u16string& file) -> std::optional<std::string> {
        if (!fileExists(file)) {
            return std::nullopt;
        }
        return readFileBytes(file);
    };
}

SharedListFollower::SharedListFollower(HWND window, UINT message, std::u16string path,
                                       std::shared_ptr<const AnsiCodePage> ansi, std::u16string copyPath,
                                       ChangeNotices notices, SharedListBytes readBytes)
    : window_(window), message_(message) {
    const bool network = isNetworkPath(path);
    SharedListReader::Seams seams;
    seams.probes = ListSource::fileSystemProbes();
    seams.readBytes = std::move(readBytes);
    seams.keepCopy = [this, copyPath = std::move(copyPath)](std::string_view bytes) {
        if (copyPath.empty()) {
            return; // no place for it: told when the list was started
        }
        try {
            CreateDirectoryW(wide(fileCallPath(std::u16string(folderOf(copyPath)))), nullptr);
            writeFileWhole(copyPath, bytes);
        } catch (const MerulanError& error) {
            // Told once: the palette still shows the server's list, but has no copy for when it is away.
            const std::lock_guard lock(mutex_);
            if (!std::exchange(copyFailureTold_, true)) {
                news_.push_back({SharedNews::Kind::Failure, {}, error.message()});
                PostMessageW(window_, message_, 0, 0);
            }
        }
    };
    seams.tell = [this](SharedNews news) { tell(std::move(news)); };
    const std::u16string folder(folderOf(path));
    reader_ = std::make_unique<SharedListReader>(std::move(path), std::move(ansi), std::move(seams),
                                                 network ? kNetworkCheck : kLocalCheck);
    watch_ = std::make_unique<FolderWatch>(
        folder, [this] { reader_->wake(); }, std::move(notices), network ? kNetworkCheck : kLocalPoll,
        FolderWatch::When::OnItsThread);
}

void SharedListFollower::tell(SharedNews news) {
    const std::lock_guard lock(mutex_);
    news_.push_back(std::move(news));
    PostMessageW(window_, message_, 0, 0);
}

std::vector<SharedNews> SharedListFollower::takeNews() {
    const std::lock_guard lock(mutex_);
    return std::exchange(news_, {});
}

void SharedListFollower::lookNow() {
    reader_->wake();
}

} // namespace merulan
