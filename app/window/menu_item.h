// One item of a Win32 menu with the caption kept as the program set it: the menu shows "&" literally.
#pragma once

#include <string>
#include <windows.h>

namespace merulan {

class TMenuItem {
public:
    TMenuItem() = default;

    // Appends the item to menu: a separator when caption is empty and there is neither id nor sub-menu.
    void append(HMENU menu, UINT id, std::u16string caption, HMENU subMenu = nullptr);

    UINT id() const { return id_; }
    HMENU menu() const { return menu_; }
    const std::u16string& caption() const { return caption_; }
    void setCaption(std::u16string caption);

private:
    HMENU menu_ = nullptr;
    UINT position_ = 0;
    UINT id_ = 0;
    std::u16string caption_;
};

} // namespace merulan
