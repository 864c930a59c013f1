// Cutting a list-file line into TAB-separated fields, with double-quoted fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace merulan {

// Calls emit(value) for each field in order until emit returns false. A value is valid only during
// its call; scratch holds quoted values whose doubled quotes had to be reduced.
template <class Emit>
void splitFieldsWith(std::u16string_view line, std::u16string& scratch, Emit&& emit) {
    size_t pos = 0;
    while (pos < line.size()) {
        std::u16string_view value;
        if (line[pos] == u'"') {
            // Quoted: up to the next quote not followed by another; each pair stands for one quote.
            // Without a closing quote the value is the rest of the line.
            const size_t start = ++pos;
            bool reduced = false;
            for (;;) {
                const size_t quote = line.find(u'"', pos);
                const bool pair =
                    quote != std::u16string_view::npos && quote + 1 < line.size() && line[quote + 1] == u'"';
                if (pair) {
                    if (!reduced) {
                        scratch.clear();
                        reduced = true;
                    }
                    scratch.append(line.substr(pos, quote + 1 - pos));
                    pos = quote + 2;
                    continue;
                }
                const size_t end = quote == std::u16string_view::npos ? line.size() : quote;
                if (reduced) {
                    scratch.append(line.substr(pos, end - pos));
                    value = scratch;
                } else {
                    value = line.substr(start, end - start);
                }
                pos = quote == std::u16string_view::npos ? line.size() : quote + 1;
                break;
            }
            if (!emit(value)) {
                return;
            }
            // Text right after the closing quote starts a field of its own.
            if (pos < line.size() && line[pos] != u'\t') {
                continue;
            }
        } else {
            const size_t tab = line.find(u'\t', pos);
            const size_t end = tab == std::u16string_view::npos ? line.size() : tab;
            if (!emit(line.substr(pos, end - pos))) {
                return;
            }
            pos = end;
        }
        if (pos < line.size()) { // a TAB: pass over exactly one
            ++pos;
            if (pos == line.size()) {
                emit(std::u16string_view{});
                return;
            }
        }
    }
}

std::vector<std::u16string> splitFields(std::u16string_view line);

} // namespace merulan
