#include "app/drop/dropped_files.h"

#include "platform/win/wide.h"

namespace merulan {

unsigned droppedFileCount(HDROP drop) {
    return DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
}

// The length is asked for first: a fixed buffer would cut a long path, and the cut name would no
// longer end in its extension.
std::u16string droppedFileName(HDROP drop, unsigned index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::u16string name(length, u'\0');
    name.resize(DragQueryFileW(drop, index, wide(name), length + 1));
    return name;
}

std::vector<std::u16string> droppedFileNames(HDROP drop) {
    std::vector<std::u16string> names;
    const unsigned count = droppedFileCount(drop);
    for (unsigned index = 0; index < count; ++index) {
        names.push_back(droppedFileName(drop, index));
    }
    return names;
}

} // namespace merulan
