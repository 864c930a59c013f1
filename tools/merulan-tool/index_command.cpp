// merulan-tool index: the command list that dropping each LISP source on the palette would write.
#include "tools/merulan-tool/commands.h"
#include "tools/merulan-tool/json_text.h"
#include "tools/merulan-tool/tool_options.h"
#include "tools/merulan-tool/tool_paths.h"

#include "cmdlist/list_backup.h"
#include "lispindex/source_import.h"
#include "platform/local_time.h"
#include "platform/system_codepage.h"
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

struct IndexOptions {
    std::string exeFolder;
    std::optional<unsigned> codePage;
    bool raw = false;
    bool json = false;
    std::string output;
    bool append = false;
    bool noBackup = false;
    std::vector<std::string> sources;
};

int runIndex(const IndexOptions& options) {
    const std::unique_ptr<AnsiCodePage> ansi = chosenCodePage(options.codePage);
    const std::u16string exeFolder = options.exeFolder.empty() ? ownFolder() : folderWithSeparator(options.exeFolder);

    // Sources and folders are taken as a drop takes them; everything is read and built before anything
    // is written, and a source that cannot be read leaves no half output behind.
    std::vector<std::u16string> names;
    for (const std::string& source : options.sources) {
        names.push_back(fullPath(source));
    }
    std::vector<IndexedSource> indexed;
    try {
        indexed = indexLispSources(lispSourcesOf(names, fileNameOrder()), *ansi, recordOrder());
    } catch (const MerulanError& error) {
        reportError(error.message());
        return kExitFailure;
    }
    LineList list;
    for (const IndexedSource& source : indexed) {
        if (source.indexLines.empty()) {
            reportError(formatText(kNoCommandsNote, {source.path}));
        } else if (options.raw) {
            list.insert(list.end(), source.indexLines.begin(), source.indexLines.end());
        }
    }
    if (!options.raw) {
        list = newListOf(indexed, exeFolder, kSeparators).lines;
    }

    if (!options.output.empty()) {
        const std::u16string listPath = fullPath(options.output);
        if (list.empty()) {
            reportError(formatText(kNotWrittenNote, {listPath}));
            return kExitOk;
        }
        // As the palette does: the list that was there is kept under a time-stamped name beside it.
        std::optional<std::u16string> backupPath;
        if (!options.noBackup) {
            backupPath = backupPathFor(listPath, currentLocalTime(), kSeparators);
        }
        try {
            writeListFile(listPath, list, options.append ? ListWrite::Append : ListWrite::Replace, backupPath, *ansi,
                          ListFileSeams{});
        } catch (const MerulanError& error) {
            reportError(error.message());
            return kExitFailure;
        }
        return kExitOk;
    }
    std::string out;
    for (const std::u16string& line : list) {
        if (options.json) {
            appendJsonString(out, line);
        } else {
            out += toUtf8(line);
        }
        out += '\n';
    }
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    std::cout.flush();
    return std::cout ? kExitOk : kExitFailure;
}

} // namespace

void addIndexCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<IndexOptions>();
    CLI::App* index =
        app.add_subcommand("index", "Print the command list that dropping each LISP source on the palette would write");
    // Paths may begin with "/" (Unix paths under Wine, or "/"-rooted ones): never options.
    index->allow_windows_style_options(false);
    index->add_option("--exe-folder", options->exeFolder,
                      "Folder taken as the palette's own (default: this program's folder); sources in it are "
                      "loaded as Merulan\\NAME");
    addCodePageOption(*index, options->codePage);
    index->add_flag("--raw", options->raw, "Only the command index lines, without heading and load entry");
    CLI::Option* json = index->add_flag("--json", options->json, "Each line as one JSON string");
    CLI::Option* output =
        index->add_option("-o,--output", options->output,
                          "Write the list file (CR LF, ANSI code page) instead, whole or not at all; an existing FILE "
                          "is kept as NAMEyyyymmddhhnnss.EXT beside it");
    json->excludes(output);
    index->add_flag("--append", options->append, "With -o: add the blocks after FILE's bytes, in its encoding")
        ->needs(output);
    index->add_flag("--no-backup", options->noBackup, "With -o: replace FILE without keeping it")->needs(output);
    addSourcesOption(*index, options->sources);
    index->callback([options, &exitCode] { exitCode = runIndex(*options); });
}

} // namespace merulan::tool
