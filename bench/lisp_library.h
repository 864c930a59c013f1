// Generated AutoLISP libraries, shared by the indexing benchmark and the drop measured under Wine.
#pragma once

#include <cstddef>
#include <string>

namespace merulan::bench {

// One library block numbered n: a decorated comment header with a Japanese title, a command with
// parameters, strings holding ";" and escaped quotes, a block comment, a nested helper and a plain
// function. Blocks of different numbers define different commands.
std::string libraryBlock(int n);

// Blocks from firstBlock on, until the source holds at least bytes (UTF-8).
std::string librarySource(std::size_t bytes, int firstBlock = 0);

} // namespace merulan::bench
