#include "flow/game.h"

namespace velloxa {

void Game::saveprogress() {}
void Game::loadprogress() {}
std::string Game::progresstext() const { return {}; }

}  // namespace velloxa
