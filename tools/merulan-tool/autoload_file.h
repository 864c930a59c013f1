// The AutoLISP file that makes a library's commands work when typed: one (autoload ...) per source.
#pragma once

#include "lispindex/source_import.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/line_list.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan::tool {

// text as an AutoLISP string literal: in quotes, with "\" and quote escaped and control characters
// as octal escapes, so that the reader gives text back.
std::u16string lispString(std::u16string_view text);

// How the loader names a source: every folder separator a "/", and, with a base folder (full, any
// separator at its end), the part after it, which the CAD looks for on its support path. Nothing when
// the source does not lie inside base. With ignoreCase, base matches in any ASCII letter case.
struct LoaderPaths {
    std::u16string_view folderSeparators; // the system's: "\\/" on Windows, "/" elsewhere
    std::optional<std::u16string> base;
    bool ignoreCase = false;
};
std::optional<std::u16string> loaderPathOf(std::u16string_view sourcePath, const LoaderPaths& paths);

// The names a source's commands are typed by, in the index's order, each once; nameless ones left out.
std::vector<std::u16string> commandNamesOf(const IndexedSource& source);

// Why a loader cannot be written as asked: a source outside the base folder, or a path or name that
// holds a character the chosen code page lacks (written, it would turn into "?").
class LoaderProblem : public MerulanError {
public:
    using MerulanError::MerulanError;
};

// The loader's lines: a comment naming this tool and the sources and folders it was made from (as
// given, in quotes), one (autoload "PATH" '("A" "B")) per source that defines commands, in the order of
// sources, and (princ). With ansi, everything it holds must be writable in that code page.
LineList loaderOf(const std::vector<IndexedSource>& sources, const std::vector<std::u16string>& madeFrom,
                  const LoaderPaths& paths, const AnsiCodePage* ansi);

// The file's bytes: every line ended by CR LF, in ansi, or in UTF-8 without ansi.
std::string loaderBytes(const LineList& lines, const AnsiCodePage* ansi);

} // namespace merulan::tool
