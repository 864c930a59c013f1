#include "app/MerulanUnit.h"

#include "app/dpi.h"
#include "app/drop_import.h"
#include "app/dropped_files.h"
#include "app/error_box_text.h"
#include "app/execution/win32_execution_seam.h"
#include "app/form_layout.h"
#include "app/image_list.h"
#include "app/message_boxes.h"
#include "app/settings/hotkey_rules.h"
#include "app/settings/settings_file.h"
#include "app/settings/window_bounds_win.h"
#include "cmdlist/list_file.h"
#include "platform/locale_compare.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

#include <commctrl.h>
#include <cstring>
#include <shellapi.h>
#include <vector>
#include <windowsx.h>

namespace merulan {

TLspRecords lspRecords;

namespace {

constexpr DWORD kFormStyle = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_CLIPCHILDREN;
// Its own taskbar button; a container for tab navigation.
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr COLORREF kPanel1Green = RGB(0, 255, 0); // 65280

std::u16string windowText(HWND window) {
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, wide(text), static_cast<int>(text.size()))));
    return text;
}

void registerFormClass(WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(instance, reinterpret_cast<const wchar_t*>(kFormClassName.data()), &existing)) {
        return;
    }
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, L"MAINICON");
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = reinterpret_cast<const wchar_t*>(kFormClassName.data());
    if (!RegisterClassExW(&wc)) {
        throw MerulanError(u"ウィンドウクラスを登録できません");
    }
}

HFONT tahoma(int characterHeight) {
    return CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

HWND createControl(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id) {
    const HWND control =
        CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) {
        throw MerulanError(u"ウィンドウを作成できません");
    }
    return control;
}

