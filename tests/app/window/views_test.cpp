// The three views as the user reaches them: typing in the search box and the two order buttons.
#include "support/form_harness.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

using Texts = std::vector<std::u16string>;

constexpr std::u16string_view kList = u"PRE\t見出しの前\r\n"
                                      u"作図\r\n"
                                      u"line\t小文字の線\r\n"
                                      u"LINE\t線分を作図\r\n"
                                      u"PLINE\tポリライン\r\n"
                                      u"修正\r\n"
                                      u"MOVE\t移動\r\n"
                                      u"TOOLS\tツール\tMerulan\\tools.lsp\r\n";

void type(HWND edit, std::u16string_view text) {
    for (const char16_t c : text) {
        SendMessageW(edit, WM_CHAR, c, 1);
    }
}

class Views : public ::testing::Test {
protected:
    void SetUp() override {
        harness_.writeList(kList);
        form_ = harness_.open();
    }
    Texts shown() const { return treeTexts(form_->TreeView1.handle()); }

    FormHarness harness_;
    std::unique_ptr<TMerulanForm> form_;
};

TEST_F(Views, StartUpShowsGroupsWithoutEntriesBeforeTheFirstHeading) {
    EXPECT_EQ(shown(), (Texts{u"作図", u"[line] 小文字の線", u"[LINE] 線分を作図", u"[PLINE] ポリライン", u"修正",
                              u"[MOVE] 移動", u"{TOOLS} ツール"}));
}

TEST_F(Views, TypingFiltersOnEveryKeystrokeIgnoringAsciiCase) {
    type(form_->Edit1, u"l"); // the commands that begin with it first
    EXPECT_EQ(shown(), (Texts{u"[LINE] 線分を作図", u"[line] 小文字の線", u"[PLINE] ポリライン", u"{TOOLS} ツール"}));
    type(form_->Edit1, u"in");
    EXPECT_EQ(shown(), (Texts{u"[LINE] 線分を作図", u"[line] 小文字の線", u"[PLINE] ポリライン"}));
    EXPECT_EQ(selectedText(form_->TreeView1.handle()), u"[LINE] 線分を作図");
    type(form_->Edit1, u"e]");
    EXPECT_EQ(shown(), (Texts{u"[LINE] 線分を作図", u"[PLINE] ポリライン", u"[line] 小文字の線"}));
    SendMessageW(form_->Edit1, WM_CHAR, VK_BACK, 1);
    SendMessageW(form_->Edit1, WM_CHAR, VK_BACK, 1);
    SendMessageW(form_->Edit1, WM_CHAR, VK_BACK, 1);
    type(form_->Edit1, u"o");
    EXPECT_EQ(shown(), (Texts{}));
    EXPECT_EQ(TreeView_GetSelection(form_->TreeView1.handle()), nullptr);
}

TEST_F(Views, FilterMatchesKanjiAsTypedAndBracesForFileEntries) {
    form_->setEdit1Text(u"線");
    EXPECT_EQ(shown(), (Texts{u"[LINE] 線分を作図", u"[line] 小文字の線"}));
    form_->setEdit1Text(u"{");
    EXPECT_EQ(shown(), (Texts{u"{TOOLS} ツール"}));
    form_->setEdit1Text(u" ");
    EXPECT_EQ(shown().size(), 6u) << "every node text holds a blank after its bracket";
}

TEST_F(Views, SettingTheSameTextAgainDoesNotRebuild) {
    form_->setEdit1Text(u"LINE");
    const Texts before = shown();
    ASSERT_EQ(before.size(), 3u);
    const HTREEITEM second =
        TreeView_GetNextSibling(form_->TreeView1.handle(), TreeView_GetRoot(form_->TreeView1.handle()));
    TreeView_SelectItem(form_->TreeView1.handle(), second);
    // The control reports even a text set to what it was; the palette only reacts to a real change.
    SetWindowTextW(form_->Edit1, L"LINE");
    EXPECT_EQ(TreeView_GetSelection(form_->TreeView1.handle()), second);
    SetWindowTextW(form_->Edit1, L"line");
    EXPECT_EQ(selectedText(form_->TreeView1.handle()), u"[LINE] 線分を作図");
}

