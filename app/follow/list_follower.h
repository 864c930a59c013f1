// Keeps the palette's tree in step with MerulanList.txt when another program changes the file: Notepad
// saving it, merulan-tool writing it, another palette replacing it by a drop.
#pragma once

#include "app/follow/list_watch.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace merulan {

class ListFollower {
public:
    struct Seams {
        // Reads the list and shows it as the user had it; throws MerulanError when it cannot.
        std::function<void()> reload;
        // The application-wide error box.
        std::function<void(const std::u16string& message)> report;
        // A box or menu of the window is open: the list waits until it is closed.
        std::function<bool()> busy;
    };

    // Messages and timer the window hands on to folderChanged and timerFired.
    static constexpr UINT kFolderChangedMessage = WM_APP + 1;
    static constexpr UINT_PTR kTimerId = 0x4D4C; // "ML"

    ListFollower(HWND window, std::u16string listPath, Seams seams);

    // Watches the list's folder from now on.
    void start();
    // What the file was just before the palette read it itself (start-up, menu, drop, or a reload of
    // this class): that version is the one shown, and a change notice for it is no change.
    void shown(std::optional<FileIdentity> identity) { shown_ = identity; }
    // The palette's own read of that version failed and the user sees why: it is not reported again,
    // only tried again once a program that holds it lets it go.
    void readFailed(std::optional<FileIdentity> identity);

    void folderChanged();
    void timerFired();

private:
    void arm(std::chrono::milliseconds delay);

    HWND window_;
    std::u16string listPath_;
    Seams seams_;
    std::unique_ptr<FolderWatch> watch_;
    std::optional<FileIdentity> shown_;
    // The version that fails to load and since when; the one whose failure the user has seen, and
    // whether a program held it then (it is tried again once let go).
    std::optional<FileIdentity> failing_;
    std::chrono::steady_clock::time_point failingSince_;
    struct Reported {
        FileIdentity version;
        bool held;
    };
    std::optional<Reported> reported_;
    std::optional<std::chrono::milliseconds> armed_;
    bool reloading_ = false;
};

} // namespace merulan
