// TMerulanForm's window and controls: creating them with their styles, fonts and images at the monitor's
// dots per inch, laying them out, and showing the target CAD in the menu and on the ESC button.
#include "app/MerulanUnit.h"

#include "app/look/image_list.h"
#include "app/window/dpi.h"
#include "app/window/form_layout.h"
#include "app/window/window_class.h"
#include "platform/win/wide.h"
#include "text/error.h"

#include <commctrl.h>

namespace merulan {

namespace {

constexpr DWORD kFormStyle = (WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX) | WS_CLIPCHILDREN;
// Its own taskbar button; a container for tab navigation. Topmost from its creation: made so later, a
// hidden window costs a restack of its own (16 ms under Wine) before it is first shown.
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT | WS_EX_TOPMOST;
constexpr COLORREF kPanel1Green = RGB(0, 255, 0); // 65280

HFONT tahoma(int characterHeight) {
    return CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

void place(HWND control, const LayoutRect& r) {
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void TMerulanForm::createWindow() {
    // Created where a first start puts it, at the designed size for the primary monitor, so that the
    // common case needs no move; the settings then place it.
    const unsigned primaryDpi = dpiOfPrimaryMonitor();
    const LayoutSize client = designedClientSize(primaryDpi);
    const SIZE outer = outerSizeForClient(client.width, client.height, kFormStyle, kFormExStyle, primaryDpi);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2;
    requireWindow(CreateWindowExW(kFormExStyle, wide(std::u16string(kFormClassName)),
                                  wide(std::u16string(kFormCaption)), kFormStyle, left, top, outer.cx, outer.cy,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), this));
    dpi_ = dpiForWindow(window_);
    if (dpi_ != primaryDpi) {
        const LayoutSize actual = designedClientSize(dpi_);
        const SIZE size = outerSizeForClient(actual.width, actual.height, kFormStyle, kFormExStyle, dpi_);
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    theme_->applyToTopLevel(window_);
}

void TMerulanForm::createControls() {
    const bool styled = theme_->ownColours();
    // Created in tab order: the tree first, so that it holds the focus when the window opens.
    TreeView1.create(window_, kTreeView1Id, styled ? 0 : WS_EX_CLIENTEDGE);
    theme_->applyToTree(TreeView1.handle());

    const DWORD buttonKind = styled ? BS_OWNERDRAW : BS_PUSHBUTTON;
    Button2 = createChildWindow(0, WC_BUTTONW, L"ABC順", WS_TABSTOP | buttonKind, window_, kButton2Id);
    Button3 = createChildWindow(0, WC_BUTTONW, L"取得順", WS_TABSTOP | buttonKind, window_, kButton3Id);
    Edit1 = createChildWindow(styled ? 0 : WS_EX_CLIENTEDGE, WC_EDITW, L"",
                              WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | (styled ? WS_BORDER : 0), window_, kEdit1Id);
    Panel1.create(window_, kPanel1Id, *theme_);
    SpeedButton1.create(Panel1.handle(), kSpeedButton1Id, *theme_);
    Label1 = createChildWindow(0, WC_STATICW, L"検索", SS_LEFT | SS_NOPREFIX, window_, kLabel1Id);
}

void TMerulanForm::createMenu() {
    PopupMenu1.reset(CreatePopupMenu());
    UniqueMenu targets(CreatePopupMenu());
    if (!PopupMenu1 || !targets) {
        throw MerulanError(std::u16string(kCannotCreateMenuMessage));
    }
    AutoCAD1.append(targets.get(), kAutoCad1Id, u"AutoCAD");
    BricsCAD1.append(targets.get(), kBricsCad1Id, u"BricsCAD");
    IJCAD1.append(targets.get(), kIjCad1Id, u"IJCAD");
    Automatic1.append(targets.get(), kAutomatic1Id, std::u16string(kAutomaticTargetName));
    CAD1.append(PopupMenu1.get(), kCad1Id, std::u16string(kDesignTarget), targets.get());
    targets.release(); // the menu owns it now
    N1.append(PopupMenu1.get(), 0, u"");
    MerulanListtxt1.append(PopupMenu1.get(), kMerulanListtxt1Id, u"■ MerulanList.txt を表示、編集 （メモ帳起動）...");
    if (!sharedPath_.empty()) {
        SharedListtxt1.append(PopupMenu1.get(), kSharedListtxt1Id,
                              u"■ 共有の MerulanList.txt を表示 （メモ帳起動）...");
    }
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
    const HWND tree = TreeView1.handle();
    SendMessageW(Edit1, WM_SETFONT, reinterpret_cast<WPARAM>(editFont.get()), TRUE);
    SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(treeFont.get()), TRUE);
    windowFont_ = std::move(windowFont);
    editFont_ = std::move(editFont);
    treeFont_ = std::move(treeFont);

    UniqueImageList images = createPaletteImageList(dpi_);
    SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.get()));
    ImageList2 = std::move(images);
    SendMessageW(tree, TVM_SETINDENT, static_cast<WPARAM>(treeIndent(dpi_)), 0);
    SendMessageW(tree, TVM_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0); // back to what font and images need
    layoutControls();
}

void TMerulanForm::layoutControls() {
    if (!TreeView1.handle()) {
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
    place(TreeView1.handle(), layout.treeView1);
}

void TMerulanForm::fillPanelWithEscButton() {
    speedButtonFillsPanel_ = true;
    layoutControls();
    SetWindowTextW(SpeedButton1.handle(), L"ESC");
    Panel1.setColour(kPanel1Green);
}

void TMerulanForm::acceptDropsAndStayOnTop() {
    DragAcceptFiles(window_, TRUE);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TMerulanForm::showTarget() {
    const std::optional<TargetChoice> target = targetChoiceOf(CAD1.caption());
    const HMENU targets = AutoCAD1.menu();
    if (target) {
        const UINT chosen = *target == TargetChoice::AutoCad    ? kAutoCad1Id
                            : *target == TargetChoice::BricsCad ? kBricsCad1Id
                            : *target == TargetChoice::IJCad    ? kIjCad1Id
                                                                : kAutomatic1Id;
        CheckMenuRadioItem(targets, kAutoCad1Id, kAutomatic1Id, chosen, MF_BYCOMMAND);
    } else {
        for (const UINT id : {kAutoCad1Id, kBricsCad1Id, kIjCad1Id, kAutomatic1Id}) {
            CheckMenuItem(targets, id, MF_BYCOMMAND | MF_UNCHECKED);
        }
    }
    speedButtonTip_.setText(cancelButtonTipOf(target));
}

} // namespace merulan
