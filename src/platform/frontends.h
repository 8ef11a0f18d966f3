// The interactive front-ends; each returns the program's exit code.
#pragma once

#include <cstdint>
#include <string>

namespace velloxa {

struct CommandLine {
    std::string home;  // empty: the executable's folder
    bool seeded = false;
    uint64_t seed = 0;
    std::string headless;  // key script for the headless mode
    bool no_voice = false;
    bool screen_reader = false;
    bool no_sound_device = false;
    bool no_title_reader = false;
    bool dump_content = false;
    bool terminal = false;
    bool board = false;    // terminal: print a text board after each change
    std::string language;  // --language: the code of the catalogue asked for
};

int run_desktop(const CommandLine& cmd);
int run_terminal(const CommandLine& cmd);

// Seconds since midnight, local time: the seed when none is given.
uint64_t seconds_since_midnight();
// The folder that holds the running executable.
std::string executable_folder();

}  // namespace velloxa
