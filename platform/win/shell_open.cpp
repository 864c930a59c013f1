#include "platform/win/shell_open.h"

#include "platform/win/wide.h"

#include <shellapi.h>

namespace merulan {

void shellOpen(HWND owner, const std::u16string& file, const std::u16string& parameters, int showCommand) {
    ShellExecuteW(owner, L"open", wide(file), parameters.empty() ? nullptr : wide(parameters), nullptr, showCommand);
}

} // namespace merulan
