#include <iostream>
#include <string_view>
#include <vector>

#include "cli/ConvertCommand.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int status = corvalen::RunConverter(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
