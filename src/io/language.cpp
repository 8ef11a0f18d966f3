#include "flow/game.h"

namespace velloxa {

void Game::loadlanguagefile() {}
void Game::Translate(std::string&) {}

}  // namespace velloxa
