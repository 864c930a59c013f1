#include "tools/merulan-tool/tool_paths.h"

#include "text/utf8.h"

#include <filesystem>

#ifdef _WIN32
#include "platform/locale_compare.h"
#include "platform/win/wide.h"
#include "text/u16text.h"
#endif

namespace merulan::tool {

#ifdef _WIN32
TextCompare recordOrder() {
    return compareUserLocaleIgnoreCase;
}

TextCompare fileNameOrder() {
    return compareFileNamesLogically;
}

std::u16string ownFolder() {
    const std::u16string path = executablePath();
    return std::u16string(folderOf(path));
}
#else
TextCompare recordOrder() {
    return compareTextStandIn;
}

TextCompare fileNameOrder() {
    return compareFileNamesStandIn;
}

std::u16string ownFolder() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::u16string() : path.parent_path().u16string() + u"/";
}
#endif

std::u16string fullPath(const std::string& argument) {
    const std::filesystem::path given(fromUtf8(argument));
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(given, error);
    return (error ? given : full.lexically_normal()).u16string();
}

std::u16string folderWithSeparator(const std::string& argument) {
    std::u16string folder = fullPath(argument);
    if (folder.empty() || kSeparators.find(folder.back()) == std::u16string_view::npos) {
        folder += static_cast<char16_t>(std::filesystem::path::preferred_separator);
    }
    return folder;
}

} // namespace merulan::tool
