#include "cmdlist/field_split.h"

namespace merulan {

std::vector<std::u16string> splitFields(std::u16string_view line) {
    std::vector<std::u16string> fields;
    std::u16string scratch;
    splitFieldsWith(line, scratch, [&](std::u16string_view value) {
        fields.emplace_back(value);
        return true;
    });
    return fields;
}

} // namespace merulan
