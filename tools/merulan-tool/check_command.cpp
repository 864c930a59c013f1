// merulan-tool check: what would go wrong with a library of LISP sources and its command lists.
#include "tools/merulan-tool/check_paths.h"
#include "tools/merulan-tool/commands.h"
#include "tools/merulan-tool/tool_options.h"

#include "text/error.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace merulan::tool {

namespace {

constexpr int kExitFound = 1;

struct CheckOptions {
    std::optional<unsigned> codePage;
    bool json = false;
    std::vector<std::string> paths;
};

int runCheck(const CheckOptions& options) {
    const std::unique_ptr<AnsiCodePage> ansi = chosenCodePage(options.codePage);
    CheckResult result;
    // A list or folder that cannot be read leaves nothing checked: no finding is printed.
    try {
        result = checkPaths(options.paths, *ansi);
    } catch (const MerulanError& error) {
        reportError(error.message());
        return kExitUsage;
    }
    if (result.filesChecked == 0) {
        reportError(u"確かめるファイルがありません");
    }
    std::string out;
    for (const Finding& finding : result.findings) {
        out += options.json ? findingJson(finding) : findingText(finding);
    }
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    std::cout.flush();
    if (!std::cout) {
        return kExitUsage;
    }
    return result.findings.empty() ? kExitOk : kExitFound;
}

} // namespace

void addCheckCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand(
        "check", "Report what would go wrong with LISP sources and command lists, one FILE:LINE: finding a line; "
                 "exit 0 when nothing is found, 1 when something is, 2 when the check could not run");
    check->allow_windows_style_options(false);
    addCodePageOption(*check, options->codePage);
    check->add_flag("--json", options->json, "Each finding as one JSON object a line");
    check
        ->add_option("paths", options->paths,
                     "Command lists, AutoLISP sources, or folders whose .lsp files are taken as a drop takes them")
        ->required();
    check->callback([options, &exitCode] { exitCode = runCheck(*options); });
}

} // namespace merulan::tool
