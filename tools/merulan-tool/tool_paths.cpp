#include "tools/merulan-tool/tool_paths.h"

#include "text/utf8.h"

#include <filesystem>
#include <unordered_set>

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

std::vector<std::u16string> distinctSources(const std::vector<std::u16string>& sources) {
    std::vector<std::u16string> distinct;
    std::unordered_set<std::u16string> seen;
    for (const std::u16string& source : sources) {
        if (seen.insert(fullPath(toUtf8(source))).second) {
            distinct.push_back(source);
        }
    }
    return distinct;
}

std::u16string folderWithSeparator(const std::string& argument) {
    std::u16string folder = fullPath(argument);
    if (folder.empty() || kSeparators.find(folder.back()) == std::u16string_view::npos) {
        folder += static_cast<char16_t>(std::filesystem::path::preferred_separator);
    }
    return folder;
}

} // namespace merulan::tool
