// A started game in an empty temporary home folder, shared by the
// benchmarks.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>

#include "flow/game.h"
#include "platform/headless/headless.h"

namespace velloxa::bench {

inline std::string make_home() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "velloxa-bench-XXXXXX").string();
    if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return tmpl;
}

// A started game in an empty home folder whose transcript goes nowhere.
class Table {
  public:
    Table()
        : home_(make_home()),
          host_({}, HeadlessOptions{}, null_),
          platform_(host_.platform()),
          game(platform_, StartOptions{Folders{home_, home_}, 1}) {
        // No sound files exist; with the sound set switched off (an empty
        // sound folder line) nothing is looked up and the debug log does not
        // grow during the run.
        std::ofstream(home_ + "/progress.ini", std::ios::binary) << "0\r\n3\r\n2\r\n\r\n";
        game.start();
    }
    ~Table() {
        std::error_code ec;
        std::filesystem::remove_all(home_, ec);
    }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // An output of its own on the same platform and folder, for measuring
    // the language file apart from the game.
    Output output() { return Output(platform_, Folders{home_, home_}); }

    // Hands of five consecutive tiles each, starting at the tiles given.
    void new_battle(int first_player_tile, int first_enemy_tile, Side turn) {
        MatchState m;
        for (int s = 1; s <= 5; ++s) {
            m.hand(Side::Player).set(s, first_player_tile + s - 1);
            m.hand(Side::Enemy).set(s, first_enemy_tile + s - 1);
        }
        m.cursor = Spot{2, 2};
        m.turn = turn;
        game.set_position(m);
    }

    // The enemy's move, from the position as it stands.
    void enemy_move() {
        MatchState m = game.position();
        m.turn = Side::Enemy;
        game.set_position(m);
        game.run_enemy_turn();
    }

    // The user's side plays its first tile on the first empty spot.
    void player_drop() {
        MatchState m = game.position();
        int slot = 1;
        while (m.hand(Side::Player).tile(slot) == 0) ++slot;
        for (int x = 1; x <= 3; ++x)
            for (int y = 1; y <= 3; ++y)
                if (m.tile_at(Spot{x, y}) == 0) {
                    game.drop_tile(Spot{x, y}, m.hand(Side::Player).tile(slot), Side::Player);
                    m = game.position();
                    m.hand(Side::Player).set(slot, 0);
                    m.turn = Side::Enemy;
                    game.set_position(m);
                    return;
                }
    }

  private:
    std::ostream null_{nullptr};
    std::string home_;
    Headless host_;
    Platform platform_;

  public:
    Game game;
};

}  // namespace velloxa::bench
