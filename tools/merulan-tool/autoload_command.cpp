// merulan-tool autoload: an AutoLISP file that makes a library's commands work when typed at the CAD's
// command line, from the same index the palette builds.
#include "tools/merulan-tool/autoload_file.h"
#include "tools/merulan-tool/commands.h"
#include "tools/merulan-tool/tool_options.h"
#include "tools/merulan-tool/tool_paths.h"

#include "cmdlist/list_backup.h"
#include "platform/local_time.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"
#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace merulan::tool {

namespace {

struct AutoloadOptions {
    std::optional<unsigned> codePage;
    bool utf8 = false;
    std::string base;
    std::string output;
    bool noBackup = false;
    std::vector<std::string> sources;
};

// Written as every list is, whole or not at all: the file it replaces is kept under its time-stamped name.
void writeLoader(const std::u16string& path, const LineList& lines, const AnsiCodePage* encoding,
                 const std::optional<std::u16string>& backupPath) {
    writeFileWhole(path, loaderBytes(lines, encoding), backupPath);
}

// Throws LoaderProblem for what was asked wrongly, MerulanError for what could not be read or written.
void makeLoader(const AutoloadOptions& options) {
    const std::unique_ptr<AnsiCodePage> ansi = chosenCodePage(options.codePage);
    std::vector<std::u16string> names;
    std::vector<std::u16string> madeFrom;
    for (const std::string& source : options.sources) {
        names.push_back(fullPath(source));
        madeFrom.push_back(fromUtf8(source));
    }
    const std::vector<IndexedSource> indexed =
        indexLispSources(distinctSources(lispSourcesOf(names, fileNameOrder())), *ansi, recordOrder());
    bool anyCommand = false;
    for (const IndexedSource& source : indexed) {
        if (source.indexLines.empty()) {
            reportError(formatText(kNoCommandsNote, {source.path}));
        }
        anyCommand = anyCommand || !source.indexLines.empty();
    }
    LoaderPaths paths{kFolderSeparators, std::nullopt, kNamesIgnoreCase};
    if (!options.base.empty()) {
        paths.base = folderWithSeparator(options.base);
    }
    if (options.output.empty()) {
        std::string out;
        for (const std::u16string& line : loaderOf(indexed, madeFrom, paths, nullptr)) {
            out += toUtf8(line) + '\n';
        }
        std::cout << (anyCommand ? out : std::string());
        std::cout.flush();
        return;
    }
    const std::u16string output = fullPath(options.output);
    if (!anyCommand) {
        reportError(formatText(kNotWrittenNote, {output}));
        return;
    }
    const AnsiCodePage* encoding = options.utf8 ? nullptr : ansi.get();
    const LineList lines = loaderOf(indexed, madeFrom, paths, encoding);
    std::optional<std::u16string> backupPath;
    if (!options.noBackup) {
        backupPath = backupPathFor(output, currentLocalTime(), kSeparators);
    }
    writeLoader(output, lines, encoding, backupPath);
}

int runAutoload(const AutoloadOptions& options) {
    try {
        makeLoader(options);
    } catch (const LoaderProblem& problem) {
        reportError(problem.message());
        return kExitUsage;
    } catch (const MerulanError& error) {
        reportError(error.message());
        return kExitFailure;
    }
    return std::cout ? kExitOk : kExitFailure;
}

} // namespace

void addAutoloadCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<AutoloadOptions>();
    CLI::App* autoload = app.add_subcommand(
        "autoload", "Write an AutoLISP file with one (autoload \"PATH\" '(\"CMD\" ...)) per source that defines "
                    "commands, for the CAD's start-up file");
    autoload->allow_windows_style_options(false);
    addCodePageOption(*autoload, options->codePage);
    CLI::Option* output = autoload->add_option(
        "-o,--output", options->output,
        "Write FILE (CR LF, ANSI code page) instead of printing; an existing FILE is first renamed to "
        "NAMEyyyymmddhhnnss.EXT beside it");
    autoload->add_flag("--utf8", options->utf8, "With -o: write UTF-8, for a CAD that reads its LISP files so")
        ->needs(output);
    autoload->add_flag("--no-backup", options->noBackup, "With -o: overwrite FILE without keeping it")->needs(output);
    autoload
        ->add_option("--base", options->base,
                     "Write each source's path relative to DIR (a folder on the CAD's support path)")
        ->type_name("DIR");
    addSourcesOption(*autoload, options->sources);
    autoload->callback([options, &exitCode] { exitCode = runAutoload(*options); });
}

} // namespace merulan::tool
