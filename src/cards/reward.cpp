#include "flow/game.h"

namespace velloxa {

void Game::takecard() {}

}  // namespace velloxa
