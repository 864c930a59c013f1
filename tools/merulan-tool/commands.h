// The subcommands of merulan-tool, each in a file of its own.
#pragma once

#include <CLI/CLI.hpp>

namespace merulan::tool {

// Each adds its subcommand to the application; the callback runs it and sets the exit code.
void addListCommand(CLI::App& app, int& exitCode);
void addTreeCommand(CLI::App& app, int& exitCode);
void addIndexCommand(CLI::App& app, int& exitCode);
void addCheckCommand(CLI::App& app, int& exitCode);
void addAutoloadCommand(CLI::App& app, int& exitCode);

} // namespace merulan::tool
