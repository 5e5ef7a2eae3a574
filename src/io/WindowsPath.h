#pragma once

// Helpers for the Windows implementation of the file code (built only for Windows).

#include <string>

namespace corvalen::windows {

// The UTF-8 `path` as the UTF-16 text the wide Windows calls take; empty when `path` is empty
// or no valid UTF-8.
std::wstring WidePath(const std::string& path);

// The text of Windows error `code`, in the C library's words where one says the same thing
// (so "No such file or directory" reads as on other systems), else in Windows' own.
std::string ErrorText(unsigned long code);

}  // namespace corvalen::windows
