#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/cli.h"

int main(int argc, char** argv) {
    using namespace velloxa;
    const ParsedCommandLine parsed = parsecommandline(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "velloxa: " << parsed.error << " (try --help)\n";
        return 2;
    }
    if (parsed.help) {
        std::cout << usage();
        return 0;
    }
    if (parsed.version) {
        std::cout << "0.5f\n";
        return 0;
    }
    const CommandLine& cmd = parsed.cmd;
    if (cmd.dump_content) {
        std::cout << dumpcontent();
        return 0;
    }
    if (!cmd.headless.empty()) return run_headless(cmd);
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool has_display = (display && *display) || (wayland && *wayland);
    if (cmd.terminal || (!has_display && ::isatty(0))) return run_terminal(cmd);
    return run_desktop(cmd);
}
