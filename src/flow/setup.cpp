#include "flow/game.h"

namespace velloxa {

void Game::startusout() {}
void Game::announcecoinflip(const std::string&) {}

}  // namespace velloxa
