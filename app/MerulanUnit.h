// The palette window TMerulanForm and the record table it shows. The window wires: its pieces (the list
// source, the command tree, the settings, the CAD link, the import) do the work.
#pragma once

#include "app/execution/command_execution.h"
#include "app/follow/list_follower.h"
#include "app/follow/list_source.h"
#include "app/follow/shared_list_follower.h"
#include "app/follow/shared_shown.h"
#include "app/form_environment.h"
#include "app/settings/palette_files.h"
#include "app/look/dark_mode.h"
#include "app/window/command_tree.h"
#include "app/window/controls.h"
#include "app/window/global_hotkey.h"
#include "app/window/menu_item.h"
#include "app/window/message_boundary.h"
#include "app/window/palette_keys.h"
#include "app/window/tool_tip.h"
#include "app/window/win_handles.h"
#include "cmdlist/lsp_record.h"
#include "cmdlist/tree_views.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace merulan {

// The record table: empty at start, replaced by each load, reordered by each view.
extern TLspRecords lspRecords;

class SettingsFile;

inline constexpr std::u16string_view kFormClassName = u"TMerulanForm";
inline constexpr std::u16string_view kFormCaption = u"Merulan";
inline constexpr std::u16string_view kDesignTarget = u"ターゲット CAD = BricsCAD";
inline constexpr std::u16string_view kChosenTargetPrefix = u"ターゲットCAD = ";
inline constexpr std::u16string_view kVersionLine = u"Merulan.exe 2023/05/08A";
inline constexpr std::u16string_view kOwnerNotice = u"著作権は Merulan の作者に帰属します。";
inline constexpr std::u16string_view kMissingListSuffix = u"ファイルが見つかりません．";

// Control and menu command identifiers (never 1 or 2: the dialog manager sends IDOK and IDCANCEL).
enum FormCommand : int {
    kTreeView1Id = 101,
    kEdit1Id,
    kButton3Id,
    kButton2Id,
    kPanel1Id,
    kSpeedButton1Id,
    kLabel1Id,
    kCad1Id = 201,
    kAutoCad1Id,
    kBricsCad1Id,
    kIjCad1Id,
    kAutomatic1Id,
    kMerulanListtxt1Id,
    kMerulanListtxt2Id,
    kN3Id,
    kSharedListtxt1Id,
};

class TMerulanForm {
public:
    // Builds the window (hidden) with its controls, image list and menu at the monitor's dpi, then runs
    // FormCreate; a failure inside FormCreate is shown in the application-wide error box.
    static std::unique_ptr<TMerulanForm> create(FormEnvironment environment, std::shared_ptr<const Theme> theme);
    // Runs FormDestroy (once) and destroys the window.
    ~TMerulanForm();
    TMerulanForm(const TMerulanForm&) = delete;
    TMerulanForm& operator=(const TMerulanForm&) = delete;

    HWND handle() const { return window_; }
    unsigned dpi() const { return dpi_; }
    const FormEnvironment& environment() const { return env_; }
    std::u16string listFilePath() const;
    // Where the settings and the list are kept (beside the executable, or in the user's folder).
    const PaletteFiles& files() const { return files_; }
    // The office's shared list ([List] Shared); empty without one.
    const std::u16string& sharedListPath() const { return sharedPath_; }

    // Shows the window; the palette's message loop calls preTranslate before dispatching.
    void show(int showCommand);
    bool preTranslate(MSG& message);

    // Whether the [Keys] Activate hotkey is held by this window.
    bool hotkeyRegistered() const { return hotkey_.registered(); }
    const ToolTip& speedButtonTip() const { return speedButtonTip_; }

    std::u16string caption() const;
    void setCaption(std::u16string_view caption);
    std::u16string edit1Text() const;
    // Changes Edit1 only when the text differs; the change event then runs at once.
    void setEdit1Text(std::u16string_view text);

    // Controls, image list and menu under their component names.
    HWND Label1 = nullptr;
    HWND Edit1 = nullptr;
    HWND Button3 = nullptr;
    HWND Button2 = nullptr;
    PanelControl Panel1;
    SpeedButtonControl SpeedButton1;
    CommandTree TreeView1;
    UniqueImageList ImageList2;
    UniqueMenu PopupMenu1;
    TMenuItem CAD1, AutoCAD1, BricsCAD1, IJCAD1, Automatic1, N1, MerulanListtxt1, MerulanListtxt2, N2, N3;
    // After MerulanListtxt1, only when [List] Shared names the office's shared list.
    TMenuItem SharedListtxt1;

