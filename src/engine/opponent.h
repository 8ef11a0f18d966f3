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

// A campaign battle plays at the player's difficulty, Instant action at a
// level of its own.
enum class BattleMode { Campaign, InstantAction };
inline constexpr int kInstantActionLevel = 4;

// The level, 1 to 5, that hides the enemy's tiles and guides its moves.
constexpr int battle_level(BattleMode mode, int difficulty) {
    return mode == BattleMode::InstantAction ? kInstantActionLevel : difficulty;
}

// The move the enemy makes at the battle's level; none when no tile can be
// dropped anywhere.
std::optional<EnemyMove> choose_enemy_move(const MatchState& match, const TileRules& tiles,
                                           Random& random, int difficulty, BattleMode mode);

}  // namespace velloxa
