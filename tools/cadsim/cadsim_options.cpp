#include "tools/cadsim/cadsim_options.h"

#include "text/error.h"
#include "text/u16text.h"

#include <array>

namespace merulan::cadsim {

namespace {

struct KindLook {
    std::u16string_view kind;
    std::u16string_view className;
    std::u16string_view title;
    bool commandLine;
};

// What the real applications register and show, as far as the palette looks at it.
constexpr std::array<KindLook, 5> kKinds{{
    {u"autocad", u"AfxMDIFrame140u", u"Autodesk AutoCAD 2023 - [Drawing1.dwg]", false},
    {u"trueview", u"Afx:00400000:8:00010003:00000000:00000000", u"DWG TrueView 2023 - [Drawing1.dwg]", false},
    {u"bricscad", u"BricscadMainWindow", u"BricsCAD V23 - [Drawing1.dwg]", false},
    {u"ijcad", u"Afx:00400000:8:00010003:00000000:0001002B", u"IJCAD 2023 - [Drawing1.dwg]", true},
    {u"ijcad-intelli", u"Afx:00400000:8:00010003:00000000:0001002B", u"IJCAD 2023 Intelli - [Drawing1.dwg]", false},
}};

[[noreturn]] void fail(std::u16string_view what) {
    throw MerulanError(std::u16string(what) + u"\n" + std::u16string(kCadSimUsage));
}

unsigned long numberOf(const std::u16string& digits, std::u16string_view what) {
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of(u"0123456789") != std::u16string::npos) {
        fail(what);
    }
    unsigned long number = 0;
    for (const char16_t d : digits) {
        number = number * 10 + (d - u'0');
    }
    return number;
}

} // namespace

CadSimOptions parseCadSimOptions(const std::vector<std::u16string>& args) {
    CadSimOptions options;
    bool titleGiven = false;
    bool classGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::u16string& name = args[i];
        auto value = [&]() -> const std::u16string& {
            if (i + 1 >= args.size()) {
                fail(name + u" needs a value");
            }
            return args[++i];
        };
        if (name == u"--kind") {
            options.kind = value();
        } else if (name == u"--title") {
            options.title = value();
            titleGiven = true;
        } else if (name == u"--class") {
            options.className = value();
            classGiven = true;
        } else if (name == u"--log") {
            options.logPath = value();
        } else if (name == u"--watch-pid") {
            options.watchProcessId = numberOf(value(), u"--watch-pid needs a process id");
        } else if (name == u"--busy") {
            options.busyMilliseconds = numberOf(value(), u"--busy needs milliseconds");
        } else if (name == u"--busy-from-start") {
            options.busyFromStartMilliseconds = numberOf(value(), u"--busy-from-start needs milliseconds");
        } else if (name == u"--hang") {
            options.hang = true;
        } else if (name == u"--disabled") {
            options.disabled = true;
        } else if (name == u"--minimized") {
            options.minimized = true;
        } else {
            fail(u"unknown argument: " + name);
        }
    }
    if (options.hang && options.busyMilliseconds) {
        fail(u"--busy and --hang exclude each other");
    }
    if (options.kind.empty()) {
        options.kind = u"bricscad";
    }
    for (const KindLook& look : kKinds) {
        if (look.kind == options.kind) {
            if (!classGiven) {
                options.className = look.className;
            }
            if (!titleGiven) {
                options.title = look.title;
            }
            options.commandLine = look.commandLine;
            if (options.className.empty()) {
                fail(u"--class needs a name");
            }
            return options;
        }
    }
    fail(u"unknown kind: " + options.kind);
}

} // namespace merulan::cadsim
