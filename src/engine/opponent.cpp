#include "engine/opponent.h"

#include <array>

#include "engine/rules.h"

namespace velloxa {

namespace {

struct Try {
    double value = 0;
    int slot = 0, x = 0, y = 0;
};

// Level 5 always takes the newest best; level L chooses among the first
// 6 - L entries. Any other level is treated as the hardest so a bad value
// can never leave the opponent drawing forever.
int pick_by_level(Random& random, int level) {
    if (level >= 1 && level <= 4) return random.below(6 - level) + 1;  // mutate: ai-pick-range
    return 1;
}

// A trial drop makes no sound and takes no time; each drop of it (chain
// drops included) is judged by where its tile sits.
class Trial : public DropEffects {
  public:
    Trial(MatchState& match, const TileRules& tiles, Random& random)
        : match_(match), tiles_(tiles), random_(random) {}
    void landed(Spot) override {}
    void captured(Spot, Spot, Side, bool) override {}
    void settled(Spot spot, Side side) override { evaluate(side, spot); }

  private:
    // A little jitter to break ties, a bonus for turning a weak side to a
    // wall or to an occupied spot, a penalty for wasting a strong side on a
    // wall, and a cost for spending a rare tile. Each term is a separate
    // addition so the result does not depend on how the compiler groups them.
    void evaluate(Side side, Spot spot) {
        const int x = spot.x, y = spot.y;
        const int t = match_.tile_at(spot);
        const int l = tiles_.attack(t, Direction::Left), r = tiles_.attack(t, Direction::Right);
        const int u = tiles_.attack(t, Direction::Up), dn = tiles_.attack(t, Direction::Down);
        const auto taken = [this](int tx, int ty) { return match_.tile_at(Spot{tx, ty}) != 0; };
        const auto add = [this, side](double points) { match_.add_to_score(side, points); };
        add(random_.below(9) * 0.01);
        if (x == 1 && l < r) add(0.01 * (r - l));  // mutate: ai-wall-term
        if (x == 3 && l > r) add(0.01 * (l - r));
        if (y == 1 && u < dn) add(0.01 * (dn - u));
        if (y == 3 && u > dn) add(0.01 * (u - dn));
        if (x == 2 && taken(x - 1, y) && l < r) add(0.01);
        if (x == 2 && taken(x + 1, y) && l > r) add(0.01);
        if (y == 2 && taken(x, y - 1) && u < dn) add(0.01);
        if (y == 2 && taken(x, y + 1) && u > dn) add(0.01);
        if (x == 3 && l < r) add(-(0.01 * (r - l)));
        if (x == 1 && l > r) add(-(0.01 * (l - r)));
        if (y == 3 && u < dn) add(-(0.01 * (dn - u)));
        if (y == 1 && u > dn) add(-(0.01 * (u - dn)));
        add(-(0.02 * tiles_.rarity(t)));
    }

    MatchState& match_;
    const TileRules& tiles_;
    Random& random_;
};

}  // namespace

double predict_score(const MatchState& match, const TileRules& tiles, Spot spot, int tile,
                     Random& random) {
    MatchState trial = match;
    Trial effects(trial, tiles, random);
    resolve_drop(trial, tiles, spot, tile, Side::Enemy, Drop::Placed, effects);
    return trial.score(Side::Enemy);
}

std::optional<EnemyMove> choose_enemy_move(const MatchState& match, const TileRules& tiles,
                                           Random& random, int difficulty, BattleMode mode) {
    const auto can_try = [&match](int x, int y, int s) {
        return match.tile_at(Spot{x, y}) == 0 && match.hand(Side::Enemy).tile(s) != 0;
    };
    // Without a possible try no pick could ever succeed.
    bool possible = false;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            for (int s = 1; s <= 5; ++s) possible = possible || can_try(x, y, s);
    if (!possible) return std::nullopt;

    // Entry 1 is the newest best; only tries that beat every earlier one
    // enter, so among equal values the first in search order stays.
    double best = -1;
    std::array<Try, 6> history{};
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            for (int s = 1; s <= 5; ++s) {
                if (!can_try(x, y, s)) continue;
                const double v = predict_score(match, tiles, Spot{x, y},
                                               match.hand(Side::Enemy).tile(s), random);
                if (v > best) {  // mutate: ai-tie-takes-later
                    best = v;
                    for (int k = 5; k >= 2; --k) history[k] = history[k - 1];
                    history[1] = Try{v, s, x, y};
                }
            }

    int pick = 1;
    do {
        // Instant action draws the difficulty's pick too, then its own.
        pick = pick_by_level(random, difficulty);
        if (mode == BattleMode::InstantAction) pick = pick_by_level(random, kInstantActionLevel);
    } while (history[pick].slot == 0);
    const Try& chosen = history[pick];
    return EnemyMove{chosen.slot, Spot{chosen.x, chosen.y}};
}

}  // namespace velloxa
