// Dealing tiles into hands and decks, and the deck menu's slot rules.
#pragma once

#include <array>
#include <vector>

#include "cards/catalogue.h"
#include "cards/collection.h"
#include "engine/match.h"
#include "engine/random.h"

namespace velloxa {

// Tile counts by rarity, [1] to [5]; [0] is unused.
using RarityCounts = std::array<int, 6>;

// Which hands a deal fills.
enum class Hands { Player, Enemy, Both };

// The new campaign's collection: four tiles of rarity 1 and one of rarity 2,
// which also form the deck and the user's hand.
void deal_starter_deck(Collection& collection, MatchState& match, const Catalogue& cards,
                       Random& random);
// The user's hand from the deck.
void deal_deck_to_hand(const Collection& collection, MatchState& match);
// Rarity counts of an Instant action battle for a roll of 1 to 100.
RarityCounts instant_rarity_counts(int roll);
void deal_instant_hands(Collection& collection, MatchState& match, const Catalogue& cards,
                        Random& random);
// Deals the counts into hand slots 1, 2, ... of the hands named.
void deal_by_rarity(Collection& collection, MatchState& match, const Catalogue& cards,
                    Random& random, RarityCounts counts, Hands hands);

// What putting a tile into a deck slot did.
struct Placement {
    enum class Outcome { Refused, AlreadyThere, TooRare, Placed };
    Outcome outcome = Outcome::Refused;  // Refused: no such tile or slot
    int slot = 0;
    int tile = 0;              // the tile put in
    int returned = 0;          // the tile it sent back to the pocket
    std::vector<int> emptied;  // slots that held the same tile
    bool changed() const { return outcome == Outcome::Placed; }
};
// Puts unlocked(position) into deck slot `slot`.
Placement put_tile_in_deck(Collection& collection, const Catalogue& cards, int position, int slot);
// The first empty deck slot; 0 when the deck is complete.
int first_empty_deck_slot(const Collection& collection);

}  // namespace velloxa
