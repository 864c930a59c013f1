#include "support/form_harness.h"

#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "text/utf8.h"

#include <commctrl.h>
#include <filesystem>
#include <thread>

namespace merulan::testing {

FormHarness::FormHarness(std::u16string subFolder) {
    std::filesystem::path folder = dir_.path();
    if (!subFolder.empty()) {
        folder /= subFolder;
        std::filesystem::create_directories(folder);
    }
    folder_ = folder.u16string() + u"\\";
}

void FormHarness::writeList(std::u16string_view text) const {
    writeListBytes("\xEF\xBB\xBF" + toUtf8(text));
}

void FormHarness::writeListBytes(std::string_view bytes) const {
    writeFileBytes(listPath(), bytes);
}

std::u16string FormHarness::userFolder() const {
    return userData_.u16(u"Roaming") + u"\\Merulan\\";
}

void FormHarness::removeList() const {
    DeleteFileW(wide(listPath()));
}

void FormHarness::useFolder(const std::u16string& folder) {
    folder_ = folder.ends_with(u'\\') ? folder : folder + u"\\";
}

FormEnvironment FormHarness::environment() {
    FormEnvironment env;
    env.executablePath = folder_ + u"Merulan.exe";
    env.ansiCodePage = systemAnsiCodePage();
    env.showInformation = [this](HWND, const std::u16string& text) { information.push_back(text); };
    env.showError = [this](HWND, const std::u16string& title, const std::u16string& text) {
        errors.push_back({title, text});
    };
    env.askYesNo = [this](HWND owner, const std::u16string& text) {
        questions.push_back(text);
        questionOwners.push_back(owner);
        return answerYes;
    };
    env.shellOpen = [this](HWND owner, const std::u16string& file, const std::u16string& parameters, int showCommand) {
        launches.push_back({owner, file, parameters, showCommand});
    };
    env.localTime = [this] {
        if (localTime) {
            return localTime();
        }
        return currentLocalTime();
    };
    env.controlKeyDown = [this] { return controlKeyDown; };
    env.changeNotices = changeNotices;
    // The user's own folders, apart from the executable's.
    env.paletteFileSeams.userDataFolder = [this] {
        std::filesystem::create_directories(userData_ / u"Roaming");
        return userData_.u16(u"Roaming") + u"\\";
    };
    env.paletteFileSeams.localDataFolder = [this] {
        std::filesystem::create_directories(userData_ / u"Local");
        return userData_.u16(u"Local") + u"\\";
    };
    return env;
}

std::unique_ptr<TMerulanForm> FormHarness::open(std::shared_ptr<const Theme> theme) {
    lspRecords.clear(); // the table lives for the whole process; each test starts a program run afresh
    auto form = TMerulanForm::create(environment(), std::move(theme));
    pumpMessages();
    return form;
}

namespace {

void collect(HWND tree, HTREEITEM item, int depth, std::vector<TreeNode>& nodes, std::vector<HTREEITEM>* items) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        wchar_t text[1024]{};
        TVITEMW data{};
        data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = static_cast<int>(std::size(text));
        data.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        TreeView_GetItem(tree, &data);
        nodes.push_back({fromWide(text), data.iImage, data.iSelectedImage, data.lParam, depth,
                         (data.state & TVIS_EXPANDED) != 0, (data.state & TVIS_SELECTED) != 0});
        if (items) {
            items->push_back(item);
        }
        collect(tree, TreeView_GetChild(tree, item), depth + 1, nodes, items);
    }
}

} // namespace

std::vector<TreeNode> treeNodes(HWND tree) {
    std::vector<TreeNode> nodes;
    collect(tree, TreeView_GetRoot(tree), 0, nodes, nullptr);
    return nodes;
}

HTREEITEM nodeWithText(HWND tree, std::u16string_view text) {
    std::vector<TreeNode> nodes;
    std::vector<HTREEITEM> items;
    collect(tree, TreeView_GetRoot(tree), 0, nodes, &items);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].text == text) {
            return items[i];
        }
    }
    return nullptr;
}

std::vector<std::u16string> treeTexts(HWND tree) {
    std::vector<std::u16string> texts;
    for (const TreeNode& node : treeNodes(tree)) {
        texts.push_back(node.text);
    }
    return texts;
}

std::u16string selectedText(HWND tree) {
    for (const TreeNode& node : treeNodes(tree)) {
        if (node.selected) {
            return node.text;
        }
    }
    return u"(none)";
}

void pumpMessages(TMerulanForm* palette) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!palette || !palette->preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit, TMerulanForm* palette) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        pumpMessages(palette);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void pumpFor(std::chrono::milliseconds span, TMerulanForm* palette) {
    pumpUntil([] { return false; }, span, palette);
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT clientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

RECT childRect(HWND control) {
    RECT rect = windowRect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

std::u16string textOf(HWND window) {
    wchar_t text[1024]{};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return fromWide(text);
}

TopmostAnchor::TopmostAnchor()
    : window_(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"anchor", WS_POPUP, 0, 0,
                              1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

TopmostAnchor::~TopmostAnchor() {
    if (window_) {
        DestroyWindow(window_);
    }
}

} // namespace merulan::testing