void place(HWND control, const LayoutRect& r) {
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowBounds boundsOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Counts a handler for as long as it runs.
class DepthScope {
public:
    explicit DepthScope(unsigned& depth) : depth_(++depth) {}
    ~DepthScope() { --depth_; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    unsigned& depth_;
};

} // namespace

TMerulanForm::TMerulanForm(FormEnvironment environment, std::shared_ptr<const Theme> theme)
    : env_(std::move(environment)), theme_(std::move(theme)) {}

std::unique_ptr<TMerulanForm> TMerulanForm::create(FormEnvironment environment, std::shared_ptr<const Theme> theme) {
    registerFormClass(&TMerulanForm::windowProc);
    std::unique_ptr<TMerulanForm> form(new TMerulanForm(std::move(environment), std::move(theme)));

    // Created where a first start puts it, at the designed size for the primary monitor, so that the
    // common case needs no move; the settings then place it.
    const unsigned primaryDpi = dpiOfPrimaryMonitor();
    const LayoutSize client = designedClientSize(primaryDpi);
    const SIZE outer = outerSizeForClient(client.width, client.height, kFormStyle, kFormExStyle, primaryDpi);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2;
    const HWND window = CreateWindowExW(kFormExStyle, reinterpret_cast<const wchar_t*>(kFormClassName.data()),
                                        reinterpret_cast<const wchar_t*>(kFormCaption.data()), kFormStyle, left, top,
                                        outer.cx, outer.cy, nullptr, nullptr, GetModuleHandleW(nullptr), form.get());
    if (!window) {
        throw MerulanError(u"ウィンドウを作成できません");
    }

    form->dpi_ = dpiForWindow(window);
    if (form->dpi_ != primaryDpi) {
        const LayoutSize actual = designedClientSize(form->dpi_);
        const SIZE size = outerSizeForClient(actual.width, actual.height, kFormStyle, kFormExStyle, form->dpi_);
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    form->theme_->applyToTopLevel(window);
    form->createControls();
    form->createMenu();
    form->applyDpi();
    form->lastFocus_ = form->TreeView1; // first in the tab order
    form->formDestroyPending_ = true;   // a window that got this far remembers its bounds at the end

    // Watching starts before the first read, so that no change after it goes unseen.
    TMerulanForm* self = form.get();
    ListFollower::Seams seams;
    seams.reload = [self] { self->followListFile(); };
    seams.report = [self](const std::u16string& message) { self->reportFailure(message); };
    seams.busy = [self] { return self->dispatchDepth_ > 1; };
    form->follower_ = std::make_unique<ListFollower>(window, form->listFilePath(), std::move(seams));
    form->follower_->start();

    const DepthScope creating(form->dispatchDepth_);
    form->guarded([&] { form->FormCreate(); });
    return form;
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
        guarded([&] { FormDestroy(); });
    }
}

void TMerulanForm::createControls() {
    const bool styled = theme_->ownColours();
    // Created in tab order: the tree first, so that it holds the focus when the window opens.
    TreeView1 = createControl(styled ? 0 : WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                              WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, window_,
                              kTreeView1Id);
    SendMessageW(TreeView1, TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
    theme_->applyToTree(TreeView1);

    const DWORD buttonKind = styled ? BS_OWNERDRAW : BS_PUSHBUTTON;
    Button2 = createControl(0, WC_BUTTONW, L"ABC順", WS_TABSTOP | buttonKind, window_, kButton2Id);
    Button3 = createControl(0, WC_BUTTONW, L"取得順", WS_TABSTOP | buttonKind, window_, kButton3Id);
    Edit1 = createControl(styled ? 0 : WS_EX_CLIENTEDGE, WC_EDITW, L"",
                          WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | (styled ? WS_BORDER : 0), window_, kEdit1Id);
    Panel1.create(window_, kPanel1Id, *theme_);
    SpeedButton1.create(Panel1.handle(), kSpeedButton1Id, *theme_);
    speedButtonTip_.create(window_, SpeedButton1.handle(), cancelButtonTipOf(targetCadOf(kDesignTarget)));
    Label1 = createControl(0, WC_STATICW, L"検索", SS_LEFT | SS_NOPREFIX, window_, kLabel1Id);
}

void TMerulanForm::createMenu() {
    PopupMenu1.reset(CreatePopupMenu());
    HMENU targets = CreatePopupMenu();
    if (!PopupMenu1 || !targets) {
        if (targets) {
            DestroyMenu(targets);
        }
        throw MerulanError(u"メニューを作成できません");
    }
    AutoCAD1.append(targets, kAutoCad1Id, u"AutoCAD");
    BricsCAD1.append(targets, kBricsCad1Id, u"BricsCAD");
    IJCAD1.append(targets, kIjCad1Id, u"IJCAD");
    CAD1.append(PopupMenu1.get(), kCad1Id, std::u16string(kDesignTarget), targets); // the menu owns targets now
    N1.append(PopupMenu1.get(), 0, u"");
    MerulanListtxt1.append(PopupMenu1.get(), kMerulanListtxt1Id, u"■ MerulanList.txt を表示、編集 （メモ帳起動）...");
    MerulanListtxt2.append(PopupMenu1.get(), kMerulanListtxt2Id, u"■ MerulanList.txt を再読み込み");
    N2.append(PopupMenu1.get(), 0, u"");
    N3.append(PopupMenu1.get(), kN3Id, u"■ バージョン情報 ...");
}

void TMerulanForm::applyDpi() {
    // Controls keep using the old fonts and images until they have the new ones; only then do the old go.
    UniqueFont windowFont(tahoma(windowFontHeight(dpi_)));
    UniqueFont editFont(tahoma(editFontHeight(dpi_)));
    UniqueFont treeFont(tahoma(treeFontHeight(dpi_)));
    for (const HWND control : {Label1, Button2, Button3, Panel1.handle(), SpeedButton1.handle()}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont.get()), TRUE);
    }
    SendMessageW(Edit1, WM_SETFONT, reinterpret_cast<WPARAM>(editFont.get()), TRUE);
    SendMessageW(TreeView1, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont.get()), TRUE);
    windowFont_ = std::move(windowFont);
    editFont_ = std::move(editFont);
    treeFont_ = std::move(treeFont);

    UniqueImageList images = createPaletteImageList(dpi_);
    SendMessageW(TreeView1, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.get()));
    ImageList2 = std::move(images);
    SendMessageW(TreeView1, TVM_SETINDENT, static_cast<WPARAM>(treeIndent(dpi_)), 0);
    SendMessageW(TreeView1, TVM_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0); // back to what font and images need
    layoutControls();
}

