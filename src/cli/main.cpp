#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
// windows.h first: shellapi.h needs its types. The blank line keeps clang-format from sorting.
#include <windows.h>

#include <shellapi.h>
#endif

#include "cli/Converter.h"

namespace {

#ifdef _WIN32
// Windows hands main() its arguments in the ANSI code page, which cannot hold every file name;
// the wide command line holds them exactly, and the core takes UTF-8.
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int size =
            ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
        text.resize(text.size() - 1);  // the terminating NUL
        arguments.push_back(std::move(text));
    }
    ::LocalFree(wide);
    return arguments;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    (void)argc;
    (void)argv;
    const std::vector<std::string> utf8 = Utf8Arguments();
    const std::vector<std::string_view> args(utf8.begin(), utf8.end());
#else
    const std::vector<std::string_view> args(argv + 1, argv + argc);
#endif
    const int status = corvalen::RunConverter(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
