// Command line of the program.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/frontends.h"

namespace velloxa {

struct ParsedCommandLine {
    CommandLine cmd;
    bool help = false;
    bool version = false;
    std::string error;  // one line naming the problem; empty when fine
};

ParsedCommandLine parse_command_line(const std::vector<std::string>& args);

std::string usage();

// The content dump: tiles, former names and the story.
std::string dump_content();

// Runs the headless mode; returns the exit code.
int run_headless(const CommandLine& cmd);

}  // namespace velloxa