void TMerulanForm::layoutControls() {
    if (!TreeView1) {
        return;
    }
    RECT client{};
    GetClientRect(window_, &client);
    const FormLayout layout = layoutFor(dpi_, client.right, client.bottom, speedButtonFillsPanel_);
    place(Label1, layout.label1);
    place(Edit1, layout.edit1);
    place(Button3, layout.button3);
    place(Button2, layout.button2);
    place(Panel1.handle(), layout.panel1);
    place(SpeedButton1.handle(), layout.speedButton1);
    place(TreeView1, layout.treeView1);
}

std::u16string TMerulanForm::listFilePath() const {
    return env_.executableFolder() + std::u16string(kListFileName);
}

void TMerulanForm::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

bool TMerulanForm::preTranslate(MSG& message) {
    // The palette's own keys come first: the dialog manager would take Esc for IDCANCEL.
    if (message.message == WM_KEYDOWN && (message.hwnd == window_ || IsChild(window_, message.hwnd)) &&
        onKeyDown(message.hwnd, message.wParam)) {
        return true;
    }
    return IsDialogMessageW(window_, &message);
}

bool TMerulanForm::onKeyDown(HWND target, WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if ((key == 'F' && ctrl && !alt) || (key == VK_F3 && !ctrl && !alt && !shift)) {
        focusSearchBox();
        return true;
    }
    if (target != Edit1 || ctrl || alt || shift) {
        return false;
    }
    switch (key) {
    case VK_DOWN:
    case VK_NEXT:
        // On to the results: the selected entry, which Enter runs.
        SetFocus(TreeView1);
        return true;
    case VK_ESCAPE:
        setEdit1Text(u""); // the view follows as for any edit; an empty box stays as it is
        return true;
    }
    return false;
}

void TMerulanForm::focusSearchBox() {
    lastFocus_ = Edit1; // also where an activation still to come puts the focus
    SetFocus(Edit1);
    SendMessageW(Edit1, EM_SETSEL, 0, -1);
}

void TMerulanForm::onHotkey() {
    if (dispatchDepth_ > 1) {
        // A box of the palette is open: that box comes forward, as the user has to answer it first.
        SetForegroundWindow(GetLastActivePopup(window_));
        return;
    }
    if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
    lastFocus_ = Edit1; // where the activation puts the focus
    SetForegroundWindow(window_);
    focusSearchBox();
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

template <class Handler>
void TMerulanForm::guarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        reportFailure(messageOf(std::current_exception()));
    }
}

void TMerulanForm::reportFailure(const std::u16string& message) noexcept {
    try {
        if (env_.showError) {
            env_.showError(window_, applicationTitle(env_.executablePath), errorBoxText(message));
        }
    } catch (...) {
        // Nothing sensible is left to tell the user with.
    }
}

LRESULT CALLBACK TMerulanForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<TMerulanForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* form = reinterpret_cast<TMerulanForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    const DepthScope handling(form->dispatchDepth_);
    form->guarded([&] { result = form->handleMessage(message, wParam, lParam); });
    return result;
}

LRESULT TMerulanForm::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case ListFollower::kFolderChangedMessage:
        follower_->folderChanged();
        return 0;
    case WM_TIMER:
        if (wParam == ListFollower::kTimerId) {
            follower_->timerFired();
            return 0;
        }
        break;
    case WM_SIZE:
        layoutControls();
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (const auto brush = theme_->controlColour(message, reinterpret_cast<HDC>(wParam))) {
            return *brush;
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_BUTTON) {
            theme_->drawPushButton(item);
            return TRUE;
        }
        break;
    }
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, theme_->windowBrush());
        return TRUE;
    }
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

