// What merulan-tool check reports: one finding a line, as text or as JSON.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace merulan::tool {

struct Place {
    std::u16string file;
    std::size_t line = 0; // 1-based; 0 for the file as a whole
};

enum class FindingKind {
    DuplicateCommand,   // a source command defined more than once
    UnreadableSource,   // a LISP source that cannot be read
    BeforeFirstHeading, // a list entry the grouped view leaves out
    NotLispOrProgram,   // a third field that makes no file entry
    MissingFile,        // a LISP file or program that is not there
    CommandTooLong,     // more than one delivery carries
    DuplicateEntry,     // the same command twice in a list
    SpaceForTab,        // a heading that looks like an entry typed with spaces
};

struct Finding {
    Place place;
    FindingKind kind;
    std::u16string message;
    std::vector<Place> others; // the other places of a duplicate
};

// The places of others as the message names them: "12 行目" in place's own file, "FILE:LINE" elsewhere,
// joined by "、".
std::u16string placesText(const Place& place, const std::vector<Place>& others);

// One finding at each place of a key that occurs at more than one, naming the others; in the order of
// occurrences. Empty keys name nothing and are passed over.
using Occurrences = std::vector<std::pair<std::u16string, Place>>;
using DuplicateMessage = std::function<std::u16string(const std::u16string& key, const std::u16string& othersText)>;
std::vector<Finding> duplicateFindings(const Occurrences& occurrences, FindingKind kind,
                                       const DuplicateMessage& messageOf);

// "FILE:LINE: message" ("FILE: message" for the file as a whole) and a line end, in UTF-8.
std::string findingText(const Finding& finding);

// {"file":...,"line":N|null,"kind":"...","message":...,"others":[{"file":...,"line":N}...]} and a line end.
std::string findingJson(const Finding& finding);

// Each finding's rows in the order of their places: by file in the order given, then by line; findings
// at one place keep their order.
void orderFindings(std::vector<Finding>& findings, const std::vector<std::u16string>& fileOrder);

} // namespace merulan::tool
