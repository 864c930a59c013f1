// The program run: theme, window, message loop, end.
#pragma once

#include "app/look/dark_mode.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace merulan {

// The look of that name; when none is compiled in, reportMissing gets "スタイル '%s' が見つかりません"
// and the standard look is used.
std::shared_ptr<const Theme> applyStyle(std::u16string_view name,
                                        const std::function<void(const std::u16string&)>& reportMissing);

// Everything wWinMain does; returns the exit code.
int runMerulan(int showCommand);

} // namespace merulan
