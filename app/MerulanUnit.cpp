// TMerulanForm's life and its handlers: the window procedure hands each message to the handler named for it,
// and the handlers hand the work to the list source, the command tree, the CAD link and the import.
#include "app/MerulanUnit.h"

#include "app/boxes/error_box_text.h"
#include "app/boxes/message_boxes.h"
#include "app/drop/drop_import.h"
#include "app/drop/dropped_files.h"
#include "app/execution/win32_execution_seam.h"
#include "app/settings/settings_file.h"
#include "app/window/form_layout.h"
#include "app/window/window_class.h"
#include "cmdlist/list_file.h"
#include "cmdlist/record_merge.h"
#include "lispindex/source_import.h"
#include "platform/locale_compare.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "platform/win/window_text.h"
#include "text/error.h"
#include "text/u16text.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

namespace merulan {

TLspRecords lspRecords;

TMerulanForm::TMerulanForm(FormEnvironment environment, std::shared_ptr<const Theme> theme)
    : env_(std::move(environment)), theme_(std::move(theme)),
      files_(paletteFilesFor(env_.executablePath, env_.paletteFileSeams)),
      sharedPath_(sharedListPathOf(files_, env_.executablePath)),
      boundary_([this](const std::u16string& message) { reportFailure(message); }),
      list_(files_.listPath, ListSource::fileSystemSeams(*env_.ansiCodePage)) {}

std::unique_ptr<TMerulanForm> TMerulanForm::create(FormEnvironment environment, std::shared_ptr<const Theme> theme) {
    const std::u16string className(kFormClassName);
    registerWindowClass({wide(className), &TMerulanForm::windowProc, CS_DBLCLKS, L"MAINICON"});
    std::unique_ptr<TMerulanForm> form(new TMerulanForm(std::move(environment), std::move(theme)));
    form->createWindow();
    form->stepDone("window");
    form->createControls();
    form->stepDone("controls");
    form->createMenu();
    form->stepDone("menu");
    form->applyDpi();
    form->stepDone("fonts and images");
    form->lastFocus_ = form->TreeView1.handle(); // first in the tab order
    form->formDestroyPending_ = true;            // a window that got this far remembers its bounds at the end
    form->follower_ = std::make_unique<ListFollower>(form->window_, std::u16string(folderOf(form->list_.path())),
                                                     form->env_.changeNotices);

    form->boundary_.run([&] { form->FormCreate(); });
    // What the first paint does not need comes right after it.
    PostMessageW(form->window_, kFinishStartUpMessage, 0, 0);
    return form;
}

void TMerulanForm::finishStartUp() {
    speedButtonTip_.create(window_, SpeedButton1.handle(), cancelButtonTipOf(targetChoiceOf(CAD1.caption())));
    stepDone("tooltip");
    // A change between the first read and the start of the watch is found by the look that follows it.
    follower_->start();
    followListFile();
    stepDone("folder watch");
    startSharedList();
    stepDone("shared list started");
}

void TMerulanForm::stepDone(const char* step) const {
    if (env_.startupStep) {
        env_.startupStep(step);
    }
}

TMerulanForm::~TMerulanForm() {
    if (!window_) {
        return;
    }
    runFormDestroyOnce();
    follower_.reset();
    hotkey_.release();
    DestroyWindow(window_);
}

void TMerulanForm::runFormDestroyOnce() {
    if (formDestroyPending_) {
        formDestroyPending_ = false;
        boundary_.run([&] { FormDestroy(); });
    }
}

std::u16string TMerulanForm::listFilePath() const {
    return list_.path();
}

void TMerulanForm::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

std::u16string TMerulanForm::caption() const {
    return windowText(window_);
}

void TMerulanForm::setCaption(std::u16string_view caption) {
    SetWindowTextW(window_, wide(std::u16string(caption)));
}

std::u16string TMerulanForm::edit1Text() const {
    return windowText(Edit1);
}

void TMerulanForm::setEdit1Text(std::u16string_view text) {
    if (edit1Text() != text) {
        SetWindowTextW(Edit1, wide(std::u16string(text))); // EN_CHANGE runs Edit1Change before this returns
    }
}

// ---- Window procedure ------------------------------------------------------------------------------

void TMerulanForm::reportFailure(const std::u16string& message) {
    if (env_.showError) {
        env_.showError(window_, applicationTitle(env_.executablePath), errorBoxText(message));
    }
}

LRESULT CALLBACK TMerulanForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* form = windowObject<TMerulanForm>(window, message, lParam);
    if (form && (message == WM_NCCREATE || message == WM_NCDESTROY)) {
        form->window_ = message == WM_NCCREATE ? window : nullptr;
    }
    if (!form || message == WM_NCDESTROY) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    form->boundary_.run([&] { result = form->handleMessage(message, wParam, lParam); });
    return result;
}

