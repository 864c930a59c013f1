#include "lispindex/source_import.h"

#include "lispindex/new_list.h"
#include "lispindex/source_file.h"
#include "platform/folder_list.h"
#include "text/error.h"

#include <algorithm>

namespace merulan {

bool isLispSourceName(std::u16string_view path) {
    return upperAscii(extensionOf(path)) == u".LSP";
}

std::vector<std::u16string> lispSourcesOf(const std::vector<std::u16string>& names, TextCompare orderNames) {
    std::vector<std::u16string> sources;
    std::vector<std::u16string> folders;
    for (const std::u16string& name : names) {
        if (isFolder(name)) {
            folders.push_back(name);
        } else if (isLispSourceName(name)) {
            sources.push_back(name);
        }
    }
    for (const std::u16string& folder : folders) {
        std::vector<std::u16string> inside = fileNamesIn(folder);
        std::erase_if(inside, [](const std::u16string& name) { return !isLispSourceName(name); });
        std::stable_sort(inside.begin(), inside.end(), [orderNames](const std::u16string& x, const std::u16string& y) {
            return orderNames(x, y) < 0;
        });
        const std::u16string prefix = folder.ends_with(kPathSeparator) ? folder : folder + kPathSeparator;
        for (const std::u16string& name : inside) {
            sources.push_back(prefix + name);
        }
    }
    return sources;
}

std::vector<IndexedSource> indexLispSources(const std::vector<std::u16string>& sourcePaths, const AnsiCodePage& ansi,
                                            TextCompare compare, SourceFailure onFailure) {
    std::vector<IndexedSource> indexed;
    indexed.reserve(sourcePaths.size());
    for (const std::u16string& path : sourcePaths) {
        IndexedSource& source = indexed.emplace_back();
        source.path = path;
        try {
            std::vector<IndexedCommand> commands = indexLispSourceFile(path, ansi, compare);
            source.indexLines.reserve(commands.size());
            source.definitionLines.reserve(commands.size());
            for (IndexedCommand& command : commands) {
                source.indexLines.push_back(std::move(command.line));
                source.definitionLines.push_back(command.definitionLine);
            }
        } catch (const MerulanError& error) {
            if (onFailure == SourceFailure::Kept) {
                source.failure = error.message();
                continue;
            }
            // Not every reason holds the path (a decoding error does not): the user must learn which it was.
            throw MerulanError(messageNamingSource(path, error.message()));
        }
    }
    return indexed;
}

NewList newListOf(const std::vector<IndexedSource>& sources, std::u16string_view exeFolder,
                  std::u16string_view separators) {
    NewList list;
    for (const IndexedSource& source : sources) {
        if (source.indexLines.empty()) {
            continue;
        }
        const LineList block = makeNewList(source.indexLines, source.path, exeFolder, separators);
        list.entries += block.size() - 1; // the heading does not count; the load entry does
        ++list.blocks;
        list.lines.insert(list.lines.end(), block.begin(), block.end());
    }
    return list;
}

} // namespace merulan
