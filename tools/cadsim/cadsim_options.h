// cadsim's command line: which CAD to look like, in what state, and where to log.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace merulan::cadsim {

struct CadSimOptions {
    std::u16string kind;      // autocad, trueview, bricscad, ijcad, ijcad-intelli
    std::u16string className; // the main window's class, the kind's own unless --class
    std::u16string title;     // the main window's title, the kind's own unless --title
    bool commandLine = false; // IJCAD's command-line window with its input line
    bool disabled = false;
    bool minimized = false;
    std::u16string logPath;           // appended to; empty for none
    unsigned long watchProcessId = 0; // close when that process ends (test runs leave nothing behind)
    // After answering its first delivery (a copy-data message or a keystroke), stop taking messages for that
    // long, or for good: a CAD busy regenerating, or hung.
    unsigned long busyMilliseconds = 0;
    bool hang = false;
    // Right after its window is shown (and minimised, with --minimized), take no message for that long: a CAD
    // already regenerating a drawing when the palette turns to it.
    unsigned long busyFromStartMilliseconds = 0;
};

inline constexpr std::u16string_view kCadSimUsage =
    u"cadsim [--kind autocad|trueview|bricscad|ijcad|ijcad-intelli] [--title TEXT] [--class NAME] [--disabled] "
    u"[--minimized] [--busy MS | --hang] [--busy-from-start MS] [--log FILE] [--watch-pid PID]";

// The arguments after the program name. Throws MerulanError naming the fault and the usage.
CadSimOptions parseCadSimOptions(const std::vector<std::u16string>& args);

} // namespace merulan::cadsim
