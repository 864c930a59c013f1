#include "app/boxes/error_box_text.h"

#include "text/u16text.h"

namespace merulan {

std::u16string_view errorBoxTitleStem(std::u16string_view executablePath) {
    const std::u16string_view name = fileNameOf(executablePath);
    return name.substr(0, name.find(u'.'));
}

std::u16string errorBoxText(std::u16string_view message) {
    std::u16string text(message);
    if (!text.empty() && text.back() > u'.') {
        text += u'.';
    }
    return text;
}

} // namespace merulan