// The window remembers which control had the focus and gives it back when it is activated again.
bool TMerulanForm::onActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) {
            lastFocus_ = focus;
        }
        return false;
    }
    if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return true;
    }
    return false;
}

void TMerulanForm::onCommand(int id, int code) {
    switch (id) {
    case IDOK:
        // Enter, as the dialog manager reports it: in the tree, or in the search box (acting on the node the
        // filtered view selected), it runs the node as a double-click does.
        if (const HWND focus = GetFocus(); focus == TreeView1 || focus == Edit1) {
            TreeView1DblClick();
        }
        break;
    case kButton2Id:
        if (code == BN_CLICKED) {
            Button2Click();
        }
        break;
    case kButton3Id:
        if (code == BN_CLICKED) {
            Button3Click();
        }
        break;
    case kSpeedButton1Id:
        if (code == BN_CLICKED) {
            SpeedButton1Click();
        }
        break;
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
        AutoCAD1Click(AutoCAD1);
        break;
    case kBricsCad1Id:
        AutoCAD1Click(BricsCAD1);
        break;
    case kIjCad1Id:
        AutoCAD1Click(IJCAD1);
        break;
    case kMerulanListtxt1Id:
        MerulanListtxt1Click();
        break;
    case kMerulanListtxt2Id:
        MerulanListtxt2Click();
        break;
    case kN3Id:
        N3Click();
        break;
    }
}

