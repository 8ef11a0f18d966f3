#include <iostream>

#include "platform/frontends.h"

namespace velloxa {

int run_desktop(const CommandLine&) {
    std::cerr << "velloxa: the window front-end is not built yet\n";
    return 1;
}

}  // namespace velloxa
