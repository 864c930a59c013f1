#include "tools/merulan-tool/tool_options.h"

#include "platform/system_codepage.h"
#include "text/error.h"
#include "text/utf8.h"

#include <charconv>
#include <iostream>

namespace merulan::tool {

namespace {

constexpr unsigned kDefaultCodePageOffWindows = 932;

// Refused at parse time so that the user sees the usage with the reason.
std::string codePageProblem(const std::string& value) {
    unsigned id = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), id);
    if (error != std::errc() || end != value.data() + value.size() || id == 0 || id > 65535) {
        return "code page must be a number from 1 to 65535: " + value;
    }
    try {
        codePageById(id);
    } catch (const MerulanError& unknown) {
        return toUtf8(unknown.message());
    }
    return {};
}

} // namespace

void addCodePageOption(CLI::App& command, std::optional<unsigned>& codePage) {
    command
        .add_option_function<std::string>(
            "--codepage",
            [&codePage](const std::string& value) { codePage = static_cast<unsigned>(std::stoul(value)); },
            "ANSI code page of text without a byte-order mark (default: the system's on Windows, 932 elsewhere)")
        ->type_name("N")
        ->check(CLI::Validator(codePageProblem, "", "CODEPAGE"));
}

void addSourcesOption(CLI::App& command, std::vector<std::string>& sources) {
    command
        .add_option("sources", sources,
                    "AutoLISP source files, or folders whose .lsp files are taken as a drop takes them")
        ->required();
}

std::unique_ptr<AnsiCodePage> chosenCodePage(const std::optional<unsigned>& codePage) {
    if (codePage) {
        return codePageById(*codePage);
    }
#ifdef _WIN32
    return systemAnsiCodePage();
#else
    return codePageById(kDefaultCodePageOffWindows);
#endif
}

void reportError(std::u16string_view message) {
    std::cout.flush();
    std::cerr << "merulan-tool: " << toUtf8(message) << '\n';
    std::cerr.flush();
}

int runReportingErrors(const std::function<void()>& body) {
    try {
        body();
        std::cout.flush();
        return kExitOk;
    } catch (const MerulanError& error) {
        reportError(error.message());
    } catch (const std::exception& error) {
        reportError(fromUtf8(error.what()));
    }
    return kExitFailure;
}

} // namespace merulan::tool
