// merulan-tool: shows from a console what the palette reads and builds.
#include "tools/merulan-tool/commands.h"

#include "text/utf8.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

int run(std::vector<std::string> args) {
    CLI::App app{"merulan-tool: what the Merulan palette reads from its command list and builds from LISP sources"};
    app.name("merulan-tool");
    app.require_subcommand(1);
    int exitCode = 0;
    merulan::tool::addListCommand(app, exitCode);
    merulan::tool::addTreeCommand(app, exitCode);
    merulan::tool::addIndexCommand(app, exitCode);
    merulan::tool::addCheckCommand(app, exitCode);
    merulan::tool::addAutoloadCommand(app, exitCode);
    try {
        std::reverse(args.begin(), args.end()); // CLI11 takes them last first
        app.parse(args);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << "merulan-tool: " << error.what() << "\n\n" << app.help();
        return 2;
    }
    return exitCode;
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    // Output is UTF-8 bytes, with "\n" line ends, whatever the console.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(merulan::toUtf8(std::u16string(argv[i], argv[i] + wcslen(argv[i]))));
    }
    return run(std::move(args));
}
#else
int main(int argc, char** argv) {
    return run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
