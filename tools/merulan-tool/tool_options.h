// What every subcommand of merulan-tool shares: exit codes, error output, the --codepage option.
#pragma once

#include "text/codepage.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan::tool {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the file is missing or cannot be read; the message is on stderr
constexpr int kExitUsage = 2;   // bad arguments; the usage is on stderr

// Notes on stderr of the subcommands that read LISP sources: a source without commands, and an output
// file left as it is because no source had any.
inline constexpr std::u16string_view kNoCommandsNote = u"%s にはコマンドの定義 (DEFUN C:...) がありません";
inline constexpr std::u16string_view kNotWrittenNote = u"%s は書きません (コマンドがありません)";

// --codepage N: the ANSI code page for text without a byte-order mark. An unknown code page is a usage error.
void addCodePageOption(CLI::App& command, std::optional<unsigned>& codePage);

// The LISP sources to read, required: files, or folders whose .lsp files are taken as a drop takes them.
void addSourcesOption(CLI::App& command, std::vector<std::string>& sources);

// The chosen code page; without one, the system's on Windows and 932 (Japanese) elsewhere.
std::unique_ptr<AnsiCodePage> chosenCodePage(const std::optional<unsigned>& codePage);

// "merulan-tool: " and the message on stderr, in UTF-8.
void reportError(std::u16string_view message);

// Runs a subcommand: a MerulanError (or any other failure) is reported and gives kExitFailure.
int runReportingErrors(const std::function<void()>& body);

} // namespace merulan::tool
