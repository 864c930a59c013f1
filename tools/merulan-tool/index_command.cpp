#include "tools/merulan-tool/commands.h"

namespace merulan::tool {

// Placeholder until the subcommand is built.
void addIndexCommand(CLI::App& app, int& exitCode) {
    app.add_subcommand("index", "(not built yet)")->callback([&exitCode] { exitCode = 3; });
}

} // namespace merulan::tool
