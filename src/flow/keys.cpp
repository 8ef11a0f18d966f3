#include "flow/game.h"

namespace velloxa {

void Game::Form_KeyDown(int, int) {}
void Game::dropusertile() {}

}  // namespace velloxa
