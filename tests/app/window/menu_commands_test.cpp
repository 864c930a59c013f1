// The context menu and its four commands.
#include "support/form_harness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

std::u16string menuString(HMENU menu, UINT position) {
    wchar_t text[256]{};
    GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

MENUITEMINFOW menuItem(HMENU menu, UINT position) {
    MENUITEMINFOW item{sizeof(item)};
    item.fMask = MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(menu, position, TRUE, &item);
    return item;
}

UINT menuType(HMENU menu, UINT position) {
    return menuItem(menu, position).fType & ~MFT_RADIOCHECK;
}

void click(const TMerulanForm& form, int id) {
    SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

TEST(PopupMenu, ItemsStandInOrderWithTheirCaptionsVerbatim) {
    FormHarness harness;
    const auto form = harness.open();
    const HMENU menu = form->PopupMenu1.get();
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    EXPECT_EQ(menuString(menu, 0), u"ターゲット CAD = BricsCAD");
    EXPECT_EQ(menuType(menu, 1), static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_EQ(menuString(menu, 2), u"■ MerulanList.txt を表示、編集 （メモ帳起動）...");
    EXPECT_EQ(menuString(menu, 3), u"■ MerulanList.txt を再読み込み");
    EXPECT_EQ(menuType(menu, 4), static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_EQ(menuString(menu, 5), u"■ バージョン情報 ...");

    const HMENU targets = GetSubMenu(menu, 0);
    ASSERT_NE(targets, nullptr);
    ASSERT_EQ(GetMenuItemCount(targets), 4);
    EXPECT_EQ(menuString(targets, 0), u"AutoCAD");
    EXPECT_EQ(menuString(targets, 1), u"BricsCAD");
    EXPECT_EQ(menuString(targets, 2), u"IJCAD");
    EXPECT_EQ(menuString(targets, 3), u"自動");
    for (UINT i = 0; i < 4; ++i) {
        EXPECT_EQ(menuType(targets, i), static_cast<UINT>(MFT_STRING));
    }
    for (UINT i = 0; i < 6; ++i) {
        EXPECT_FALSE(menuItem(menu, i).fState & MFS_CHECKED);
    }
}

std::u16string tipText(const ToolTip& tip) {
    wchar_t text[128]{};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    SendMessageW(tip.handle(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// Which target the radio bullet marks: -1 for none, else its position; fails on two marks or a check
// mark that is no bullet.
int markedTarget(const TMerulanForm& form) {
    int marked = -1;
    for (UINT i = 0; i < 4; ++i) {
        const MENUITEMINFOW item = menuItem(form.AutoCAD1.menu(), i);
        if (item.fState & MFS_CHECKED) {
            EXPECT_TRUE(item.fType & MFT_RADIOCHECK);
            EXPECT_EQ(marked, -1);
            marked = static_cast<int>(i);
        }
    }
    return marked;
}

TEST(PopupMenu, TheTargetCarriesTheRadioBulletAndNamesItselfOnTheEscButton) {
    const struct {
        const char* name;
        std::function<void(TMerulanForm&)> change;
        int marked;
        std::u16string_view tip;
    } steps[] = {
        {"first start", [](TMerulanForm&) {}, 1, u"BricsCAD に ESC を送る"},
        {"IJCAD chosen", [](TMerulanForm& f) { click(f, kIjCad1Id); }, 2, u"IJCAD に ESC を送る"},
        {"AutoCAD chosen", [](TMerulanForm& f) { click(f, kAutoCad1Id); }, 0, u"AutoCAD に ESC を送る"},
        {"BricsCAD chosen", [](TMerulanForm& f) { click(f, kBricsCad1Id); }, 1, u"BricsCAD に ESC を送る"},
        {"自動 chosen", [](TMerulanForm& f) { click(f, kAutomatic1Id); }, 3, u"最後に使った CAD に ESC を送る"},
    };
    FormHarness harness;
    const auto form = harness.open();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change(*form);
        EXPECT_EQ(markedTarget(*form), step.marked);
        EXPECT_EQ(tipText(form->speedButtonTip()), step.tip);
    }
}

TEST(PopupMenu, AStoredTargetNamingNoCadMarksNone) {
    FormHarness harness;
    const std::u16string ini = harness.folder() + u"Merulan.ini";
    WritePrivateProfileStringW(L"CAD", L"Target", L"ZWCAD", reinterpret_cast<const wchar_t*>(ini.c_str()));
    const auto form = harness.open();
    EXPECT_EQ(markedTarget(*form), -1);
    EXPECT_EQ(tipText(form->speedButtonTip()), u"ターゲット CAD が選ばれていません");
}

TEST(PopupMenu, ChoosingATargetWritesTheCaptionWithoutTheSpace) {
    const struct {
        int id;
        std::u16string_view caption;
    } cases[] = {
        {kAutoCad1Id, u"ターゲットCAD = AutoCAD"},
        {kBricsCad1Id, u"ターゲットCAD = BricsCAD"},
        {kIjCad1Id, u"ターゲットCAD = IJCAD"},
        {kAutomatic1Id, u"ターゲットCAD = 自動"},
    };
    FormHarness harness;
    const auto form = harness.open();
    for (const auto& c : cases) {
        click(*form, c.id);
        EXPECT_EQ(form->CAD1.caption(), c.caption);
        EXPECT_EQ(menuString(form->PopupMenu1.get(), 0), c.caption);
    }
    EXPECT_TRUE(harness.information.empty());
}

TEST(PopupMenu, CaptionsWithAmpersandsShowThemLiterally) {
    FormHarness harness;
    const auto form = harness.open();
    form->CAD1.setCaption(u"R&D CAD");
    EXPECT_EQ(form->CAD1.caption(), u"R&D CAD");
    EXPECT_EQ(menuString(form->PopupMenu1.get(), 0), u"R&&D CAD") << "doubled, so that the menu shows one";
}

TEST(PopupMenu, OpenListHandsTheUnquotedPathToNotepad) {
    FormHarness harness(u"my lists"); // a folder with a space in its name
    harness.writeList(u"作図\r\n");
    const auto form = harness.open();
    click(*form, kMerulanListtxt1Id);
    ASSERT_EQ(harness.launches.size(), 1u);
    const ShellLaunch& launch = harness.launches[0];
    EXPECT_EQ(launch.owner, form->handle());
    EXPECT_EQ(launch.file, u"Notepad");
    EXPECT_EQ(launch.parameters, harness.listPath());
    EXPECT_NE(launch.parameters.find(u"my lists\\MerulanList.txt"), std::u16string::npos);
    EXPECT_EQ(launch.showCommand, SW_SHOWNORMAL);
    EXPECT_TRUE(harness.information.empty());
}

TEST(PopupMenu, OpenListWithoutTheFileSaysItIsMissing) {
    FormHarness harness;
    const auto form = harness.open();
    click(*form, kMerulanListtxt1Id);
    EXPECT_TRUE(harness.launches.empty());
    ASSERT_EQ(harness.information.size(), 1u);
    EXPECT_EQ(harness.information[0], harness.listPath() + u"\nファイルが見つかりません．");
}

TEST(PopupMenu, VersionBoxShowsTheVersionLineAndTheOwnersNotice) {
    FormHarness harness;
    const auto form = harness.open();
    click(*form, kN3Id);
    ASSERT_EQ(harness.information.size(), 1u);
    const std::u16string& text = harness.information[0];
    const std::u16string_view firstLine = u"Merulan.exe 2023/05/08A\n";
    EXPECT_EQ(text.substr(0, firstLine.size()), firstLine);
    EXPECT_GT(text.size(), firstLine.size());
    EXPECT_EQ(text.find(u'\n', firstLine.size()), std::u16string::npos) << "two lines";
}

TEST(PopupMenu, ReloadEmptiesTheSearchBoxAndShowsTheNewListGrouped) {
    FormHarness harness;
    harness.writeList(u"作図\r\nLINE\t線分\r\n");
    const auto form = harness.open();
    form->setEdit1Text(u"line");
    harness.writeList(u"修正\r\nMOVE\t移動\r\nCOPY\t複写\r\n");
    click(*form, kMerulanListtxt2Id);
    EXPECT_EQ(form->edit1Text(), u"");
    EXPECT_EQ(treeTexts(form->TreeView1.handle()),
              (std::vector<std::u16string>{u"修正", u"[MOVE] 移動", u"[COPY] 複写"}));
    EXPECT_EQ(selectedText(form->TreeView1.handle()), u"修正");
}

TEST(PopupMenu, ReloadWithoutTheFileShowsTheCurrentTableGroupedAgain) {
    FormHarness harness;
    harness.writeList(u"作図\r\nLINE\t線分\r\nARC\t円弧\r\n");
    const auto form = harness.open();
    SendMessageW(form->Button2, BM_CLICK, 0, 0); // flat view
    harness.removeList();
    click(*form, kMerulanListtxt2Id);
    EXPECT_EQ(treeTexts(form->TreeView1.handle()),
              (std::vector<std::u16string>{u"作図", u"[LINE] 線分", u"[ARC] 円弧"}));
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_TRUE(harness.information.empty());
}

// Nodes of entries the list no longer holds would run nothing: an empty table empties the tree in
// every view.
TEST(PopupMenu, ReloadOfACommentOnlyListEmptiesTheTreeInEveryView) {
    const struct {
        const char* name;
        std::u16string search;
    } cases[] = {{"grouped", u""}, {"searching", u"LINE"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FormHarness harness;
        harness.writeList(u"作図\r\nLINE\t線分\r\nARC\t円弧\r\n");
        const auto form = harness.open();
        form->setEdit1Text(c.search);
        harness.writeList(u"; 全部コメント\r\n/ これも\r\n\r\n");
        click(*form, kMerulanListtxt2Id);
        EXPECT_TRUE(lspRecords.empty());
        EXPECT_EQ(TreeView_GetCount(form->TreeView1.handle()), 0u);
        EXPECT_TRUE(harness.errors.empty());
    }
}

TEST(PopupMenu, ReloadOfAnUnreadableListReportsItWithTheSearchBoxAlreadyEmpty) {
    FormHarness harness;
    harness.writeList(u"作図\r\nLINE\t線分\r\n");
    const auto form = harness.open();
    form->setEdit1Text(u"x");
    const UniqueFileHandle lock(CreateFileW(reinterpret_cast<const wchar_t*>(harness.listPath().c_str()), GENERIC_WRITE,
                                            0, nullptr, OPEN_EXISTING, 0, nullptr));
    click(*form, kMerulanListtxt2Id);
    ASSERT_EQ(harness.errors.size(), 1u);
    EXPECT_EQ(harness.errors[0].title, u"Merulan");
    EXPECT_EQ(form->edit1Text(), u"");
    EXPECT_EQ(lspRecords.size(), 2u);
}

} // namespace
} // namespace merulan::testing
