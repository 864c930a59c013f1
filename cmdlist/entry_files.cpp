#include "cmdlist/entry_files.h"

#include "text/u16text.h"

#include <algorithm>

namespace merulan {

EntryFile entryFileOf(std::u16string_view exe) {
    const std::u16string extension(extensionOf(upperAscii(exe)));
    if (extension == u".LSP") {
        return EntryFile::Lisp;
    }
    return extension == u".EXE" ? EntryFile::Program : EntryFile::None;
}

std::u16string resolveEntryPath(const std::u16string& exe, std::u16string_view executableFolder,
                                const std::function<bool(const std::u16string& path)>& fileExists) {
    // A full path to an existing file is taken as written, even inside a folder called Merulan: the list entry
    // names exactly that file. Only the relative "Merulan\name" form and stale paths move to our own folder.
    if (isFullPath(exe) && fileExists(exe)) {
        return exe;
    }
    if (contains(upperAscii(exe), u"MERULAN\\")) {
        return std::u16string(executableFolder) + std::u16string(fileNameOf(exe));
    }
    return exe;
}

std::u16string lispLoadExpression(std::u16string_view path) {
    // The path goes inside a LISP string, where a backslash starts an escape.
    std::u16string text = u"(load \"";
    text.reserve(text.size() + path.size() + static_cast<size_t>(std::count(path.begin(), path.end(), u'\\')) + 10);
    for (const char16_t c : path) {
        text += c;
        if (c == u'\\') {
            text += c;
        }
    }
    return text + u"\")(princ)";
}

} // namespace merulan
