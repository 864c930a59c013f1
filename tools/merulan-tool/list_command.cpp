#include "tools/merulan-tool/commands.h"

namespace merulan::tool {

// Placeholder until the subcommand is built.
void addListCommand(CLI::App& app, int& exitCode) {
    app.add_subcommand("list", "(not built yet)")->callback([&exitCode] { exitCode = 3; });
}

} // namespace merulan::tool
