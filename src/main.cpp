#ifdef _WIN32
#include "platform/windows/windows_entry.h"
#else
#include <unistd.h>
#endif

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/cli.h"

int main(int argc, char** argv) {
    using namespace velloxa;
#ifdef _WIN32
    // Windows: the wide command line as UTF-8, and byte-exact standard streams.
    const std::vector<std::string> args = windows_arguments(argc, argv);
    windows_binary_streams();
#else
    const std::vector<std::string> args(argv + 1, argv + argc);
#endif
    const ParsedCommandLine parsed = parsecommandline(args);
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
#ifdef _WIN32
    // Windows picks its own front-end: the Win32 window.
    return run_windows(cmd);
#else
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool has_display = (display && *display) || (wayland && *wayland);
    if (cmd.terminal || (!has_display && ::isatty(0))) return run_terminal(cmd);
    return run_desktop(cmd);
#endif
}
