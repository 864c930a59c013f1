// merulan-tool list: the record table the palette fills from a list file, one JSON object a line.
#include "tools/merulan-tool/commands.h"

#include "tools/merulan-tool/json_text.h"
#include "tools/merulan-tool/list_input.h"
#include "tools/merulan-tool/tool_options.h"

#include <iostream>
#include <memory>

namespace merulan::tool {

namespace {

struct ListArguments {
    std::optional<unsigned> codePage;
    std::string file;
};

std::string recordJson(const TLspRecord& record) {
    std::string line = "{\"row\":" + std::to_string(record.row) + ",\"cmd\":";
    appendJsonString(line, record.cmd);
    line += ",\"cmt\":";
    appendJsonString(line, record.cmt);
    line += ",\"exe\":";
    appendJsonString(line, record.exe);
    line += ",\"opt\":";
    appendJsonString(line, record.opt);
    line += "}\n";
    return line;
}

void runList(const ListArguments& args) {
    const auto ansi = chosenCodePage(args.codePage);
    const TLspRecords table = loadListFile(args.file, *ansi);
    std::string out;
    for (const TLspRecord& record : table) {
        out += recordJson(record);
    }
    std::cout << out;
}

} // namespace

void addListCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ListArguments>();
    CLI::App* list = app.add_subcommand(
        "list", "Load FILE as the palette does and print each record in table order as one JSON object a line:\n"
                "{\"row\":0,\"cmd\":\"...\",\"cmt\":\"...\",\"exe\":\"...\",\"opt\":\"...\"}");
    addCodePageOption(*list, args->codePage);
    list->add_option("FILE", args->file, "The command list file (MerulanList.txt)")->required();
    list->callback([args, &exitCode] { exitCode = runReportingErrors([&] { runList(*args); }); });
}

} // namespace merulan::tool
