#include "tools/merulan-tool/list_findings.h"

#include "cadCtrl2023/cad_send_result.h"
#include "cmdlist/entry_files.h"
#include "cmdlist/list_file.h"
#include "text/line_list.h"
#include "text/u16text.h"

#include <algorithm>

namespace merulan::tool {

namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';

std::u16string count(std::size_t n) {
    return decimalText(static_cast<long long>(n));
}

bool isRooted(std::u16string_view path) {
    return isFullPath(path) || beginsWith(path, u"\\") || beginsWith(path, u"/");
}

bool namesAFolder(std::u16string_view path) {
    return path.find_first_of(u"\\/:") != std::u16string_view::npos;
}

bool isSpace(char16_t c) {
    return c == u' ' || c == kIdeographicSpace;
}

// A line the palette shows as a heading although it reads like "COMMAND description": no TAB, and a
// space (or the full-width one the IME types) between two words. A heading written in quotes is meant.
bool looksLikeSpacedEntry(std::u16string_view line) {
    if (line.find(u'\t') != std::u16string_view::npos || line.front() == u'"') {
        return false;
    }
    std::u16string_view words = trimBlanks(line);
    while (!words.empty() && isSpace(words.front())) {
        words.remove_prefix(1);
    }
    while (!words.empty() && isSpace(words.back())) {
        words.remove_suffix(1);
    }
    return std::any_of(words.begin(), words.end(), isSpace);
}

class ListJudge {
public:
    ListJudge(const std::u16string& file, const ListSetting& setting) : file_(file), setting_(setting) {}

    void judge(std::size_t row, std::u16string_view line) {
        if (isCommentLine(line)) {
            return;
        }
        const auto record = recordFromLine(static_cast<std::int32_t>(row), line);
        if (!record) {
            return;
        }
        const Place place{file_, row + 1};
        if (kindOf(*record) == RecordKind::GroupHeading) {
            headingSeen_ = true;
            if (looksLikeSpacedEntry(line)) {
                add(place, FindingKind::SpaceForTab,
                    u"タブのない行「" + std::u16string(line) +
                        u"」は見出しになります（区切りがタブでなく空白になっていませんか）");
            }
            return;
        }
        if (!headingSeen_) {
            add(place, FindingKind::BeforeFirstHeading,
                u"コマンド「" + record->cmd + u"」は最初の見出しより前にあるため、取得順の表示に出ません");
        }
        switch (entryFileOf(record->exe)) {
        case EntryFile::Lisp: {
            const std::u16string path = resolveEntryPath(record->exe, setting_.folder, setting_.fileExists);
            if (const std::u16string file = lookedUp(path); !setting_.fileExists(file)) {
                add(place, FindingKind::MissingFile, u"ロードする LISP ファイル " + file + u" が見つかりません");
            }
            checkLength(place, lispLoadExpression(path), u"ロードする式");
            break;
        }
        case EntryFile::Program: {
            // A program named without a folder is looked for by Windows (the system folders, the path).
            const std::u16string path = resolveEntryPath(record->exe, setting_.folder, setting_.fileExists);
            if (const std::u16string file = lookedUp(path); namesAFolder(path) && !setting_.fileExists(file)) {
                add(place, FindingKind::MissingFile, u"起動するプログラム " + file + u" が見つかりません");
            }
            break;
        }
        case EntryFile::None:
            if (!record->exe.empty()) {
                add(place, FindingKind::NotLispOrProgram,
                    u"3 列目の「" + record->exe + u"」が .LSP でも .EXE でもないため、コマンド「" + record->cmd +
                        u"」がそのまま送られます");
            }
            checkLength(place, record->cmd, u"コマンド");
            sentCommands_.emplace_back(upperAscii(trimBlanks(record->cmd)), place);
            break;
        }
    }

    std::vector<Finding> findings() {
        std::vector<Finding> duplicates =
            duplicateFindings(sentCommands_, FindingKind::DuplicateEntry, [](const auto& command, const auto& others) {
                return u"コマンド「" + command + u"」は次にもあります：" + others;
            });
        findings_.insert(findings_.end(), std::make_move_iterator(duplicates.begin()),
                         std::make_move_iterator(duplicates.end()));
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.place.line < b.place.line; });
        return std::move(findings_);
    }

private:
    // Started from its own folder, the palette finds a path that is not rooted there, which is the list's.
    std::u16string lookedUp(const std::u16string& path) const { return isRooted(path) ? path : setting_.folder + path; }

    // What a double-click delivers is the text and a carriage return, in one copy-data message.
    void checkLength(const Place& place, std::u16string_view sent, std::u16string_view what) {
        const std::size_t units = sent.size() + 1;
        if (!sent.empty() && units > kCopyDataMaxChars) {
            add(place, FindingKind::CommandTooLong,
                std::u16string(what) + u"が長すぎるため送れません（改行を含めて " + count(units) +
                    u" 文字、一度に送れるのは " + count(kCopyDataMaxChars) + u" 文字まで）");
        }
    }

    void add(const Place& place, FindingKind kind, std::u16string message) {
        findings_.push_back({place, kind, std::move(message), {}});
    }

    const std::u16string& file_;
    const ListSetting& setting_;
    bool headingSeen_ = false;
    Occurrences sentCommands_;
    std::vector<Finding> findings_;
};

} // namespace

std::vector<Finding> listFindings(const std::u16string& file, std::u16string_view text, const ListSetting& setting) {
    ListJudge judge(file, setting);
    std::size_t row = 0;
    forEachLine(text, [&](std::u16string_view line) { judge.judge(row++, line); });
    return judge.findings();
}

} // namespace merulan::tool
