#include "cmdlist/record_order.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <span>
#include <vector>

// The palette orders its table as a plain exchange sort does, and the order of records with
// equal keys is what that sort leaves behind. Users see that order in the flat views, so it is kept
// exactly; only the quadratic cost goes. Facts about the exchange sort that make this possible:
//
// 1. Pass i walks the chain of strict running minima from position i on, m0 > m1 > ... > mk: position i
//    ends with mk (the first occurrence of the suffix minimum) and every earlier mj moves to the position
//    that m(j+1) held. Nothing else moves. The result is sorted by key.
// 2. Restricted to the records whose key is at most some w, the passes act exactly like an exchange sort
//    of that subsequence alone. So the final order of the records with key v depends only on the records
//    with keys up to v, in table order, and among those the records with key v are the largest.
// 3. The largest records move only as the head of a chain, onto the first smaller record after them. In
//    the sequence of keys <= v this makes a block: from the first v record on, each pass moves the block
//    one step over a smaller record and turns its first record into its last; a v record that the block
//    reaches joins at its end. Before the j-th v record joins, the block has turned once for every
//    smaller record between the first and the j-th v record; after the last joins, once for each smaller
//    record after it.
//
// The block's turns and joins are undone from the end, slot by slot, with a counting tree: O(n log n)
// in all, plus the comparisons of one stable sort.

namespace merulan {

namespace {

// Counts over positions 0..size-1: additions, counts before a position, and the position of a rank.
class CountTree {
public:
    void reset(size_t size, bool full) {
        tree_.assign(size + 1, 0);
        if (full) {
            for (size_t i = 1; i <= size; ++i) {
                tree_[i] += 1;
                const size_t parent = i + (i & (~i + 1));
                if (parent <= size) {
                    tree_[parent] += tree_[i];
                }
            }
        }
    }

    void add(size_t pos, int delta) {
        for (size_t i = pos + 1; i < tree_.size(); i += i & (~i + 1)) {
            tree_[i] += delta;
        }
    }

    size_t countBefore(size_t pos) const {
        long long sum = 0;
        for (size_t i = pos; i > 0; i -= i & (~i + 1)) {
            sum += tree_[i];
        }
        return static_cast<size_t>(sum);
    }

    // The position of the counted entry with this 0-based rank; every count is 0 or 1.
    size_t positionOfRank(size_t rank) const {
        size_t pos = 0;
        for (size_t step = std::bit_floor(tree_.size() - 1); step > 0; step >>= 1) {
            if (pos + step < tree_.size() && static_cast<size_t>(tree_[pos + step]) <= rank) {
                pos += step;
                rank -= static_cast<size_t>(tree_[pos]);
            }
        }
        return pos;
    }

private:
    std::vector<int> tree_;
};

class EqualKeyArranger {
public:
    explicit EqualKeyArranger(size_t n) { smaller_.reset(n, false); }

    // positions: the table positions of one key, ascending, all smaller keys already added.
    // Rewritten into the order in which the exchange sort leaves those records.
    void arrange(std::span<size_t> positions) {
        const size_t m = positions.size();
        if (m > 1) {
            turnsBefore_.assign(m, 0);
            for (size_t j = 1; j < m; ++j) {
                turnsBefore_[j] = smaller_.countBefore(positions[j]) - smaller_.countBefore(positions[j - 1]);
            }
            const size_t turnsAfter = added_ - smaller_.countBefore(positions[m - 1]);
            undoTurns(positions, turnsAfter);
        }
        for (size_t pos : positions) {
            smaller_.add(pos, 1);
        }
        added_ += m;
    }

private:
    // Walks the block's history backwards over its final slots. start is the rank, among the slots still
    // free, of the block's first record; the record that joined last sits just before it.
    void undoTurns(std::span<size_t> positions, size_t turnsAfter) {
        const size_t m = positions.size();
        slots_.reset(m, true);
        placed_.assign(m, 0);
        size_t start = (m - turnsAfter % m) % m;
        for (size_t j = m; j-- > 0;) {
            const size_t count = j + 1;
            const size_t slot = slots_.positionOfRank((start + count - 1) % count);
            placed_[slot] = positions[j];
            slots_.add(slot, -1);
            if (start > 0) {
                --start;
            }
            if (j > 0) {
                start = (start + j - turnsBefore_[j] % j) % j;
            }
        }
        std::copy(placed_.begin(), placed_.end(), positions.begin());
    }

    CountTree smaller_; // table positions of the records with smaller keys
    size_t added_ = 0;
    CountTree slots_;
    std::vector<size_t> turnsBefore_;
    std::vector<size_t> placed_;
};

// A record's table position with the start of its key, packed so that comparing two heads agrees with
// comparing the keys whenever the heads differ: most comparisons then stay inside this array.
struct SortItem {
    std::uint64_t head;
    size_t index;
};

// cmd's first four code units, zero-padded; a text that begins another packs no greater than it.
std::uint64_t cmdHead(const std::u16string& cmd) {
    std::uint64_t head = 0;
    for (size_t k = 0; k < 4; ++k) {
        head = (head << 16) | (k < cmd.size() ? cmd[k] : 0u);
    }
    return head;
}

std::uint64_t rowHead(std::int32_t row) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(row) + (1ll << 31));
}

// tailLess compares two records whose heads are equal.
template <class TailLess>
void exchangeSortOrder(TLspRecords& table, std::vector<SortItem> items, TailLess tailLess) {
    const size_t n = table.size();
    auto less = [&](const SortItem& a, const SortItem& b) {
        return a.head != b.head ? a.head < b.head : tailLess(table[a.index], table[b.index]);
    };
    // The exchange sort never touches a table already in order.
    bool ordered = true;
    for (size_t i = 1; i < n && ordered; ++i) {
        ordered = !less(items[i], items[i - 1]);
    }
    if (ordered) {
        return;
    }

    std::stable_sort(items.begin(), items.end(), less);
    std::vector<size_t> order(n);
    bool anyEqual = false;
    for (size_t k = 0; k < n; ++k) {
        order[k] = items[k].index;
        anyEqual = anyEqual || (k > 0 && !less(items[k - 1], items[k]));
    }
    if (anyEqual) {
        EqualKeyArranger arranger(n);
        for (size_t first = 0; first < n;) {
            size_t last = first + 1;
            while (last < n && !less(items[first], items[last])) {
                ++last;
            }
            arranger.arrange(std::span<size_t>(order).subspan(first, last - first));
            first = last;
        }
    }

    TLspRecords sorted;
    sorted.reserve(n);
    for (size_t from : order) {
        sorted.push_back(std::move(table[from]));
    }
    table = std::move(sorted);
}

} // namespace

void sortLspRecords(TLspRecords& table, bool byCmd) {
    if (table.size() < 2) {
        return;
    }
    std::vector<SortItem> items(table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        items[i] = {byCmd ? cmdHead(table[i].cmd) : rowHead(table[i].row), i};
    }
    if (byCmd) {
        // std::u16string compares code units as unsigned numbers: no case folding, no locale.
        exchangeSortOrder(table, std::move(items),
                          [](const TLspRecord& a, const TLspRecord& b) { return a.cmd < b.cmd; });
    } else {
        exchangeSortOrder(table, std::move(items), [](const TLspRecord&, const TLspRecord&) { return false; });
    }
}

} // namespace merulan
