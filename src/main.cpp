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

namespace {

using velloxa::CommandLine;

// The front-ends, in the order they are tried: the first that the command
// line and the system call for runs the game. Adding a front-end is adding
// a line here.
struct FrontEnd {
    bool (*chosen)(const CommandLine& cmd);
    int (*run)(const CommandLine& cmd);
};

bool scripted(const CommandLine& cmd) {
    return !cmd.headless.empty();
}

#ifndef _WIN32
// Asked for, or the only way to play: no display, and keys from a terminal.
bool in_terminal(const CommandLine& cmd) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool has_display = (display && *display) || (wayland && *wayland);
    return cmd.terminal || (!has_display && ::isatty(0));
}
#endif

bool always(const CommandLine&) {
    return true;
}

constexpr FrontEnd kFrontEnds[] = {
    {scripted, velloxa::run_headless},
#ifdef _WIN32
    {always, velloxa::run_windows},
#else
    {in_terminal, velloxa::run_terminal},
    {always, velloxa::run_desktop},
#endif
};

}  // namespace

int main(int argc, char** argv) {
    using namespace velloxa;
#ifdef _WIN32
    // Windows: the wide command line as UTF-8, and byte-exact standard streams.
    const std::vector<std::string> args = windows_arguments(argc, argv);
    windows_binary_streams();
#else
    const std::vector<std::string> args(argv + 1, argv + argc);
#endif
    const ParsedCommandLine parsed = parse_command_line(args);
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
        std::cout << dump_content();
        return 0;
    }
    for (const FrontEnd& front_end : kFrontEnds)
        if (front_end.chosen(cmd)) return front_end.run(cmd);
    return 1;
}
