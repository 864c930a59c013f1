#include "app/window/menu_item.h"

#include "app/window/window_class.h"
#include "platform/win/wide.h"
#include "text/error.h"

namespace merulan {

namespace {

// Menus read "&" as the mark of an access key; doubled, it stands for itself.
std::u16string menuText(const std::u16string& caption) {
    std::u16string text;
    text.reserve(caption.size());
    for (const char16_t c : caption) {
        text += c;
        if (c == u'&') {
            text += u'&';
        }
    }
    return text;
}

} // namespace

void TMenuItem::append(HMENU menu, UINT id, std::u16string caption, HMENU subMenu) {
    menu_ = menu;
    id_ = id;
    caption_ = std::move(caption);
    position_ = static_cast<UINT>(GetMenuItemCount(menu));
    std::u16string text = menuText(caption_);
    MENUITEMINFOW item{sizeof(item)};
    item.fMask = MIIM_FTYPE | MIIM_ID;
    item.wID = id;
    if (caption_.empty() && id == 0 && !subMenu) {
        item.fType = MFT_SEPARATOR;
    } else {
        item.fType = MFT_STRING;
        item.fMask |= MIIM_STRING;
        item.dwTypeData = wide(text);
    }
    if (subMenu) {
        item.fMask |= MIIM_SUBMENU;
        item.hSubMenu = subMenu;
    }
    if (!InsertMenuItemW(menu, position_, TRUE, &item)) {
        throw MerulanError(std::u16string(kCannotCreateMenuMessage));
    }
}

void TMenuItem::setCaption(std::u16string caption) {
    std::u16string text = menuText(caption);
    MENUITEMINFOW item{sizeof(item)};
    item.fMask = MIIM_STRING;
    item.dwTypeData = wide(text);
    // Items keep their positions for the whole run: nothing is ever inserted or removed.
    SetMenuItemInfoW(menu_, position_, TRUE, &item);
    caption_ = std::move(caption);
}

} // namespace merulan
