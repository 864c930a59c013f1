// What a user does first with the release: Merulan.exe started from the folder the zip unpacked into
// shows the sample list that came with it.
#include "support/remote_window.h"

#include "app/MerulanUnit.h"
#include "cmdlist/list_file.h"
#include "platform/system_codepage.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

TEST(ReleaseZip, UnpackedPaletteShowsItsBundledSampleList) {
    const std::u16string folder = windowsPathOf(u"" MERULAN_UNPACKED_FOLDER) + u"\\";
    // What the palette must show: the bundled list, grouped, as the list rules read it.
    TLspRecords records;
    ASSERT_TRUE(loadMerulanList(records, folder + u"MerulanList.txt", *systemAnsiCodePage()));
    const TreeViewContent grouped = groupedViewContent(records);
    ASSERT_FALSE(grouped.nodes.empty());
    std::vector<std::u16string> expected;
    for (const TreeNodeContent& node : grouped.nodes) {
        expected.push_back(node.text);
    }

    const StartedProcess process = startProcess(folder + u"Merulan.exe");
    ASSERT_TRUE(process.handle);
    const HWND window = waitForWindow(process.id, kFormClassName);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(remoteTreeTexts(findChild(window, u"SysTreeView32")), expected);
    EXPECT_EQ(closeAndWait(process), 0u);
}

} // namespace
} // namespace merulan::testing
