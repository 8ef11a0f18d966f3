#include <iostream>

#include "platform/frontends.h"

namespace velloxa {

int run_terminal(const CommandLine&) {
    std::cerr << "velloxa: the terminal front-end is not built yet\n";
    return 1;
}

}  // namespace velloxa
