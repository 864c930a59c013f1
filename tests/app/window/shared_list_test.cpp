// The office's shared list in the palette: two palettes of two users read one list on a "server" (a folder of
// its own), show its entries first in their own colour, follow its saves, and fall back on their copies.
#include "support/form_harness.h"

#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace merulan::testing {
namespace {

using Texts = std::vector<std::u16string>;
using std::chrono::seconds;

std::string utf8List(std::u16string_view text) {
    return "\xEF\xBB\xBF" + toUtf8(text);
}

TEST(SharedList, TwoPalettesFollowOneListAndFallBackOnTheirCopies) {
    TempDir server;
    const std::u16string shared = server.u16(u"MerulanList.txt");
    writeFileBytes(shared, utf8List(u"社内\r\nWALL\t壁を作図\r\n"));
    FormHarness seats[2];
    std::unique_ptr<TMerulanForm> palettes[2];
    for (int i = 0; i < 2; ++i) {
        seats[i].writeList(u"自分\r\nLINE\t線分\r\n");
        WritePrivateProfileStringW(L"List", L"Shared", wide(shared), wide(seats[i].folder() + u"Merulan.ini"));
        palettes[i] = seats[i].open();
    }
    const auto showAll = [&](const Texts& texts) {
        return pumpUntil(
            [&] {
                for (const auto& palette : palettes) {
                    if (treeTexts(palette->TreeView1.handle()) != texts) {
                        return false;
                    }
                }
                return true;
            },
            seconds(30));
    };
    EXPECT_TRUE(showAll({u"社内", u"[WALL] 壁を作図", u"自分", u"[LINE] 線分"})) << "the shared groups first";
    const std::vector<TreeNode> nodes = treeNodes(palettes[0]->TreeView1.handle());
    EXPECT_EQ(nodes[0].image, kSharedHeadingImage);
    EXPECT_EQ(nodes[1].image, kSharedCommandImage);
    EXPECT_EQ(nodes[2].image, kHeadingImage);

    // The CAD manager saves the list on the server: both seats follow.
    writeFileBytes(shared, utf8List(u"社内\r\nWALL\t壁を作図\r\nDOOR\tドアを配置\r\n"));
    EXPECT_TRUE(showAll({u"社内", u"[WALL] 壁を作図", u"[DOOR] ドアを配置", u"自分", u"[LINE] 線分"}));

    // The server goes away: each seat shows its copy, saying so in the tree itself, and no box.
    DeleteFileW(wide(shared));
    EXPECT_TRUE(pumpUntil(
        [&] {
            const Texts texts = treeTexts(palettes[1]->TreeView1.handle());
            return texts.size() == 6 && texts[0].starts_with(u"共有リスト：サーバーから読めないため、") &&
                   texts[0].ends_with(u" に取得したコピーを表示しています") && texts[2] == u"[WALL] 壁を作図";
        },
        seconds(30)));
    for (const FormHarness& seat : seats) {
        EXPECT_TRUE(seat.errors.empty());
    }
    EXPECT_EQ(fileBytes(seats[0].folder() + u"MerulanList.txt"), utf8List(u"自分\r\nLINE\t線分\r\n"))
        << "the user's own list is never written";
}

} // namespace
} // namespace merulan::testing
