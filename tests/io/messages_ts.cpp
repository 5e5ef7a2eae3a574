// Writes the "Messages" context of the .ts files named on the command line from the message
// catalogue (MessagesTs.h); run it after lupdate (the update_translations target), which drops
// that context because it cannot see the templates.

#include <fstream>
#include <iostream>
#include <sstream>

#include "io/MessagesTs.h"

int main(int argc, char** argv) {
    std::string conflict;
    const std::string context = corvalen::testing::MessagesContext(conflict);
    if (context.empty()) {
        std::cerr << "messages_ts: two kinds translate \"" << conflict << "\" differently\n";
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        std::stringstream read;
        read << std::ifstream(argv[i], std::ios::binary).rdbuf();
        std::string ts = read.str();
        const auto [start, end] = corvalen::testing::MessagesContextIn(ts);
        if (start == std::string::npos) {
            std::cerr << "messages_ts: " << argv[i] << " is no .ts file\n";
            return 1;
        }
        ts.replace(start, end - start, context);
        std::ofstream(argv[i], std::ios::binary) << ts;
    }
    return 0;
}
