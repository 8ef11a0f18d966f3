#include "flow/game.h"

namespace velloxa {

void Game::makesound(std::string, double, double, int, int) {}
void Game::setsound(int, std::string&) {}
void Game::setvol(int, double&) {}
void Game::setpan(int, double&) {}
void Game::sound2d(int, int, double&, double&) {}
void Game::preloadsounds() {}

}  // namespace velloxa
