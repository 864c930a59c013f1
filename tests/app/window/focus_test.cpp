// Activation gives the focus back to the control that had it, first the tree.
#include "support/form_harness.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

TEST(StartUp, ShownWindowGivesTheTreeTheFocus) {
    FormHarness harness;
    harness.writeList(u"作図\r\nLINE\t線分を作図\r\n");
    const auto form = harness.open();
    form->show(SW_SHOWNORMAL);
    SetForegroundWindow(form->handle());
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == form->TreeView1.handle(); })) << "focus on " << GetFocus();
}

} // namespace
} // namespace merulan::testing
