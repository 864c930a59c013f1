#include "tools/merulan-tool/finding.h"

#include "tools/merulan-tool/json_text.h"

#include "text/u16text.h"
#include "text/utf8.h"

#include <algorithm>
#include <unordered_map>

namespace merulan::tool {

namespace {

std::string_view kindName(FindingKind kind) {
    switch (kind) {
    case FindingKind::DuplicateCommand:
        return "duplicate-command";
    case FindingKind::UnreadableSource:
        return "unreadable-source";
    case FindingKind::BeforeFirstHeading:
        return "before-first-heading";
    case FindingKind::NotLispOrProgram:
        return "not-lsp-or-exe";
    case FindingKind::MissingFile:
        return "missing-file";
    case FindingKind::CommandTooLong:
        return "command-too-long";
    case FindingKind::DuplicateEntry:
        return "duplicate-entry";
    case FindingKind::SpaceForTab:
        break;
    }
    return "space-for-tab";
}

// "file":...,"line":N (or null)
void appendPlaceFields(std::string& out, const Place& place) {
    out += "\"file\":";
    appendJsonString(out, place.file);
    out += ",\"line\":";
    out += place.line == 0 ? std::string("null") : std::to_string(place.line);
}

} // namespace

std::u16string placesText(const Place& place, const std::vector<Place>& others) {
    std::u16string text;
    for (const Place& other : others) {
        if (!text.empty()) {
            text += u"、";
        }
        const std::u16string line = decimalText(static_cast<long long>(other.line));
        text += other.file == place.file ? line + u" 行目" : other.file + u":" + line;
    }
    return text;
}

std::vector<Finding> duplicateFindings(const Occurrences& occurrences, FindingKind kind,
                                       const DuplicateMessage& messageOf) {
    std::unordered_map<std::u16string, std::vector<std::size_t>> placesOf;
    for (std::size_t i = 0; i < occurrences.size(); ++i) {
        if (!occurrences[i].first.empty()) {
            placesOf[occurrences[i].first].push_back(i);
        }
    }
    std::vector<Finding> findings;
    for (std::size_t i = 0; i < occurrences.size(); ++i) {
        const auto found = placesOf.find(occurrences[i].first);
        if (found == placesOf.end() || found->second.size() < 2) {
            continue;
        }
        Finding finding{occurrences[i].second, kind, {}, {}};
        for (const std::size_t other : found->second) {
            if (other != i) {
                finding.others.push_back(occurrences[other].second);
            }
        }
        finding.message = messageOf(occurrences[i].first, placesText(finding.place, finding.others));
        findings.push_back(std::move(finding));
    }
    return findings;
}

std::string findingText(const Finding& finding) {
    std::string out = toUtf8(finding.place.file);
    if (finding.place.line != 0) {
        out += ':' + std::to_string(finding.place.line);
    }
    out += ": ";
    out += toUtf8(finding.message);
    out += '\n';
    return out;
}

std::string findingJson(const Finding& finding) {
    std::string out = "{";
    appendPlaceFields(out, finding.place);
    out += ",\"kind\":\"";
    out += kindName(finding.kind);
    out += "\",\"message\":";
    appendJsonString(out, finding.message);
    out += ",\"others\":[";
    for (std::size_t i = 0; i < finding.others.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += '{';
        appendPlaceFields(out, finding.others[i]);
        out += '}';
    }
    out += "]}\n";
    return out;
}

void orderFindings(std::vector<Finding>& findings, const std::vector<std::u16string>& fileOrder) {
    std::unordered_map<std::u16string, std::size_t> position;
    for (std::size_t i = 0; i < fileOrder.size(); ++i) {
        position.emplace(fileOrder[i], i);
    }
    const auto key = [&](const Finding& finding) {
        const auto found = position.find(finding.place.file);
        return std::pair(found == position.end() ? fileOrder.size() : found->second, finding.place.line);
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
}

} // namespace merulan::tool
