// What the palette window needs from the world outside it. Production passes the real things; tests
// pass recorders, so that no box blocks a test and no program is started.
#pragma once

#include "app/follow/list_watch.h"
#include "app/follow/shared_list_follower.h"
#include "app/settings/palette_files.h"
#include "platform/local_time.h"
#include "text/codepage.h"

#include <functional>
#include <memory>
#include <string>
#include <windows.h>

namespace merulan {

class Theme;

struct FormEnvironment {
    std::u16string executablePath; // full path; its folder holds the list and settings files
    std::shared_ptr<const AnsiCodePage> ansiCodePage;
    std::function<void(HWND owner, const std::u16string& text)> showInformation;
    std::function<void(HWND owner, const std::u16string& title, const std::u16string& text)> showError;
    std::function<bool(HWND owner, const std::u16string& text)> askYesNo;
    // The shell's "open" (shellOpen); the result is not examined.
    std::function<void(HWND owner, const std::u16string& file, const std::u16string& parameters, int showCommand)>
        shellOpen;
    // The local date and time (currentLocalTime), for the names of list backups.
    std::function<StampTime()> localTime;
    // Whether Ctrl is down now (GetAsyncKeyState: a drop comes while another program has the keyboard).
    std::function<bool()> controlKeyDown;
    // How the list's folder is watched.
    ChangeNotices changeNotices = systemChangeNotices();
    // How the office's shared list is read (on the shared list's own thread).
    SharedListBytes readSharedList = sharedListFileBytes();
    // Where the palette keeps its settings and list when its own folder cannot be written.
    PaletteFileSeams paletteFileSeams = systemPaletteFileSeams();
    // Told the name of each step of the start-up as it ends, for measuring where the time goes; not set in
    // the product.
    std::function<void(const char* step)> startupStep;

    // The executable's path up to and including its last backslash.
    std::u16string executableFolder() const;
};

// The running executable, the system's ANSI code page, real message boxes in the given look, the shell.
FormEnvironment productionEnvironment(std::shared_ptr<const Theme> theme);

} // namespace merulan
