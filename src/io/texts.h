// The texts the game composes, in the player's language. Each is written in
// the code in English with named parts ("You drop {tile} onto spot {x},
// {y}."); a message catalogue may give it in another language. Without one
// every text comes out exactly as written, so a run with no language chosen
// is the English the game has always spoken.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "io/message_catalogue.h"

namespace velloxa {

class Texts {
  public:
    Texts() = default;
    explicit Texts(MessageCatalogue catalogue) : catalogue_(std::move(catalogue)) {}

    bool translated() const { return catalogue_.has_value(); }

    // `english` from the catalogue (or as it is), its parts filled in.
    std::string tr(std::string_view english, std::initializer_list<Placeholder> parts = {}) const;
    // The form for `count` of a text with a singular and a plural; the
    // count is the part named "count".
    std::string tr_plural(std::string_view one, std::string_view many, uint64_t count,
                          std::initializer_list<Placeholder> parts = {}) const;
    // A line of the content that names a tile as "$T" (a capture line):
    // the catalogue knows it with "{tile}" in that place.
    std::string tr_naming_tile(std::string_view content, std::string_view tile) const;

  private:
    std::optional<MessageCatalogue> catalogue_;
};

}  // namespace velloxa
