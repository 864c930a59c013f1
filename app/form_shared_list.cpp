// TMerulanForm's side of the office's shared list ([List] Shared): started after the first paint, its news
// taken when the tree may be rebuilt, its copy shown while the server is slow or away.
#include "app/MerulanUnit.h"

#include "cmdlist/list_file.h"
#include "cmdlist/record_merge.h"
#include "platform/file_probes.h"
#include "platform/local_time.h"
#include "text/error.h"

namespace merulan {

void TMerulanForm::startSharedList() {
    if (sharedPath_.empty()) {
        return;
    }
    // Without a place for the copy the server's list is still shown; the user is told once.
    std::optional<std::u16string> copyFailure;
    try {
        sharedCopyPath_ = sharedCopyPathFor(env_.paletteFileSeams);
    } catch (const MerulanError& error) {
        copyFailure = error.message();
    }
    // The server's list comes when it comes; if it takes too long, its copy stands in meanwhile.
    shared_ = std::make_unique<SharedListFollower>(window_, kSharedNewsMessage, sharedPath_, env_.ansiCodePage,
                                                   sharedCopyPath_, env_.changeNotices, env_.readSharedList);
    SetTimer(window_, kSharedWaitTimerId, 2000, nullptr);
    if (copyFailure) {
        throw MerulanError(*copyFailure);
    }
}

void TMerulanForm::onSharedTimer(UINT_PTR timer) {
    KillTimer(window_, timer);
    if (timer == kSharedRetryTimerId) {
        takeSharedNews();
    } else if (busy()) {
        SetTimer(window_, kSharedWaitTimerId, 200, nullptr); // the copy waits for the tree too
    } else if (sharedShown_.waitedEnough([this] { return readSharedCopy(); })) {
        showSharedList();
    }
}

void TMerulanForm::takeSharedNews() {
    if (busy()) {
        SetTimer(window_, kSharedRetryTimerId, 200, nullptr); // the news wait for the tree
        return;
    }
    bool changed = false;
    std::optional<std::u16string> failure;
    for (const SharedNews& news : shared_->takeNews()) {
        changed = sharedShown_.take(news, [this] { return readSharedCopy(); }) || changed;
        if (news.kind == SharedNews::Kind::Failure) {
            failure = news.failure;
        }
    }
    if (changed) {
        showSharedList();
    }
    if (failure) {
        throw MerulanError(*failure); // once per version of the server's list, as for the user's own
    }
}

void TMerulanForm::showSharedList() {
    const std::optional<EntryKey> selected = selectedEntry();
    lspRecords = mergedRecords(sharedShown_.records(), list_.records());
    showView(shownView_, selected, CommandTree::Steps::InSteps);
}

std::optional<SharedCopy> TMerulanForm::readSharedCopy() const {
    if (sharedCopyPath_.empty()) {
        return std::nullopt;
    }
    const std::optional<FileIdentity> identity = fileIdentityOf(sharedCopyPath_);
    SharedCopy copy;
    try {
        if (!identity || !::merulan::loadMerulanList(copy.records, sharedCopyPath_, *env_.ansiCodePage)) {
            return std::nullopt;
        }
    } catch (const MerulanError&) {
        return std::nullopt; // a copy that cannot be read is no copy
    }
    copy.taken = localTimeOfFileTime(identity->lastWrite);
    return copy;
}

void TMerulanForm::SharedListtxt1Click() {
    // Opened, not checked first: a server that does not answer would hold the palette.
    env_.shellOpen(window_, u"Notepad", sharedPath_, SW_SHOWNORMAL);
}

} // namespace merulan
