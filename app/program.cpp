#include "app/program.h"

#include "app/MerulanUnit.h"
#include "app/boxes/error_box_text.h"
#include "app/boxes/message_boxes.h"
#include "app/look/styles.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <commctrl.h>

namespace merulan {

std::shared_ptr<const Theme> applyStyle(std::u16string_view name,
                                        const std::function<void(const std::u16string&)>& reportMissing) {
    std::shared_ptr<const Theme> theme = Theme::named(name);
    if (!theme) {
        reportMissing(formatText(u"スタイル '%s' が見つかりません", {name}));
        return Theme::standard();
    }
    theme->prepareProcess();
    return theme;
}

int runMerulan(int showCommand) {
    // The application object: the common controls this window uses.
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::u16string title = applicationTitle(executablePath());
    const std::shared_ptr<const Theme> standardLook = Theme::standard();
    auto reportError = [&](HWND owner, const std::u16string& text) { showErrorBox(owner, title, text, *standardLook); };

    // The window carries its own taskbar button (TMerulanForm's extended style), then the look.
    const std::shared_ptr<const Theme> theme =
        applyStyle(kPaletteStyleName, [&](const std::u16string& text) { reportError(nullptr, text); });

    std::unique_ptr<TMerulanForm> form;
    try {
        form = TMerulanForm::create(productionEnvironment(theme), theme);
    } catch (const MerulanError& failure) {
        reportError(nullptr, errorBoxText(failure.message()));
        return 1;
    } catch (const std::exception& failure) {
        reportError(nullptr, errorBoxText(fromUtf8(failure.what())));
        return 1;
    }

    form->show(showCommand);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!form->preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    form.reset(); // FormDestroy, then the window goes
    lspRecords = TLspRecords();
    return static_cast<int>(message.wParam);
}

} // namespace merulan
