// The computer opponent: tries every tile on every empty spot on a copy of
// the match, remembers the last few improvements and picks one of them, the
// better the harder the level.
#pragma once

#include <optional>

#include "engine/match.h"
#include "engine/random.h"

namespace velloxa {

struct EnemyMove {
    int slot = 0;  // hand slot of the enemy's tile
    Spot spot;
};

// The enemy's points after dropping `tile` on `spot`, plus a small judgement
// of how well the tile sits there. Draws from `random`; changes no match.
double predict_score(const MatchState& match, const TileRules& tiles, Spot spot, int tile,
                     Random& random);

// The move the enemy makes at `level` (the battle mode's level when it has
// one, otherwise the difficulty); none when no tile can be dropped anywhere.
std::optional<EnemyMove> choose_enemy_move(const MatchState& match, const TileRules& tiles,
                                           Random& random, int difficulty, int battle_mode);

}  // namespace velloxa
