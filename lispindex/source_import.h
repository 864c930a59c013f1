// The one way from AutoLISP sources to a command list: the palette's drop and merulan-tool both take
// their sources, read them and build the list's blocks here, so that both write the same list and fail
// the same way.
#pragma once

#include "lispindex/text_compare.h"
#include "text/codepage.h"
#include "text/line_list.h"
#include "text/u16text.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

// A name whose extension, with a to z upper-cased, is ".LSP".
bool isLispSourceName(std::u16string_view path);

// The sources that dropped names stand for, in their order: the names of AutoLISP sources (by
// isLispSourceName) in the order given; then, for each folder among the names in the order given, the
// sources directly inside it, ordered by orderNames (as Explorer shows them). Other names are passed
// over. Throws MerulanError when a folder cannot be listed.
std::vector<std::u16string> lispSourcesOf(const std::vector<std::u16string>& names, TextCompare orderNames);

struct IndexedSource {
    std::u16string path;
    LineList indexLines;                      // empty for a source that defines no command
    std::vector<std::size_t> definitionLines; // the 0-based source line of each index line's "(DEFUN"
    std::u16string failure;                   // why it could not be read or indexed (SourceFailure::Kept)
};

enum class SourceFailure {
    StopsAll, // a list is built from all sources or from none
    Kept,     // a check reports every source it could not read and goes on
};

// Reads (byte-order mark, else strict UTF-8, else ansi) and indexes every source in order. By default
// the first source that cannot be read or indexed stops everything: a MerulanError whose message names
// it. With SourceFailure::Kept that source gets its failure's message instead, and no lines.
std::vector<IndexedSource> indexLispSources(const std::vector<std::u16string>& sourcePaths, const AnsiCodePage& ansi,
                                            TextCompare compare, SourceFailure onFailure = SourceFailure::StopsAll);

struct NewList {
    LineList lines;
    std::size_t entries = 0; // commands, plus one load entry per block
    std::size_t blocks = 0;  // sources that define commands
};

// One block per source that defines commands (heading, its commands, its load entry; see makeNewList),
// in the order of sources.
NewList newListOf(const std::vector<IndexedSource>& sources, std::u16string_view exeFolder,
                  std::u16string_view separators = kWindowsPathSeparators);

} // namespace merulan
