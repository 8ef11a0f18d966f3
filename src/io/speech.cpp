#include "flow/game.h"

namespace velloxa {

void Game::sayit(std::string tempm) { platform.voice.speak(tempm, 3); }
void Game::setupsapi() {}
void Game::loadjaws() {}
void Game::nextroute() {}
void Game::changerate(int) {}
void Game::resettitle() {}

}  // namespace velloxa
