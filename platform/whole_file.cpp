#include "platform/whole_file.h"

#include "platform/file_move.h"
#include "platform/file_steps.h"
#include "platform/text_file.h"
#include "text/error.h"
#include "text/u16text.h"

#include <random>
#include <utility>

namespace merulan {

namespace {

using namespace file_steps;

// "MerulanList.txt" is written through "MerulanList.txt.0123456789abcdef.tmp": no reader takes it for
// the list, and the clean-up never takes a file of the user's for one of its own.
constexpr std::u16string_view kTemporarySuffix = u".tmp";
constexpr std::size_t kUniqueDigits = 16;

std::u16string temporaryPathFor(const std::u16string& path) {
    std::random_device random;
    std::uint64_t unique = (static_cast<std::uint64_t>(random()) << 32) ^ random();
    std::u16string digits(kUniqueDigits, u'0');
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit, unique >>= 4) {
        *digit = u"0123456789abcdef"[unique & 15];
    }
    return path + u"." + digits + std::u16string(kTemporarySuffix);
}

// Removes a file it names unless told it is kept. Declared before the file's handle, so that the
// handle is closed first: an open file cannot be removed on Windows.
class RemovedUnlessKept {
public:
    RemovedUnlessKept() = default;
    explicit RemovedUnlessKept(std::u16string path) : path_(std::move(path)) {}
    RemovedUnlessKept(RemovedUnlessKept&& other) noexcept : path_(std::exchange(other.path_, u"")) {}
    RemovedUnlessKept& operator=(RemovedUnlessKept&&) = delete;
    ~RemovedUnlessKept() {
        if (!path_.empty()) {
            removeFile(path_);
        }
    }
    void set(std::u16string path) { path_ = std::move(path); }
    const std::u16string& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    std::u16string path_;
};

class Faults {
public:
    Faults() = default;
    explicit Faults(const WriteFaults& faults) : faults_(&faults) {}
    Failure at(WriteStep step) const { return faults_ && *faults_ ? (*faults_)(step) : std::nullopt; }
    // The step's injected failure, or else what taking it gives.
    template <class Take>
    Failure take(WriteStep step, Take&& take) const {
        Failure injected = at(step);
        return injected ? injected : take();
    }

private:
    const WriteFaults* faults_ = nullptr;
};

[[noreturn]] void cannotCreate(const std::u16string& path, const std::u16string& reason) {
    throw MerulanError(formatText(kCannotCreateMessage, {path, reason}));
}

void removeAbandonedTemporaries(const std::u16string& path) {
    for (const std::u16string& candidate : filesBeginningWith(path + u".")) {
        if (isTemporaryFileFor(path, candidate)) {
            removeIfAbandoned(candidate);
        }
    }
}

// The bytes in a new temporary file of path's, flushed and closed; removed again on any failure, which
// names target.
RemovedUnlessKept writeTemporary(const std::u16string& path, const std::u16string& target, std::string_view bytes,
                                 const Faults& faults) {
    RemovedUnlessKept temporary;
    NewFile file;
    for (int attempt = 1;; ++attempt) {
        const std::u16string candidate = temporaryPathFor(path);
        if (const Failure reason = faults.at(WriteStep::Open)) {
            cannotCreate(target, *reason);
        }
        bool nameTaken = false;
        const Failure reason = file.create(candidate, path, nameTaken);
        if (!reason) {
            temporary.set(candidate);
            break;
        }
        if (!nameTaken || attempt == 3) {
            cannotCreate(target, *reason);
        }
    }
    if (const Failure reason = faults.at(WriteStep::Write)) {
        file.write(bytes.substr(0, bytes.size() / 2)); // as a full disk would: part of it is there
        cannotCreate(target, *reason);
    }
    if (const Failure reason = file.write(bytes)) {
        cannotCreate(target, *reason);
    }
    if (const Failure reason = faults.take(WriteStep::Flush, [&] { return file.flush(); })) {
        cannotCreate(target, *reason);
    }
    Failure closed = file.close(); // closed whatever the fault: a failed close releases the file as well
    if (Failure injected = faults.at(WriteStep::Close)) {
        closed = std::move(injected);
    }
    if (closed) {
        cannotCreate(target, *closed);
    }
    return temporary;
}

// Where the file system has no hard links, the backup is a copy, itself written whole (through a
// temporary file of the list's, which the next write removes should this one be killed).
void copyAsBackup(const std::u16string& path, const std::u16string& backupPath) {
    const std::string bytes = readFileBytes(path);
    RemovedUnlessKept copy = writeTemporary(path, backupPath, bytes, Faults());
    if (const Failure reason = moveFile(copy.path(), backupPath, false)) {
        throw MerulanError(formatText(kRenameFailedMessage, {path, backupPath, *reason}));
    }
    copy.keep();
}

// The current file also under backupPath; what is returned removes that name again unless kept.
RemovedUnlessKept keepAsBackup(const std::u16string& path, const std::u16string& backupPath, const Faults& faults) {
    auto refused = [&](const std::u16string& reason) {
        throw MerulanError(formatText(kRenameFailedMessage, {path, backupPath, reason}));
    };
    if (const Failure reason = faults.at(WriteStep::Backup)) {
        refused(*reason);
    }
    const Failure noLinks = faults.at(WriteStep::HardLink);
    const std::optional<LinkFailure> linkFailed = noLinks ? LinkFailure{*noLinks} : linkFile(path, backupPath);
    if (linkFailed && linkFailed->nameTaken) {
        refused(linkFailed->reason);
    }
    if (linkFailed) {
        copyAsBackup(path, backupPath);
    }
    return RemovedUnlessKept(backupPath);
}

} // namespace

bool isTemporaryFileFor(std::u16string_view path, std::u16string_view candidate) {
    if (candidate.size() != path.size() + 1 + kUniqueDigits + kTemporarySuffix.size() || !candidate.starts_with(path) ||
        candidate[path.size()] != u'.' || !candidate.ends_with(kTemporarySuffix)) {
        return false;
    }
    const std::u16string_view digits = candidate.substr(path.size() + 1, kUniqueDigits);
    return digits.find_first_not_of(u"0123456789abcdef") == std::u16string_view::npos;
}

void writeFileWhole(const std::u16string& path, std::string_view bytes, const std::optional<std::u16string>& backupPath,
                    const WriteFaults& faults) {
    const Faults steps(faults);
    removeAbandonedTemporaries(path);
    RemovedUnlessKept temporary = writeTemporary(path, path, bytes, steps);
    // The backup is made just before the replace: a write that fails before it leaves no backup behind.
    std::optional<RemovedUnlessKept> backup;
    if (backupPath && fileExists(path)) {
        if (const Failure reason = checkReplaceable(path)) {
            cannotCreate(path, *reason);
        }
        backup.emplace(keepAsBackup(path, *backupPath, steps));
    }
    if (const Failure reason = steps.take(WriteStep::Replace, [&] { return moveFile(temporary.path(), path, true); })) {
        cannotCreate(path, *reason);
    }
    temporary.keep();
    if (backup) {
        backup->keep();
    }
}

} // namespace merulan
