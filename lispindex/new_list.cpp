#include "lispindex/new_list.h"

namespace merulan {

namespace {

std::size_t nameStart(std::u16string_view path, std::u16string_view separators) {
    const std::size_t separator = path.find_last_of(separators);
    return separator == std::u16string_view::npos ? 0 : separator + 1;
}

// The list reader takes a leading quote as the start of a quoted field, a TAB as the end of a field,
// a leading "/" or ";" of a line as a comment mark, and a line with nothing on it as no line at all.
bool readsBackAsWritten(std::u16string_view field, bool firstOfLine, bool onlyOfLine) {
    if (field.find(u'\t') != std::u16string_view::npos) {
        return false;
    }
    if (field.empty()) {
        return !onlyOfLine;
    }
    if (field.front() == u'"') {
        return false;
    }
    return !(firstOfLine && (field.front() == u'/' || field.front() == u';'));
}

std::u16string quoted(std::u16string_view field) {
    std::u16string text = u"\"";
    for (const char16_t c : field) {
        text += c;
        if (c == u'"') {
            text += c;
        }
    }
    text += u'"';
    return text;
}

} // namespace

std::vector<ListLineFields> newListFields(const LineList& indexLines, std::u16string_view sourcePath,
                                          std::u16string_view exeFolder, std::u16string_view separators) {
    std::vector<ListLineFields> lines;
    if (indexLines.empty()) {
        return lines;
    }
    const std::size_t start = nameStart(sourcePath, separators);
    const std::u16string_view folder = sourcePath.substr(0, start);
    const std::u16string_view fileName = sourcePath.substr(start);
    const std::size_t dot = fileName.rfind(u'.');
    lines.reserve(indexLines.size() + 2);

    lines.push_back({std::u16string(fileName.substr(0, dot))});
    for (const std::u16string& line : indexLines) {
        // The command part never holds a TAB: the first one ends it, and the description may hold more.
        const std::size_t tab = line.find(u'\t');
        if (tab == std::u16string::npos) {
            lines.push_back({line});
        } else {
            lines.push_back({line.substr(0, tab), line.substr(tab + 1)});
        }
    }
    const std::u16string loadPath =
        folder == exeFolder ? u"Merulan\\" + std::u16string(fileName) : std::u16string(sourcePath);
    lines.push_back({u"LOAD", u"ロード " + std::u16string(fileName), loadPath});
    return lines;
}

std::u16string listLineOf(const ListLineFields& fields) {
    std::u16string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += u'\t';
        }
        if (readsBackAsWritten(fields[i], i == 0, fields.size() == 1)) {
            line += fields[i];
        } else {
            line += quoted(fields[i]);
        }
    }
    return line;
}

LineList makeNewList(const LineList& indexLines, std::u16string_view sourcePath, std::u16string_view exeFolder,
                     std::u16string_view separators) {
    LineList lines;
    for (const ListLineFields& fields : newListFields(indexLines, sourcePath, exeFolder, separators)) {
        lines.push_back(listLineOf(fields));
    }
    return lines;
}

} // namespace merulan
