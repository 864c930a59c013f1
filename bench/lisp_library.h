// Generated AutoLISP libraries, shared by the indexing benchmark and the drop measured under Wine.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace merulan::bench {

// One library block numbered n: a decorated comment header with a Japanese title, a command with
// parameters, strings holding ";" and escaped quotes, a block comment, a nested helper and a plain
// function. Blocks of different numbers define different commands.
std::string libraryBlock(int n);

// Blocks from firstBlock on, until the source holds at least bytes (UTF-8).
std::string librarySource(std::size_t bytes, int firstBlock = 0);

// A fresh folder of files sources "toolsNNN.lsp" of about 100 KB each (UTF-8 with Japanese comments), each
// defining commands of its own; with sharedEvery n, every n-th source also defines the first command of
// the one before it, as libraries that grew by copying do. Their full paths, in order.
std::vector<std::u16string> writeLibraryFolder(const std::filesystem::path& folder, int files, int sharedEvery = 0);

} // namespace merulan::bench
