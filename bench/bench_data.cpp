#include "bench/bench_data.h"

#include "text/u16text.h"

#include <random>

namespace merulan::bench {

namespace {

const std::u16string kHeadings[] = {u"作図", u"修正", u"寸法・注記", u"画層", u"ユーティリティ", u"外部ツール"};
const std::u16string kWords[] = {u"線分", u"円",   u"ポリライン", u"寸法", u"文字",       u"画層",   u"複写", u"移動",
                                 u"回転", u"尺度", u"トリム",     u"延長", u"フィレット", u"面取り", u"印刷"};

std::u16string commandName(std::mt19937& random, size_t serial) {
    static constexpr char16_t kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::u16string name;
    const size_t length = 3 + random() % 6;
    for (size_t i = 0; i < length; ++i) {
        name += kLetters[random() % 26];
    }
    return name + decimalText(static_cast<long long>(serial)); // unique
}

std::u16string description(std::mt19937& random) {
    std::u16string text = kWords[random() % std::size(kWords)];
    text += u"を";
    text += kWords[random() % std::size(kWords)];
    text += u"して作図（オプション付き）";
    return text;
}

} // namespace

LineList generatedListLines(size_t lineCount) {
    std::mt19937 random(1);
    LineList lines;
    lines.reserve(lineCount);
    for (size_t j = 0; j < lineCount; ++j) {
        const unsigned pick = random() % 100;
        const std::u16string cmd = commandName(random, j);
        if (pick < 8) {
            lines.push_back(kHeadings[random() % std::size(kHeadings)]);
        } else if (pick < 11) {
            lines.push_back(u"; " + description(random));
        } else if (pick < 14) {
            lines.emplace_back();
        } else if (pick < 22) {
            lines.push_back(cmd + u"\t" + description(random) + u"\tMerulan\\lisp\\" + cmd + u".lsp");
        } else if (pick < 27) {
            lines.push_back(cmd + u"\t" + description(random) + u"\tC:\\Tools\\" + cmd + u".exe\t/open \"図面.dwg\"");
        } else if (pick < 35) {
            lines.push_back(u"\"" + cmd + u"\tQ\"\t\"" + description(random) + u" \"\"引用\"\"\"");
        } else {
            lines.push_back(cmd + u"\t" + description(random));
        }
    }
    return lines;
}

TLspRecords generatedTable(size_t recordCount, double duplicateShare) {
    std::mt19937 random(2);
    std::bernoulli_distribution duplicate(duplicateShare);
    TLspRecords table;
    table.reserve(recordCount);
    for (size_t i = 0; i < recordCount; ++i) {
        TLspRecord record;
        record.row = static_cast<std::int32_t>(i * 2); // comments and empty lines in between
        if (i % 20 == 0) {
            record.cmd = kHeadings[random() % std::size(kHeadings)] + decimalText(static_cast<long long>(i));
        } else {
            record.cmd =
                !table.empty() && duplicate(random) ? table[random() % table.size()].cmd : commandName(random, i);
            record.cmt = description(random);
            if (i % 7 == 0) {
                record.exe = u"Merulan\\" + record.cmd + u".lsp";
            }
        }
        table.push_back(std::move(record));
    }
    return table;
}

} // namespace merulan::bench
