#include "flow/game.h"

namespace velloxa {

void Game::menus(int, int) {}
void Game::cycleme(int, int, int, int) {}

}  // namespace velloxa
