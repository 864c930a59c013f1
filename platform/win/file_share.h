// How the list's readers share a file they read, so that the probe for a held file asks exactly what a
// read will meet: other readers are let in, and so is a program that renames or replaces the file (a
// save by rename); a writer is not.
#pragma once

#include <windows.h>

namespace merulan {

inline constexpr DWORD kReaderShareMode = FILE_SHARE_READ | FILE_SHARE_DELETE;

} // namespace merulan
