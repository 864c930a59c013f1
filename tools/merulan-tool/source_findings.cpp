#include "tools/merulan-tool/source_findings.h"

#include "lispindex/index_builder.h"
#include "text/u16text.h"

#include <algorithm>
#include <numeric>

namespace merulan::tool {

namespace {

// A reason may span lines (the system's text for an error); a finding is one line.
std::u16string oneLine(std::u16string_view text) {
    std::u16string line(trimBlanks(text));
    std::replace_if(
        line.begin(), line.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    return line;
}

} // namespace

std::vector<Finding> sourceFindings(const std::vector<IndexedSource>& sources) {
    std::vector<Finding> findings;
    Occurrences definitions;
    for (const IndexedSource& source : sources) {
        if (!source.failure.empty()) {
            findings.push_back(
                {{source.path, 0}, FindingKind::UnreadableSource, u"読めません：" + oneLine(source.failure), {}});
        }
        // The index orders commands by name; the places are named in the order of the source's lines.
        std::vector<std::size_t> byLine(source.indexLines.size());
        std::iota(byLine.begin(), byLine.end(), std::size_t{0});
        std::stable_sort(byLine.begin(), byLine.end(), [&](std::size_t a, std::size_t b) {
            return source.definitionLines[a] < source.definitionLines[b];
        });
        for (const std::size_t i : byLine) {
            definitions.emplace_back(std::u16string(commandNameOf(source.indexLines[i])),
                                     Place{source.path, source.definitionLines[i] + 1});
        }
    }
    std::vector<Finding> duplicates =
        duplicateFindings(definitions, FindingKind::DuplicateCommand, [](const auto& name, const auto& others) {
            return u"コマンド「" + name + u"」は次でも定義されています：" + others;
        });
    findings.insert(findings.end(), std::make_move_iterator(duplicates.begin()),
                    std::make_move_iterator(duplicates.end()));
    return findings;
}

} // namespace merulan::tool
