// The campaign: the collection with its deck and position, the difficulty,
// the progress file that keeps them and the reward of a won battle.
#pragma once

#include <string>

#include "cards/catalogue.h"
#include "cards/collection.h"
#include "cards/decks.h"
#include "engine/match.h"
#include "engine/random.h"
#include "io/output.h"
#include "io/platform.h"

namespace velloxa {

class Campaign {
  public:
    Campaign(Platform& platform, Output& out, Random& random, const Catalogue& cards)
        : platform_(platform), out_(out), random_(random), cards_(cards) {}

    const Collection& collection() const { return collection_; }
    int opponent() const { return collection_.opponent; }
    int difficulty() const { return difficulty_; }
    // Rarity counts of a campaign opponent's hand; all 0 when it has none.
    static RarityCounts opponent_rarity_counts(int opponent);

    // The progress file.
    void save_progress();
    void load_progress();
    std::string progress_text() const;  // the content save_progress writes
    // A won battle's reward, spoken.
    void steal_tile();

    void step_difficulty();  // 1 to 5, then 1 again
    void begin() { collection_.opponent = 1; }
    void advance() { collection_.opponent += 1; }
    void go_back();  // to the opponent before, never from past the last
    Placement put_tile_in_deck(int position, int slot);

    // Hands dealt from the collection, or at random for Instant action.
    void deal_opponent_hand(MatchState& match);
    void deal_starter_deck(MatchState& match);
    void deal_instant_decks(MatchState& match);
    void deal_user_hand_from_deck(MatchState& match) const;

  private:
    Platform& platform_;
    Output& out_;
    Random& random_;
    const Catalogue& cards_;
    Collection collection_;
    int difficulty_ = 3;
};

}  // namespace velloxa
