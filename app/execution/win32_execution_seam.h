// The command execution's seam filled with the real system, for the palette window.
#pragma once

#include "app/execution/command_execution.h"

#include <cstdint>
#include <optional>
#include <windows.h>

namespace merulan {

// Caption and program starts belong to `window`; the CAD link delivers; Sleep pauses. The window supplies
// the caption of its menu item CAD1 and its own information box.
ExecutionSeam win32ExecutionSeam(HWND window, std::function<std::u16string()> targetCadCaption,
                                 std::function<void(const std::u16string& text)> showInformation);

// The integer tag (lParam) of the node selected in a tree view, if any.
std::optional<std::int32_t> selectedNodeTag(HWND treeView);

} // namespace merulan