    // Event handlers.
    void FormCreate();
    void FormDestroy();
    void Edit1Change();
    void Button2Click();
    void Button3Click();
    void TreeView1DblClick();
    void SpeedButton1Click();
    void WMDropFiles(UniqueDrop drop);
    void AutoCAD1Click(const TMenuItem& Sender);
    void MerulanListtxt1Click();
    void MerulanListtxt2Click();
    void N3Click();
    void SharedListtxt1Click();

    // Operations. loadMerulanList reads the list file because the user asked; its failure is thrown.
    void loadMerulanList();
    void makeTreeViewItemsByRow();
    void makeTreeViewItemsByCmd();
    void makeTreeViewItemsByStr();

private:
    TMerulanForm(FormEnvironment environment, std::shared_ptr<const Theme> theme);

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);
    LRESULT onNotify(const NMHDR& header, LPARAM lParam);
    void onContextMenu(HWND source, LPARAM screenPoint);
    void onDpiChanged(unsigned dpi, const RECT& suggested);
    bool onActivate(bool active);
    // The palette's own key: true when it was taken.
    bool onPaletteKey(PaletteKey key);
    void onHotkey();

    // Ctrl+F, F3 and the hotkey: the caret in the search box, its text selected, its input method off unless
    // the settings say otherwise.
    void focusSearchBox();
    void registerActivateHotkey(const SettingsFile& settings);
    // The radio bullet in the target menu and the ESC button's tip, after CAD1's caption changed.
    void showTarget();

    void createWindow();
    void createControls();
    void createMenu();
    void applyDpi(); // fonts, images, tree indent and control positions for dpi_
    void layoutControls();
    // FormCreate's steps.
    void applySettings();
    void fillPanelWithEscButton();
    void acceptDropsAndStayOnTop();

    enum class ShownView { Grouped, Flat, Filtered };
    // Builds the view; keep names the entry to select instead of the first, when the view shows it. A view that
    // comes by itself (a save, the shared list) is put in the tree in steps, one per posted message.
    void showView(ShownView view, const std::optional<EntryKey>& keep = std::nullopt,
                  CommandTree::Steps steps = CommandTree::Steps::AllAtOnce);
    // What the list source read (or failed to): the table takes its records, the follow its next look.
    void takeListUpdate(const ListUpdate& update);
    // The list file changed on disk: read it and show the same view with the same entry selected.
    void followListFile();
    // The entry the tree has selected, to select again after the table was replaced.
    std::optional<EntryKey> selectedEntry() const;
    void startSharedList();
    void onSharedTimer(UINT_PTR timer);
    // The shared list's reader has news; taken when the tree may be rebuilt.
    void takeSharedNews();
    // The shared list changed what it shows: the table merged anew, the view kept.
    void showSharedList();
    // The copy of the shared list kept on this PC, with its date.
    std::optional<SharedCopy> readSharedCopy() const;
    // The tree is not rebuilt now: a box of the palette is open, a mouse button is captured (the tree's own
    // loop after a button goes down still holds the node it hit), or a menu or a move-size loop runs.
    bool busy() const;
    // The CAD link, with this window's caption, target, boxes and program starts.
    ExecutionSeam executionSeam();
    void runFormDestroyOnce();
    // The tooltip and the folder watch, posted to come right after the first paint.
    static constexpr UINT kFinishStartUpMessage = WM_APP + 2;
    static constexpr UINT kSharedNewsMessage = WM_APP + 3;
    static constexpr UINT kRenderMoreMessage = WM_APP + 4;
    // The time the shared list gets at start-up before its copy is shown; a retry while the tree is busy.
    static constexpr UINT_PTR kSharedWaitTimerId = 0x4D53;
    static constexpr UINT_PTR kSharedRetryTimerId = 0x4D54;
    void finishStartUp();
    void stepDone(const char* step) const;

    // The application-wide error box.
    void reportFailure(const std::u16string& message);

    FormEnvironment env_;
    std::shared_ptr<const Theme> theme_;
    PaletteFiles files_;
    std::u16string sharedPath_;
    std::u16string sharedCopyPath_; // empty when this PC gives no place for it
    HWND window_ = nullptr;
    unsigned dpi_ = 96;
    UniqueFont windowFont_;
    UniqueFont editFont_;
    UniqueFont treeFont_;
    std::u16string edit1Text_;
    HWND lastFocus_ = nullptr;
    bool speedButtonFillsPanel_ = false;
    bool applyingSettings_ = false;
    bool directInput_ = true; // [Keys] DirectInput
    bool formDestroyPending_ = false;
    MessageBoundary boundary_;
    ShownView shownView_ = ShownView::Grouped;
    ToolTip speedButtonTip_;
    GlobalHotkey hotkey_;
    ListSource list_;
    std::unique_ptr<ListFollower> follower_;
    SharedShown sharedShown_;
    std::unique_ptr<SharedListFollower> shared_;
};

} // namespace merulan
