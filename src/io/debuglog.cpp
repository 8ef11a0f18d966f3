#include "flow/game.h"

namespace velloxa {

void Game::debuglog(const std::string& line) { platform.files.append_line(datapath("/debuglog.txt"), line); }

}  // namespace velloxa
