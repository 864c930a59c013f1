#include "tools/merulan-tool/check_paths.h"

#include "tools/merulan-tool/list_findings.h"
#include "tools/merulan-tool/list_input.h"
#include "tools/merulan-tool/source_findings.h"
#include "tools/merulan-tool/tool_paths.h"

#include "lispindex/source_import.h"
#include "platform/folder_list.h"
#include "platform/text_file.h"
#include "text/utf8.h"

namespace merulan::tool {

CheckResult checkPaths(const std::vector<std::string>& paths, const AnsiCodePage& ansi) {
    std::vector<std::u16string> sourceNames;
    std::vector<std::string> lists;
    for (const std::string& path : paths) {
        const std::u16string name = fromUtf8(path);
        if (isFolder(name) || isLispSourceName(name)) {
            sourceNames.push_back(name);
        } else {
            lists.push_back(path);
        }
    }
    std::vector<std::u16string> fileOrder = distinctSources(lispSourcesOf(sourceNames, fileNameOrder()));
    CheckResult result;
    result.findings = sourceFindings(indexLispSources(fileOrder, ansi, recordOrder(), SourceFailure::Kept));
    for (const std::string& list : lists) {
        const std::u16string file = fromUtf8(list);
        const std::u16string text = listFileText(file, ansi);
        const std::u16string full = fullPath(list);
        const ListSetting setting{full.substr(0, full.find_last_of(kSeparators) + 1), fileExists};
        std::vector<Finding> found = listFindings(file, text, setting);
        result.findings.insert(result.findings.end(), std::make_move_iterator(found.begin()),
                               std::make_move_iterator(found.end()));
        fileOrder.push_back(file);
    }
    orderFindings(result.findings, fileOrder);
    result.filesChecked = fileOrder.size();
    return result;
}

} // namespace merulan::tool
