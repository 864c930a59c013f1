// merulan-tool tree: the nodes of one tree view built from a freshly loaded list file.
#include "tools/merulan-tool/commands.h"

#include "cmdlist/tree_views.h"
#include "text/utf8.h"
#include "tools/merulan-tool/json_text.h"
#include "tools/merulan-tool/list_input.h"
#include "tools/merulan-tool/tool_options.h"

#include <iostream>
#include <memory>

namespace merulan::tool {

namespace {

struct TreeArguments {
    std::optional<unsigned> codePage;
    std::string order = "file";
    std::string search;
    bool filtered = false;
    std::string file;
};

std::string nodesJson(const TreeViewContent& view) {
    std::string out;
    std::vector<int> depth(view.nodes.size(), 0);
    for (size_t i = 0; i < view.nodes.size(); ++i) {
        const TreeNodeContent& node = view.nodes[i];
        if (node.parent >= 0) {
            depth[i] = depth[static_cast<size_t>(node.parent)] + 1;
        }
        out += "{\"depth\":" + std::to_string(depth[i]) + ",\"text\":";
        appendJsonString(out, node.text);
        out += ",\"image\":" + std::to_string(node.image) + ",\"tag\":" + std::to_string(node.tag);
        out += static_cast<int>(i) == view.selected ? ",\"selected\":true}\n" : ",\"selected\":false}\n";
    }
    return out;
}

void runTree(const TreeArguments& args) {
    const auto ansi = chosenCodePage(args.codePage);
    TLspRecords table = loadListFile(args.file, *ansi);
    const TreeViewContent view = args.filtered         ? filteredViewContent(table, fromUtf8(args.search))
                                 : args.order == "abc" ? flatViewContent(table)
                                                       : groupedViewContent(table);
    std::cout << nodesJson(view);
}

} // namespace

void addTreeCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<TreeArguments>();
    CLI::App* tree = app.add_subcommand(
        "tree", "Load FILE and print the nodes of one tree view in display order, one JSON object a line:\n"
                "{\"depth\":0,\"text\":\"...\",\"image\":0,\"tag\":3,\"selected\":false}");
    addCodePageOption(*tree, args->codePage);
    CLI::Option* order = tree->add_option("--order", args->order,
                                          "file: grouped under the headings in file order (default); "
                                          "abc: all commands ordered by command")
                             ->check(CLI::IsMember({"file", "abc"}));
    CLI::Option* search =
        tree->add_option("--search", args->search,
                         "Only the commands whose node text contains TEXT, as the 検索 box shows them: the command "
                         "TEXT first, then those that begin with TEXT, then the rest")
            ->type_name("TEXT");
    search->excludes(order);
    tree->add_option("FILE", args->file, "The command list file (MerulanList.txt)")->required();
    tree->callback([args, search, &exitCode] {
        args->filtered = search->count() > 0;
        exitCode = runReportingErrors([&] { runTree(*args); });
    });
}

} // namespace merulan::tool
