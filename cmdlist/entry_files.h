// What a list entry's third field makes a run do, and the file it names. The palette runs entries by
// these rules and merulan-tool check judges a list by the same ones.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace merulan {

enum class EntryFile {
    None,    // the command is sent as written
    Lisp,    // ".LSP" (any letter case): the file is loaded instead
    Program, // ".EXE": the program is started and nothing is sent
};

EntryFile entryFileOf(std::u16string_view exe);

// The file an entry's `exe` names: a full path (isFullPath) naming an existing file as written; otherwise a path
// holding "MERULAN\" (any case) means the file of that name in executableFolder (the shared list's folder for
// its entries; it ends with its separator); anything else as written.
std::u16string resolveEntryPath(const std::u16string& exe, std::u16string_view executableFolder,
                                const std::function<bool(const std::u16string& path)>& fileExists);

// What a LISP entry sends: (load "PATH")(princ), each backslash of PATH doubled.
std::u16string lispLoadExpression(std::u16string_view path);

} // namespace merulan
