#include "cmdlist/record_order.h"
#include "support/literal_exchange_sort.h"
#include "support/print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace merulan {
namespace {

using testing::literalExchangeSort;

TLspRecords byCmdValues(std::initializer_list<std::u16string> cmds, int firstRow = 0) {
    TLspRecords table;
    int row = firstRow;
    for (const auto& cmd : cmds) {
        table.push_back({row++, cmd, u"c"});
    }
    return table;
}

std::vector<int> rowsOf(const TLspRecords& table) {
    std::vector<int> rows;
    for (const auto& r : table) {
        rows.push_back(r.row);
    }
    return rows;
}

TEST(SortLspRecords, EqualCommandsEndAsTheExchangeSortLeavesThem) {
    TLspRecords table = byCmdValues({u"B", u"B", u"A"}, 1);
    sortLspRecords(table, true);
    EXPECT_EQ(rowsOf(table), (std::vector<int>{3, 2, 1})); // A(3), B(2), B(1): not file order
}

TEST(SortLspRecords, CodeUnitOrder) {
    // Capitals before small letters, digits before letters, a prefix before what it begins, no locale.
    TLspRecords table = byCmdValues({u"b", u"ab", u"a", u"B", u"1", u"", u"\uFF21", u"\U0001F600", u"A"});
    sortLspRecords(table, true);
    std::vector<std::u16string> cmds;
    for (const auto& r : table) {
        cmds.push_back(r.cmd);
    }
    EXPECT_EQ(cmds, (std::vector<std::u16string>{u"", u"1", u"A", u"B", u"a", u"ab", u"b", u"\U0001F600", u"\uFF21"}));
}

TEST(SortLspRecords, ByRowGivesFileOrderAndMovesWholeRecords) {
    TLspRecords table{{4, u"D", u"d", u"x.lsp", u""}, {-1, u"Z"}, {2, u"B", u"b", u"y.exe", u"-p"}};
    sortLspRecords(table, false);
    EXPECT_EQ(table, (TLspRecords{{-1, u"Z"}, {2, u"B", u"b", u"y.exe", u"-p"}, {4, u"D", u"d", u"x.lsp", u""}}));
}

TEST(SortLspRecords, TablesInOrderStayUntouched) {
    for (auto table : {TLspRecords{}, byCmdValues({u"x"}), byCmdValues({u"A", u"A", u"B", u"B", u"C"})}) {
        const TLspRecords before = table;
        sortLspRecords(table, true);
        EXPECT_EQ(table, before);
    }
}

// Tables of few distinct keys, so that most records share a key with others; rows are a random
// permutation (or, for the row order, drawn with repeats) so that the order of equals is visible.
TLspRecords randomTable(std::mt19937& random, size_t n, size_t distinctKeys, bool repeatRows) {
    static const std::u16string keys[] = {
        u"", u"A", u"AB", u"B", u"a", u"検索", u"ABC", std::u16string(1, char16_t(0xD800)), u"b", u"BA"};
    std::uniform_int_distribution<size_t> key(0, std::min(distinctKeys, std::size(keys)) - 1);
    std::vector<int> rows(n);
    std::iota(rows.begin(), rows.end(), 0);
    std::shuffle(rows.begin(), rows.end(), random);
    std::uniform_int_distribution<int> anyRow(0, static_cast<int>(distinctKeys));
    TLspRecords table;
    for (size_t i = 0; i < n; ++i) {
        table.push_back({repeatRows ? anyRow(random) : rows[i], keys[key(random)], u"c", u"", u""});
    }
    return table;
}

TEST(SortLspRecords, MatchesTheLiteralExchangeSortOnManyEqualKeys) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<size_t> size(0, 40);
    std::uniform_int_distribution<size_t> distinct(1, 10);
    for (int round = 0; round < 4000; ++round) {
        const bool byCmd = round % 4 != 0;
        const TLspRecords table = randomTable(random, size(random), distinct(random), !byCmd);
        TLspRecords expected = table;
        literalExchangeSort(expected, byCmd);
        TLspRecords actual = table;
        sortLspRecords(actual, byCmd);
        ASSERT_EQ(actual, expected) << "round " << round;
    }
}

TEST(SortLspRecords, MatchesTheLiteralExchangeSortOnLongTablesAndShapedOrders) {
    std::mt19937 random(7);
    for (size_t distinctKeys : {1u, 2u, 3u, 10u}) {
        for (int shape = 0; shape < 4; ++shape) {
            TLspRecords table = randomTable(random, 700, distinctKeys, false);
            auto byKey = [](const TLspRecord& a, const TLspRecord& b) { return a.cmd < b.cmd; };
            if (shape == 1) { // descending runs: the longest chains
                std::stable_sort(table.begin(), table.end(), [&](auto& a, auto& b) { return byKey(b, a); });
            } else if (shape == 2) { // ascending with a few records out of place
                std::stable_sort(table.begin(), table.end(), byKey);
                for (int k = 0; k < 5; ++k) {
                    std::swap(table[random() % table.size()], table[random() % table.size()]);
                }
            } else if (shape == 3) { // one smallest record at the very end
                std::stable_sort(table.begin(), table.end(), byKey);
                std::rotate(table.begin(), table.begin() + 1, table.end());
            }
            TLspRecords expected = table;
            literalExchangeSort(expected, true);
            sortLspRecords(table, true);
            ASSERT_EQ(table, expected) << "keys " << distinctKeys << " shape " << shape;
        }
    }
}

} // namespace
} // namespace merulan