TEST_F(Views, AbcButtonEmptiesTheBoxAndShowsAllEntriesByCommand) {
    form_->setEdit1Text(u"move");
    SendMessageW(form_->Button2, BM_CLICK, 0, 0);
    EXPECT_EQ(form_->edit1Text(), u"");
    EXPECT_EQ(shown(), (Texts{u"[LINE] 線分を作図", u"[MOVE] 移動", u"[PLINE] ポリライン", u"[PRE] 見出しの前",
                              u"{TOOLS} ツール", u"[line] 小文字の線"}));
    EXPECT_EQ(selectedText(form_->TreeView1.handle()), u"[LINE] 線分を作図");
    for (const TreeNode& node : treeNodes(form_->TreeView1.handle())) {
        EXPECT_EQ(node.image, 1);
        EXPECT_EQ(node.selectedImage, 0);
        EXPECT_EQ(node.depth, 0);
    }
}

TEST_F(Views, FileOrderButtonEmptiesTheBoxAndShowsTheGroupsAgain) {
    SendMessageW(form_->Button2, BM_CLICK, 0, 0);
    form_->setEdit1Text(u"pl");
    SendMessageW(form_->Button3, BM_CLICK, 0, 0);
    EXPECT_EQ(form_->edit1Text(), u"");
    const std::vector<TreeNode> nodes = treeNodes(form_->TreeView1.handle());
    ASSERT_EQ(nodes.size(), 7u);
    EXPECT_EQ(nodes[0], (TreeNode{u"作図", 0, 0, 1, 0, true, true}));
    EXPECT_EQ(nodes[5], (TreeNode{u"[MOVE] 移動", 1, 0, 6, 1, false, false}));
    EXPECT_EQ(nodes[6], (TreeNode{u"{TOOLS} ツール", 1, 0, 7, 1, false, false}));
}

TEST(ViewsWithoutList, NothingTypedOrPressedChangesAnEmptyTree) {
    FormHarness harness;
    const auto form = harness.open();
    type(form->Edit1, u"abc");
    SendMessageW(form->Button2, BM_CLICK, 0, 0);
    SendMessageW(form->Button3, BM_CLICK, 0, 0);
    EXPECT_EQ(TreeView_GetCount(form->TreeView1.handle()), 0u);
    EXPECT_TRUE(harness.errors.empty());
}

// A list that arrives by itself is inserted a step at a time: every child under its heading, expanded,
// and the selection set when its node comes; a render in between drops what was left.
TEST_F(Views, ALargeContentRendersInStepsAndARenderInBetweenDropsTheRest) {
    TreeViewContent content;
    for (int i = 0; i < 700; ++i) {
        const bool heading = i % 100 == 0;
        content.nodes.push_back({heading ? u"見出し" : u"[CMD] 説明", heading ? kHeadingImage : kCommandImage, i,
                                 heading ? -1 : i / 100 * 100});
    }
    content.selected = 650;
    CommandTree& tree = form_->TreeView1;
    tree.render(content, CommandTree::Steps::InSteps);
    EXPECT_EQ(TreeView_GetCount(tree.handle()), CommandTree::kNodesPerStep);
    EXPECT_EQ(tree.selectedTag(), 650) << "the entry to select is the selected one before its node comes";
    while (tree.moreToRender()) {
        tree.renderMore();
    }
    const std::vector<TreeNode> nodes = treeNodes(tree.handle());
    ASSERT_EQ(nodes.size(), 700u);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i].tag, static_cast<LPARAM>(i));
        EXPECT_EQ(nodes[i].depth, i % 100 == 0 ? 0 : 1);
        EXPECT_EQ(nodes[i].expanded, i % 100 == 0) << i;
    }
    EXPECT_EQ(tree.selectedTag(), 650);

    tree.render(content, CommandTree::Steps::InSteps);
    tree.render({{{u"[ONE] 一つ", kCommandImage, 1, -1}}, 0});
    EXPECT_FALSE(tree.moreToRender());
    EXPECT_EQ(shown(), (Texts{u"[ONE] 一つ"}));
}

TEST_F(Views, ANodeTheUserSelectsWhileStepsArePendingStaysSelected) {
    TreeViewContent content;
    for (int i = 0; i < 700; ++i) {
        content.nodes.push_back({u"[CMD] 説明", kCommandImage, i, -1});
    }
    content.selected = 650; // the entry kept from before the list changed
    CommandTree& tree = form_->TreeView1;
    tree.render(content, CommandTree::Steps::InSteps);
    TreeView_SelectItem(tree.handle(), TreeView_GetRoot(tree.handle())); // the user picks the first node
    ASSERT_EQ(tree.selectedTag(), 0);
    while (tree.moreToRender()) {
        tree.renderMore();
    }
    EXPECT_EQ(tree.selectedTag(), 0) << "a later step moved the selection the user made";
}

} // namespace
} // namespace merulan::testing
