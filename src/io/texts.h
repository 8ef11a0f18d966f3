// The texts the game composes, in the player's language. Each is written in
// the code in English with named parts ("You drop {tile} onto spot {x},
// {y}."); a message catalogue may give it in another language. Without one
// every text comes out exactly as written, so a run with no language chosen
// is the English the game has always spoken.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "io/message_catalogue.h"

namespace velloxa {

// Marks an English text in a table for the translators' template; it is
// looked up where it is said.
constexpr const char* translatable(const char* english) {
    return english;
}

class Texts {
  public:
    Texts() = default;
    // `system` ("linux", "windows") picks a catalogue's entries written for
    // one system (keys and speech routes differ) over the shared ones; with
    // none, only the shared ones are read.
    Texts(MessageCatalogue catalogue, std::string system)
        : catalogue_(std::move(catalogue)), system_(std::move(system)) {}

    bool translated() const { return catalogue_.has_value(); }

    // `english` from the catalogue (or as it is), its parts filled in.
    std::string tr(std::string_view english, std::initializer_list<Placeholder> parts = {}) const;
    // A text of the content tables (a tile's name or description, a story
    // text), which has no parts to fill.
    std::string content(std::string_view english) const;
    // A tile's own capture line, which names the captured tile "$T": the
    // catalogue knows it with "{tile}" in that place.
    std::string capture_line(std::string_view content, std::string_view tile) const;

  private:
    const std::string* lookup(std::string_view english) const;

    std::optional<MessageCatalogue> catalogue_;
    std::string system_;
};

}  // namespace velloxa
