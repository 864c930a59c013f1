// The users' guide quotes every text that the palette and merulan-tool show exactly as shown, each line of a box
// on one line of the guide, so that a user who searches the guide for what the screen says finds it. The texts
// are the u"..." and L"..." literals with Japanese in them; where a text is made of parts (a path, a number, a
// CAD's name between them), the parts of each literal must stand in their order on one line.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Where the shown texts live (cadsim, the tests and the benchmarks show users nothing).
constexpr const char* kShowingFolders[] = {"app",      "cadCtrl2023", "cmdlist",           "lispindex",
                                           "platform", "text",        "tools/merulan-tool"};

// Literals that are never shown: the search's kana tables, and the title by which IJCAD's command line is found.
struct Unshown {
    const char* file;
    const char* text; // nullptr: every literal of the file
};
constexpr Unshown kUnshown[] = {
    {"text/search_fold.cpp", nullptr},
    {"cadCtrl2023/cadCtrl2023.cpp", "コマンド ライン"},
};

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool isIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The UTF-16 and wide string literals of C++ source text, their escapes resolved; comments, character literals,
// digit separators and the other string literals are passed over.
std::vector<std::string> wideLiterals(const std::string& source) {
    std::vector<std::string> literals;
    std::size_t i = 0;
    while (i < source.size()) {
        if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i);
            continue; // npos ends the loop
        }
        if (source.compare(i, 2, "/*") == 0) {
            const std::size_t end = source.find("*/", i + 2);
            i = end == std::string::npos ? end : end + 2;
            continue;
        }
        const char quote = source[i];
        if (quote != '"' && quote != '\'') {
            ++i;
            continue;
        }
        std::size_t start = i;
        while (start > 0 && isIdentifierChar(source[start - 1])) {
            --start;
        }
        const std::string prefix = source.substr(start, i - start);
        ++i;
        if (quote == '\'' && !prefix.empty() && prefix[0] >= '0' && prefix[0] <= '9') {
            continue; // 1'000
        }
        std::string text;
        if (!prefix.empty() && prefix.back() == 'R') {
            const std::size_t open = source.find('(', i);
            const std::string close = ")" + source.substr(i, open - i) + "\"";
            const std::size_t end = source.find(close, open);
            text = source.substr(open + 1, end - open - 1);
            i = end + close.size();
        } else {
            for (; i < source.size() && source[i] != quote; ++i) {
                if (source[i] == '\\' && i + 1 < source.size()) {
                    const char escaped = source[++i];
                    text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
                } else {
                    text += source[i];
                }
            }
            ++i;
        }
        if (quote == '"' && (prefix == "u" || prefix == "L" || prefix == "uR" || prefix == "LR")) {
            literals.push_back(std::move(text));
        }
    }
    return literals;
}

// U+3000 and above (kana, kanji, full-width forms): their UTF-8 starts with E3 to EF.
bool holdsJapanese(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0xE3 && static_cast<unsigned char>(c) <= 0xEF) {
            return true;
        }
    }
    return false;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + separator.size());
    }
}

// The fixed parts of one line of a box: what stands between its placeholders, without the blanks around them.
std::vector<std::string> fixedParts(std::string_view boxLine) {
    std::vector<std::string> parts;
    for (std::string part : split(boxLine, "%s")) {
        part.erase(0, part.find_first_not_of(' '));
        part.erase(part.find_last_not_of(' ') + 1);
        if (!part.empty()) {
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

bool quotedOnOneLine(const std::vector<std::string>& guideLines, const std::vector<std::string>& parts) {
    for (const std::string& line : guideLines) {
        std::size_t at = 0;
        bool all = true;
        for (const std::string& part : parts) {
            at = line.find(part, at);
            if (at == std::string::npos) {
                all = false;
                break;
            }
            at += part.size();
        }
        if (all) {
            return true;
        }
    }
    return false;
}

bool isUnshown(const std::string& file, const std::string& text) {
    for (const Unshown& unshown : kUnshown) {
        if (file == unshown.file && (!unshown.text || text == unshown.text)) {
            return true;
        }
    }
    return false;
}

TEST(UsersGuide, QuotesEveryShownTextOnOneLine) {
    const fs::path root(MERULAN_SOURCE_DIR);
    const std::vector<std::string> guideLines = split(fileText(root / fs::path(u8"docs/ja/お読みください.txt")), "\n");
    std::size_t checked = 0;
    for (const char* folder : kShowingFolders) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            const fs::path& path = entry.path();
            if (path.extension() != ".cpp" && path.extension() != ".h") {
                continue;
            }
            const std::string file = path.lexically_relative(root).generic_string();
            for (const std::string& literal : wideLiterals(fileText(path))) {
                for (const std::string& boxLine : split(literal, "\n")) {
                    const std::vector<std::string> parts = fixedParts(boxLine);
                    std::string fixed;
                    for (const std::string& part : parts) {
                        fixed += part;
                    }
                    if (!holdsJapanese(fixed) || characterCount(fixed) < 2 || isUnshown(file, fixed)) {
                        continue;
                    }
                    ++checked;
                    EXPECT_TRUE(quotedOnOneLine(guideLines, parts)) << file << ": \"" << boxLine << "\"";
                }
            }
        }
    }
    // The palette and merulan-tool show about a hundred such texts: far fewer means the sources were not read.
    EXPECT_GT(checked, 80u);
}

} // namespace