LRESULT TMerulanForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = theme_->paintMessage(window_, message, wParam, lParam)) {
        return *painted;
    }
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == Edit1) {
            break; // the search box keeps the standard edit menu
        }
        onContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_DROPFILES:
        WMDropFiles(UniqueDrop(reinterpret_cast<HDROP>(wParam)));
        return 0;
    case WM_HOTKEY:
        if (wParam == GlobalHotkey::kId) {
            onHotkey();
        }
        return 0;
    case kFinishStartUpMessage:
        finishStartUp();
        return 0;
    case kRenderMoreMessage:
        TreeView1.renderMore();
        if (TreeView1.moreToRender()) {
            PostMessageW(window_, kRenderMoreMessage, 0, 0);
        }
        return 0;
    case kSharedNewsMessage:
        takeSharedNews();
        return 0;
    case ListFollower::kFolderChangedMessage:
        follower_->folderChanged();
        return 0;
    case WM_TIMER:
        if (wParam == ListFollower::kTimerId) {
            follower_->timerFired();
            followListFile();
            return 0;
        }
        if (wParam == kSharedWaitTimerId || wParam == kSharedRetryTimerId) {
            onSharedTimer(wParam);
            return 0;
        }
        break;
    case WM_SIZE:
        layoutControls();
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (onActivate(LOWORD(wParam) != WA_INACTIVE)) {
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (lastFocus_ && IsWindow(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_CLOSE:
        // Closing ends the message loop; the program then destroys the window, which runs FormDestroy.
        PostQuitMessage(0);
        return 0;
    case WM_ENDSESSION:
        // The session ends without the loop ending: remember the bounds now.
        if (wParam) {
            runFormDestroyOnce();
        }
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void TMerulanForm::onCommand(int id, int code) {
    const bool clicked = code == BN_CLICKED;
    switch (id) {
    case IDOK:
        // Enter, as the dialog manager reports it: in the tree, or in the search box (acting on the node the
        // filtered view selected), it runs the node as a double-click does.
        if (const HWND focus = GetFocus(); focus == TreeView1.handle() || focus == Edit1) {
            TreeView1DblClick();
        }
        break;
    case kButton2Id:
        return clicked ? Button2Click() : void();
    case kButton3Id:
        return clicked ? Button3Click() : void();
    case kSpeedButton1Id:
        return clicked ? SpeedButton1Click() : void();
    case kEdit1Id:
        if (code == EN_CHANGE) {
            // Only a real change counts: the control also reports a text set to what it already was.
            std::u16string text = edit1Text();
            if (text != edit1Text_) {
                edit1Text_ = std::move(text);
                Edit1Change();
            }
        }
        break;
    case kAutoCad1Id:
        return AutoCAD1Click(AutoCAD1);
    case kBricsCad1Id:
        return AutoCAD1Click(BricsCAD1);
    case kIjCad1Id:
        return AutoCAD1Click(IJCAD1);
    case kAutomatic1Id:
        return AutoCAD1Click(Automatic1);
    case kMerulanListtxt1Id:
        return MerulanListtxt1Click();
    case kMerulanListtxt2Id:
        return MerulanListtxt2Click();
    case kN3Id:
        return N3Click();
    case kSharedListtxt1Id:
        return SharedListtxt1Click();
    }
}

LRESULT TMerulanForm::onNotify(const NMHDR& header, LPARAM lParam) {
    if (header.hwndFrom != TreeView1.handle()) {
        return 0;
    }
    switch (header.code) {
    case NM_DBLCLK:
        TreeView1DblClick();
        return 0; // the tree still toggles the node, as a double-click does
    case NM_CUSTOMDRAW:
        if (const auto answer = theme_->customDrawTree(lParam)) {
            return *answer;
        }
        return CDRF_DODEFAULT;
    }
    return 0;
}

void TMerulanForm::onContextMenu(HWND source, LPARAM screenPoint) {
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == -1) {
        // From the keyboard: under the selected node of the tree, or at the focused control's corner.
        const HWND focus = GetFocus();
        const std::optional<RECT> node = focus == TreeView1.handle() ? TreeView1.selectedItemRect() : std::nullopt;
        const HWND origin = node ? focus : (focus && IsChild(window_, focus)) ? focus : (source ? source : window_);
        at = node ? POINT{node->left, node->bottom} : POINT{0, 0};
        ClientToScreen(origin, &at);
    }
    TrackPopupMenu(PopupMenu1.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

void TMerulanForm::onDpiChanged(unsigned dpi, const RECT& suggested) {
    dpi_ = dpi ? dpi : kDesignDpi;
    if (!TreeView1.handle()) {
        return; // still being built: the controls are made at the new dpi
    }
    // Bounds read from the settings are applied as read, even when they move the window to a monitor
    // of another dpi; otherwise the system's suggestion keeps the window's size in design units.
    if (!applyingSettings_) {
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applyDpi();
}

// ---- Creation and destruction ----------------------------------------------------------------------

void TMerulanForm::FormCreate() {
    setEdit1Text(u"");
    applySettings();
    stepDone("settings");
    fillPanelWithEscButton();
    // A list that cannot be read still leaves a palette that stays on top and takes a dropped source, the
    // natural way to rebuild the list; its failure is told once the window is ready.
    const ListUpdate list = list_.read();
    takeListUpdate(list);
    stepDone("list read");
    // The top of a large list for the first paint; the rest follows in steps right after it.
    showView(ShownView::Grouped, std::nullopt, CommandTree::Steps::InSteps);
    stepDone("tree");
    acceptDropsAndStayOnTop();
    stepDone("drops and topmost");
    if (list.failure) {
        throw MerulanError(*list.failure);
    }
}

// ---- Command list and views ------------------------------------------------------------------------

void TMerulanForm::takeListUpdate(const ListUpdate& update) {
    if (update.lookAgainIn) {
        follower_->lookAgainIn(*update.lookAgainIn);
    }
    if (update.changed) {
        lspRecords = mergedRecords(sharedShown_.records(), list_.records());
    }
}

void TMerulanForm::loadMerulanList() {
    const ListUpdate update = list_.read();
    takeListUpdate(update);
    if (update.failure) {
        throw MerulanError(*update.failure);
    }
}

std::optional<EntryKey> TMerulanForm::selectedEntry() const {
    const auto tag = TreeView1.selectedTag();
    return tag ? entryKeyOf(lspRecords, *tag) : std::nullopt;
}

void TMerulanForm::followListFile() {
    const std::optional<EntryKey> selected = selectedEntry();
    const ListUpdate update = list_.look(busy(), FollowClock::now());
    takeListUpdate(update);
    if (update.changed) {
        showView(shownView_, selected, CommandTree::Steps::InSteps);
    }
    if (update.failure) {
        throw MerulanError(*update.failure);
    }
}

bool TMerulanForm::busy() const {
    if (boundary_.nested() || GetCapture()) {
        return true;
    }
    GUITHREADINFO thread{sizeof(thread)};
    constexpr DWORD kLoops = GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE;
    return GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & kLoops);
}

void TMerulanForm::makeTreeViewItemsByRow() {
    showView(ShownView::Grouped);
}

void TMerulanForm::makeTreeViewItemsByCmd() {
    showView(ShownView::Flat);
}

void TMerulanForm::makeTreeViewItemsByStr() {
    showView(ShownView::Filtered);
}

void TMerulanForm::showView(ShownView view, const std::optional<EntryKey>& keep, CommandTree::Steps steps) {
    TreeViewContent content = view == ShownView::Grouped ? groupedViewContent(lspRecords)
                              : view == ShownView::Flat  ? flatViewContent(lspRecords)
                                                         : filteredViewContent(lspRecords, edit1Text());
    if (keep) {
        if (const int node = nodeShowing(content, lspRecords, *keep); node >= 0) {
            content.selected = node;
        }
    }
    if (view == ShownView::Grouped && sharedShown_.note()) {
        prependNote(content, *sharedShown_.note(), kSharedHeadingImage);
    }
    TreeView1.render(content, steps);
    if (TreeView1.moreToRender()) {
        PostMessageW(window_, kRenderMoreMessage, 0, 0);
    }
    shownView_ = view;
}

void TMerulanForm::Edit1Change() {
    makeTreeViewItemsByStr();
}

void TMerulanForm::Button2Click() {
    setEdit1Text(u"");
    makeTreeViewItemsByCmd();
}

void TMerulanForm::Button3Click() {
    setEdit1Text(u"");
    makeTreeViewItemsByRow();
}

// ---- Execution and dropped files: wired here, carried out by the CAD link and the import ------------

ExecutionSeam TMerulanForm::executionSeam() {
    ExecutionSeam seam = win32ExecutionSeam(
        window_, env_.executableFolder(), [this] { return CAD1.caption(); },
        [this](const std::u16string& text) { env_.showInformation(window_, text); });
    seam.sharedListFolder = [this] { return std::u16string(folderOf(sharedPath_)); };
    seam.sharedServerAway = [this] { return sharedShown_.note().has_value(); };
    seam.startProgram = [this](const std::u16string& file, const std::u16string& parameters) {
        env_.shellOpen(window_, file, parameters, SW_SHOWNORMAL);
    };
    return seam;
}

void TMerulanForm::TreeView1DblClick() {
    runSelectedNode(TreeView1.selectedTag(), lspRecords, executionSeam());
}

void TMerulanForm::SpeedButton1Click() {
    sendCancelToTarget(executionSeam());
}

void TMerulanForm::WMDropFiles(UniqueDrop drop) {
    // Ctrl counts as the drop arrives; it is long let go by the time the question is answered.
    const ListWrite how = env_.controlKeyDown() ? ListWrite::Append : ListWrite::Replace;
    const std::vector<std::u16string> names = droppedFileNames(drop.get());
    drop.reset(); // released whatever the names turn out to be
    DropImportSeams seams = fileSystemSeams();
    seams.askYesNo = [&](const std::u16string& question) { return env_.askYesNo(window_, question); };
    seams.localTime = env_.localTime;
    if (importLispSources(lispSourcesOf(names, compareFileNamesLogically), list_.path(), env_.executableFolder(), how,
                          *env_.ansiCodePage, compareUserLocaleIgnoreCase, seams) == DropImportResult::ListWritten) {
        loadMerulanList();
        makeTreeViewItemsByRow();
    }
}

// ---- Context menu ----------------------------------------------------------------------------------

void TMerulanForm::AutoCAD1Click(const TMenuItem& Sender) {
    CAD1.setCaption(std::u16string(kChosenTargetPrefix) + Sender.caption());
    showTarget();
}

void TMerulanForm::MerulanListtxt1Click() {
    const std::u16string path = listFilePath();
    if (fileExists(path)) {
        env_.shellOpen(window_, u"Notepad", path, SW_SHOWNORMAL);
    } else {
        env_.showInformation(window_, path + u"\n" + std::u16string(kMissingListSuffix));
    }
}

void TMerulanForm::MerulanListtxt2Click() {
    if (shared_) {
        shared_->lookNow();
    }
    setEdit1Text(u"");
    loadMerulanList();
    makeTreeViewItemsByRow();
}

void TMerulanForm::N3Click() {
    env_.showInformation(window_, std::u16string(kVersionLine) + u"\n" + std::u16string(kOwnerNotice));
}

} // namespace merulan
