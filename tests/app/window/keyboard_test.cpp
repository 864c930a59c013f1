// The palette at the keyboard: its own keys, as its message loop hands them over, and the hotkey.
#include "support/form_harness.h"

#include "platform/win/wide.h"

#include <gtest/gtest.h>

#include <imm.h>

namespace merulan::testing {
namespace {

using Texts = std::vector<std::u16string>;

constexpr std::u16string_view kList = u"作図\r\nLINE\t線分を作図\r\nARC\t円弧\r\n修正\r\nMOVE\t移動\r\n";
const Texts kGrouped = {u"作図", u"[LINE] 線分を作図", u"[ARC] 円弧", u"修正", u"[MOVE] 移動"};
const Texts kFlat = {u"[ARC] 円弧", u"[LINE] 線分を作図", u"[MOVE] 移動"};
const Texts kFilteredE = {u"[LINE] 線分を作図", u"[MOVE] 移動"};

std::pair<DWORD, DWORD> selectionOf(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// A key pressed on the focused control, with Ctrl held or not, through the palette's loop.
void press(TMerulanForm& form, WORD key, bool ctrl) {
    BYTE state[256]{};
    GetKeyboardState(state);
    const BYTE ctrlBefore = state[VK_CONTROL];
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    pumpMessages(&form);
    state[VK_CONTROL] = ctrlBefore;
    SetKeyboardState(state);
}

TEST(PaletteKeys, SearchBoxAndTreeByKeyboard) {
    enum class At { Tree, Search, Button };
    const struct {
        const char* name;
        At start;
        std::u16string_view text;
        WORD key;
        bool ctrl;
        At focus;
        std::u16string_view textAfter;
        bool allSelected;
        const Texts& shown;
        std::u16string_view selected;
    } cases[] = {
        {"Ctrl+F in the tree", At::Tree, u"e", 'F', true, At::Search, u"e", true, kFilteredE, u"[LINE] 線分を作図"},
        {"F3 on a button", At::Button, u"e", VK_F3, false, At::Search, u"e", true, kFilteredE, u"[LINE] 線分を作図"},
        {"F3 in the box", At::Search, u"e", VK_F3, false, At::Search, u"e", true, kFilteredE, u"[LINE] 線分を作図"},
        {"down in the box", At::Search, u"e", VK_DOWN, false, At::Tree, u"e", false, kFilteredE, u"[LINE] 線分を作図"},
        {"PgDn in the box", At::Search, u"e", VK_NEXT, false, At::Tree, u"e", false, kFilteredE, u"[LINE] 線分を作図"},
        {"Esc in the box", At::Search, u"e", VK_ESCAPE, false, At::Search, u"", false, kFlat, u"[ARC] 円弧"},
        {"Esc in the empty box", At::Search, u"", VK_ESCAPE, false, At::Search, u"", false, kGrouped, u"作図"},
        {"Esc in the tree", At::Tree, u"e", VK_ESCAPE, false, At::Tree, u"e", false, kFilteredE, u"[LINE] 線分を作図"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormHarness harness;
        harness.writeList(kList);
        auto form = harness.open();
        form->show(SW_SHOWNORMAL);
        SetForegroundWindow(form->handle());
        form->setEdit1Text(c.text);
        const auto control = [&](At at) {
            return at == At::Tree ? form->TreeView1.handle() : at == At::Search ? form->Edit1 : form->Button2;
        };
        SetFocus(control(c.start));
        SendMessageW(form->Edit1, EM_SETSEL, 0, 0); // the caret at the start, nothing selected
        ASSERT_TRUE(pumpUntil([&] { return GetFocus() == control(c.start); }, std::chrono::seconds(20), form.get()));

        press(*form, c.key, c.ctrl);
        EXPECT_EQ(GetFocus(), control(c.focus));
        EXPECT_EQ(form->edit1Text(), c.textAfter);
        const DWORD length = static_cast<DWORD>(c.textAfter.size());
        if (c.allSelected) {
            EXPECT_EQ(selectionOf(form->Edit1), std::make_pair(DWORD{0}, length));
        }
        EXPECT_EQ(treeTexts(form->TreeView1.handle()), c.shown);
        EXPECT_EQ(selectedText(form->TreeView1.handle()), c.selected);
        EXPECT_TRUE(harness.errors.empty() && harness.launches.empty());
    }
}

// A [Keys] value in the settings file beside the palette.
void storeKey(const FormHarness& harness, const wchar_t* key, const wchar_t* value) {
    const std::u16string ini = harness.folder() + u"Merulan.ini";
    WritePrivateProfileStringW(L"Keys", key, value, wide(ini));
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, wide(ini));
}

void storeHotkey(const FormHarness& harness, const wchar_t* value) {
    storeKey(harness, L"Activate", value);
}

// The search box's input context, which its thread's other windows share.
class SearchBoxInputMethod {
public:
    explicit SearchBoxInputMethod(HWND edit) : edit_(edit), context_(ImmGetContext(edit)) {}
    ~SearchBoxInputMethod() { ImmReleaseContext(edit_, context_); }
    SearchBoxInputMethod(const SearchBoxInputMethod&) = delete;
    SearchBoxInputMethod& operator=(const SearchBoxInputMethod&) = delete;
    HIMC get() const { return context_; }

private:
    HWND edit_;
    HIMC context_;
};

// Letters typed after Ctrl+F are command letters: the key switches the input method off, unless the settings say
// DirectInput=0. And Enter while a conversion is open only confirms it; once confirmed, Enter runs the entry (here
// it finds no CAD).
TEST(PaletteKeys, TheSearchBoxTakesLettersAsLettersAndEnterFirstConfirmsAConversion) {
    const struct {
        const char* name;
        const wchar_t* directInput; // nullptr: not in the settings
        bool openAfter;
    } cases[] = {{"by default", nullptr, false}, {"DirectInput=0", L"0", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormHarness harness;
        harness.writeList(kList);
        if (c.directInput) {
            storeKey(harness, L"DirectInput", c.directInput);
        }
        auto form = harness.open();
        form->show(SW_SHOWNORMAL);
        SetForegroundWindow(form->handle());
        SetFocus(form->TreeView1.handle());
        ASSERT_TRUE(
            pumpUntil([&] { return GetFocus() == form->TreeView1.handle(); }, std::chrono::seconds(20), form.get()));
        const SearchBoxInputMethod ime(form->Edit1);
        ASSERT_TRUE(ime.get());
        ImmSetOpenStatus(ime.get(), TRUE);
        press(*form, 'F', true);
        EXPECT_EQ(GetFocus(), form->Edit1);
        EXPECT_EQ(ImmGetOpenStatus(ime.get()) != FALSE, c.openAfter);

        // The user converts せんぶん to 線分: Enter confirms it, and only the next Enter runs the entry it finds.
        form->setEdit1Text(u"");
        ImmSetOpenStatus(ime.get(), TRUE);
        ASSERT_TRUE(ImmSetCompositionStringW(ime.get(), SCS_SETSTR, const_cast<wchar_t*>(L"線分"), 2 * sizeof(wchar_t),
                                             nullptr, 0));
        press(*form, VK_RETURN, false);
        EXPECT_TRUE(harness.information.empty());
        ImmNotifyIME(ime.get(), NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
        pumpMessages(form.get());
        EXPECT_EQ(form->edit1Text(), u"線分");
        press(*form, VK_RETURN, false);
        EXPECT_EQ(harness.information, Texts{u"有効な BricsCAD が見つかりません．"});
    }
}

// Holds a chord for the test, as another program would; false when someone holds it already.
class ChordHolder {
public:
    ChordHolder()
        : window_(CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~ChordHolder() { UnregisterHotKey(window_.get(), 7); }
    bool hold(UINT modifiers, UINT key) { return RegisterHotKey(window_.get(), 7, modifiers, key); }

private:
    UniqueWindow window_;
};

TEST(Hotkey, OneBoxNamingAValueThatCannotBeUsedAndNoKeyUnlessOneIsSet) {
    const struct {
        const char* name;
        const wchar_t* value; // nullptr: no [Keys] at all
        bool takenBefore;
        bool registered;
        std::u16string_view box;
    } cases[] = {
        {"unset", nullptr, false, false, u""},
        {"blank", L"  ", false, false, u""},
        {"free", L"Ctrl+Alt+F9", false, true, u""},
        {"taken", L"Ctrl+Alt+F9", true, false,
         u"Merulan.ini の [Keys] Activate=Ctrl+Alt+F9 のキーはほかのプログラムが使っているため登録できません．\n"
         u"ホットキーなしで続けます．"},
        {"unreadable", L"Ctrl+Alt+Spacebar", false, false,
         u"Merulan.ini の [Keys] Activate=Ctrl+Alt+Spacebar はホットキーとして読めません．\n"
         u"Ctrl、Alt、Shift、Win と、英字・数字・F1～F24・Space のどれか一つを + でつないでください．"
         u"（例：Ctrl+Alt+Space）\nホットキーなしで続けます．"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormHarness harness;
        if (c.value) {
            storeHotkey(harness, c.value);
        }
        ChordHolder other;
        if (c.takenBefore) {
            ASSERT_TRUE(other.hold(MOD_CONTROL | MOD_ALT, VK_F9));
        }
        {
            const auto form = harness.open();
            EXPECT_EQ(form->hotkeyRegistered(), c.registered);
            if (!c.takenBefore) {
                // The system agrees: a chord the palette holds is no longer free, none is held unasked.
                ChordHolder probe;
                EXPECT_EQ(probe.hold(MOD_CONTROL | MOD_ALT, VK_F9), !c.registered);
                EXPECT_TRUE(probe.hold(MOD_CONTROL | MOD_ALT, VK_SPACE));
            }
            EXPECT_EQ(harness.information, c.box.empty() ? Texts{} : Texts{std::u16string(c.box)});
        }
        if (c.registered) {
            EXPECT_TRUE(ChordHolder().hold(MOD_CONTROL | MOD_ALT, VK_F9)) << "released at the end of the run";
        }
    }
}

} // namespace
} // namespace merulan::testing
