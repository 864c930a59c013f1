// Code pages the operating system provides.
#pragma once

#include "text/codepage.h"

#include <memory>

namespace merulan {

#ifdef _WIN32
// GetACP with MultiByteToWideChar / WideCharToMultiByte.
std::unique_ptr<AnsiCodePage> systemAnsiCodePage();
#endif

// A Windows code page by number: on Windows through the Win32 conversions, elsewhere through iconv.
// Throws MerulanError when the code page is unknown.
std::unique_ptr<AnsiCodePage> codePageById(unsigned id);

} // namespace merulan