LRESULT TMerulanForm::onNotify(const NMHDR& header, LPARAM lParam) {
    if (header.hwndFrom != TreeView1) {
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
        RECT anchor{};
        const HWND focus = GetFocus();
        const auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(TreeView1, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (focus == TreeView1 && selected) {
            static_assert(sizeof(anchor) >= sizeof(selected));
            std::memcpy(&anchor, &selected, sizeof(selected)); // TVM_GETITEMRECT takes the item in the rect
            SendMessageW(TreeView1, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&anchor));
            at = {anchor.left, anchor.bottom};
            ClientToScreen(TreeView1, &at);
        } else {
            const HWND origin = (focus && IsChild(window_, focus)) ? focus : (source ? source : window_);
            at = {0, 0};
            ClientToScreen(origin, &at);
        }
    }
    TrackPopupMenu(PopupMenu1.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

void TMerulanForm::onDpiChanged(unsigned dpi, const RECT& suggested) {
    dpi_ = dpi ? dpi : kDesignDpi;
    if (!TreeView1) {
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

    applyingSettings_ = true;
    const SettingsFile settings(settingsPathFor(env_.executablePath));
    RECT current{};
    GetWindowRect(window_, &current);
    const SettingsValues values = settings.read(boundsOf(current), CAD1.caption(), currentScreenInfo());
    SetWindowPos(window_, nullptr, values.bounds.left, values.bounds.top, values.bounds.width, values.bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    CAD1.setCaption(values.target);
    showTarget();
    applyingSettings_ = false;
    registerActivateHotkey(settings);

    speedButtonFillsPanel_ = true;
    layoutControls();
    SetWindowTextW(SpeedButton1.handle(), L"ESC");
    Panel1.setColour(kPanel1Green);

    // A list that cannot be read still leaves a palette that stays on top and takes a dropped source,
    // the natural way to rebuild the list; the failure then goes on to the error box.
    const auto acceptDropsAndStayOnTop = [this] {
        DragAcceptFiles(window_, TRUE);
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    };
    try {
        loadMerulanList(listFilePath());
        makeTreeViewItemsByRow();
    } catch (...) {
        acceptDropsAndStayOnTop();
        throw;
    }
    acceptDropsAndStayOnTop();
}

void TMerulanForm::registerActivateHotkey(const SettingsFile& settings) {
    const std::optional<std::u16string> value = settings.activateHotkey();
    if (!value) {
        return; // no key unless the user asks for one
    }
    const std::u16string fileName(fileNameOf(settings.path()));
    if (const auto chord = parseHotkey(*value); !chord) {
        env_.showInformation(window_, formatText(kHotkeyUnreadableMessage, {fileName, *value}));
    } else if (!hotkey_.registerFor(window_, *chord)) {
        env_.showInformation(window_, formatText(kHotkeyTakenMessage, {fileName, *value}));
    }
}

void TMerulanForm::FormDestroy() {
    const SettingsFile settings(settingsPathFor(env_.executablePath));
    settings.write(boundsToStore(window_), CAD1.caption());
}

// ---- Command list and views ------------------------------------------------------------------------

void TMerulanForm::loadMerulanList(const std::u16string& fName) {
    // Taken before the read: a change during it then still counts as a change.
    const std::optional<FileIdentity> identity = fileIdentityOf(fName);
    const bool theList = fName == listFilePath();
    try {
        ::merulan::loadMerulanList(lspRecords, fName, *env_.ansiCodePage);
    } catch (...) {
        if (theList) {
            follower_->readFailed(identity); // the error box tells the user; once is enough
        }
        throw;
    }
    if (theList) {
        follower_->shown(identity);
    }
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

void TMerulanForm::showView(ShownView view, const std::optional<EntryKey>& keep) {
    std::optional<TreeViewContent> content = view == ShownView::Grouped ? groupedViewContent(lspRecords)
                                             : view == ShownView::Flat  ? flatViewContent(lspRecords)
                                                                        : filteredViewContent(lspRecords, edit1Text());
    if (!content) {
        return; // an empty table: the tree keeps what it shows
    }
    if (keep) {
        if (const int node = nodeShowing(*content, lspRecords, *keep); node >= 0) {
            content->selected = node;
        }
    }
    if (view == ShownView::Filtered && shownView_ == ShownView::Filtered && content->nodes == shownNodes_) {
        // Typing on often leaves the same entries (and under Wine a rebuild of 500 costs 20 ms): the tree
        // shows them already, and only the selection is set as a rebuild sets it.
        HTREEITEM item = TreeView_GetRoot(TreeView1);
        for (int i = 0; item && i < content->selected; ++i) {
            item = TreeView_GetNextSibling(TreeView1, item);
        }
        if (item && content->selected >= 0) {
            TreeView_SelectItem(TreeView1, item);
        }
    } else {
        renderTree(*content);
    }
    shownView_ = view;
}

void TMerulanForm::followListFile() {
    std::optional<EntryKey> selected;
    if (const auto tag = selectedNodeTag(TreeView1)) {
        selected = entryKeyOf(lspRecords, *tag);
    }
    loadMerulanList(listFilePath());
    showView(shownView_, selected);
}

void TMerulanForm::renderTree(const TreeViewContent& content) {
    shownNodes_ = content.nodes;
    std::vector<HTREEITEM> items(content.nodes.size(), nullptr);
    {
        const RedrawSuspension suspension(TreeView1);
        SendMessageW(TreeView1, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        std::vector<bool> hasChildren(content.nodes.size(), false);
        for (size_t i = 0; i < content.nodes.size(); ++i) {
            const TreeNodeContent& node = content.nodes[i];
            TVINSERTSTRUCTW insert{};
            const bool child = node.parent >= 0 && static_cast<size_t>(node.parent) < i;
            insert.hParent = child ? items[static_cast<size_t>(node.parent)] : TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            // Only the normal image is chosen; the selected image stays 0 for every node.
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
            insert.item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(node.text.c_str()));
            insert.item.iImage = node.image;
            insert.item.iSelectedImage = 0;
            insert.item.lParam = node.tag;
            items[i] = reinterpret_cast<HTREEITEM>(
                SendMessageW(TreeView1, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
            if (child) {
                hasChildren[static_cast<size_t>(node.parent)] = true;
            }
        }
        for (size_t i = 0; i < items.size(); ++i) {
            if (hasChildren[i]) {
                SendMessageW(TreeView1, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[i]));
            }
        }
    }
    if (content.selected >= 0 && static_cast<size_t>(content.selected) < items.size()) {
        SendMessageW(TreeView1, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(items[static_cast<size_t>(content.selected)]));
    }
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
        window_, [this] { return CAD1.caption(); },
        [this](const std::u16string& text) { env_.showInformation(window_, text); });
    seam.setWindowCaption = [this](const std::u16string& caption) { setCaption(caption); };
    seam.executableFolder = [this] { return env_.executableFolder(); };
    seam.startProgram = [this](const std::u16string& file, const std::u16string& parameters) {
        env_.shellExecute(window_, u"open", file, parameters, SW_SHOWNORMAL);
    };
    return seam;
}

void TMerulanForm::TreeView1DblClick() {
    runSelectedNode(selectedNodeTag(TreeView1), lspRecords, executionSeam());
}

void TMerulanForm::SpeedButton1Click() {
    sendCancelToTarget(executionSeam());
}

void TMerulanForm::WMDropFiles(UniqueDrop drop) {
    // Ctrl counts as the drop arrives; it is long let go by the time the question is answered.
    const ListWrite how = env_.controlKeyDown() ? ListWrite::Append : ListWrite::Replace;
    const std::vector<std::u16string> names = droppedFileNames(drop.get());
    drop.reset(); // released whatever the names turn out to be
    const std::vector<std::u16string> sources = lispSourcesOf(names, compareFileNamesLogically);
    if (sources.empty()) {
        return;
    }
    DropImportSeams seams = fileSystemSeams();
    seams.askYesNo = [&](const std::u16string& question) { return env_.askYesNo(window_, question); };
    seams.localTime = env_.localTime;
    if (importLispSources(sources, env_.executableFolder(), how, *env_.ansiCodePage, compareUserLocaleIgnoreCase,
                          seams) == DropImportResult::ListWritten) {
        loadMerulanList(listFilePath());
        makeTreeViewItemsByRow();
    }
}

// ---- Context menu ----------------------------------------------------------------------------------

void TMerulanForm::AutoCAD1Click(const TMenuItem& Sender) {
    CAD1.setCaption(std::u16string(kChosenTargetPrefix) + Sender.caption());
    showTarget();
}

void TMerulanForm::showTarget() {
    const std::optional<TargetCad> target = targetCadOf(CAD1.caption());
    const HMENU targets = AutoCAD1.menu();
    if (target) {
        const UINT chosen = *target == TargetCad::AutoCad    ? kAutoCad1Id
                            : *target == TargetCad::BricsCad ? kBricsCad1Id
                                                             : kIjCad1Id;
        CheckMenuRadioItem(targets, kAutoCad1Id, kIjCad1Id, chosen, MF_BYCOMMAND);
    } else {
        for (const UINT id : {kAutoCad1Id, kBricsCad1Id, kIjCad1Id}) {
            CheckMenuItem(targets, id, MF_BYCOMMAND | MF_UNCHECKED);
        }
    }
    speedButtonTip_.setText(cancelButtonTipOf(target));
}

void TMerulanForm::MerulanListtxt1Click() {
    const std::u16string path = listFilePath();
    if (fileExists(path)) {
        env_.shellExecute(window_, u"open", u"Notepad", path, SW_SHOWNORMAL);
    } else {
        env_.showInformation(window_, path + u"\n" + std::u16string(kMissingListSuffix));
    }
}

void TMerulanForm::MerulanListtxt2Click() {
    setEdit1Text(u"");
    loadMerulanList(listFilePath());
    makeTreeViewItemsByRow();
}

void TMerulanForm::N3Click() {
    env_.showInformation(window_, std::u16string(kVersionLine) + u"\n" + std::u16string(kOwnerNotice));
}

} // namespace merulan
