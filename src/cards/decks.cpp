#include "flow/game.h"

namespace velloxa {

void Game::starterdeck() {}
void Game::resetdeck() {}
void Game::instantdecks() {}
void Game::dealbyrarity(std::array<int, 6>, int) {}
std::string Game::puttile(int, int) { return {}; }
int Game::firstemptyslot() const { return 0; }

}  // namespace velloxa
