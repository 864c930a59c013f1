// Opens TMerulanForm in the test process with recording seams, and reads what its controls show.
#pragma once

#include "app/MerulanUnit.h"
#include "support/temp_dir.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace merulan::testing {

struct ShellLaunch {
    HWND owner; // the verb is always "open"
    std::u16string file;
    std::u16string parameters;
    int showCommand;
};

struct ErrorBox {
    std::u16string title;
    std::u16string text;
};

// The executable "lives" in a fresh folder (optionally a sub-folder of it); boxes and launches are recorded.
class FormHarness {
public:
    explicit FormHarness(std::u16string subFolder = u"");

    const TempDir& dir() const { return dir_; }
    const std::u16string& folder() const { return folder_; } // with its trailing backslash
    std::u16string listPath() const { return folder_ + u"MerulanList.txt"; }
    // Writes the list file as UTF-8 with a byte-order mark.
    void writeList(std::u16string_view text) const;
    void writeListBytes(std::string_view bytes) const;
    void removeList() const;
    // Where the palette keeps its files when the executable's folder cannot be written.
    std::u16string userFolder() const;
    // Lives in an existing folder instead (full path); before open().
    void useFolder(const std::u16string& folder);

    FormEnvironment environment();
    std::unique_ptr<TMerulanForm> open(std::shared_ptr<const Theme> theme = Theme::standard());

    std::vector<std::u16string> information;
    std::vector<ErrorBox> errors;
    std::vector<ShellLaunch> launches;
    std::vector<std::u16string> questions;
    std::vector<HWND> questionOwners;
    // The answer to every Yes/No question: No unless a test says Yes.
    bool answerYes = false;
    // The form's clock: the real local time unless a test fixes it.
    std::function<StampTime()> localTime;
    // Ctrl as the form sees it.
    bool controlKeyDown = false;
    // How the list's folder is watched (called on the watch's own thread).
    ChangeNotices changeNotices = systemChangeNotices();

private:
    TempDir dir_;
    TempDir userData_; // %APPDATA% and %LOCALAPPDATA% of this palette's user
    std::u16string folder_;
};

struct TreeNode {
    std::u16string text;
    int image = -1;
    int selectedImage = -1;
    LPARAM tag = 0;
    int depth = 0;
    bool expanded = false;
    bool selected = false;

    bool operator==(const TreeNode&) const = default;
};

// Every node in display order (parents before children).
std::vector<TreeNode> treeNodes(HWND tree);
std::vector<std::u16string> treeTexts(HWND tree);
// The first node in display order with that text, or null.
HTREEITEM nodeWithText(HWND tree, std::u16string_view text);
std::u16string selectedText(HWND tree);

// Handles what is waiting in this thread's queue; through the palette's own keys and dialog manager, as
// its message loop does, when a palette is given.
void pumpMessages(TMerulanForm* palette = nullptr);
// Pumps until done() or the deadline; returns done().
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20),
               TMerulanForm* palette = nullptr);
// Pumps for that long, for effects that must not come.
void pumpFor(std::chrono::milliseconds span, TMerulanForm* palette = nullptr);

RECT windowRect(HWND window);
RECT clientRect(HWND window);
// The control's rectangle in its parent's client coordinates.
RECT childRect(HWND control);
LOGFONTW fontOf(HWND control);
std::u16string textOf(HWND window);

// A tiny topmost window, for Wine's rule that a window owning a topmost popup only becomes topmost
// itself when another topmost window already exists.
class TopmostAnchor {
public:
    TopmostAnchor();
    ~TopmostAnchor();
    TopmostAnchor(const TopmostAnchor&) = delete;
    TopmostAnchor& operator=(const TopmostAnchor&) = delete;

private:
    HWND window_;
};

} // namespace merulan::testing
