// The game object: owns every piece of state and wires the layers below it
// (the match engine, the cards, the output) to the keys the platform
// delivers. Its routines live in the files of this folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards/catalogue.h"
#include "cards/collection.h"
#include "cards/decks.h"
#include "engine/match.h"
#include "engine/random.h"
#include "engine/waits.h"
#include "flow/menus.h"
#include "io/describe.h"
#include "io/output.h"
#include "io/platform.h"

namespace velloxa {

struct StartOptions {
    Folders folders;
    uint64_t seed = 0;
};

// Thrown when Shift+Escape leaves a battle in the middle of a move; caught
// where the outermost key is handled. Not a std::exception, so that the
// guards around single platform calls let it pass.
struct MoveAbandoned {};

// Where key handling stands: how deep keys are nested inside waits and
// yields, and how many moves are open.
struct KeyDispatch {
    int depth = 0;
    int movesopen = 0;
};

class Game : public EventSink {
  public:
    Game(Platform& platform, StartOptions options);

    // ---- start-up and keys (startup.cpp, keys.cpp)
    // Returns false when start-up ended the program (no sound device).
    bool start();
    // Every key enters here; the outermost call is where a battle left in the
    // middle of a move finishes unwinding.
    void on_key(int code, int modifiers) override;
    void on_paint() override { drawscreen(); }
    void handlekey(int code, int modifiers);
    void boardkey(int code, int modifiers);  // a key on the battle board
    void dropusertile();                     // Shift+digit on the board, after its checks
    void nextroute();                        // Tab
    void changerate(int delta);              // Page Up / Page Down

    // ---- a battle's moves (battle.cpp)
    void droptile(Spot spot, int tile, int side);
    void runai();
    void hold(double seconds) { waits.hold(seconds); }
    void startusout();
    // Rarity counts of a campaign opponent's hand; all 0 when it has none.
    static RarityCounts opponentcounts(int opponent);
    void announcecoinflip(const std::string& leadin);
    void continuebattle();  // Enter on the summary's last item

    // ---- menus (menus.cpp, campaign.cpp, deckmenu.cpp)
    void menus(int code, int modifiers);
    void showmenu(Menu menu, int item);  // switch menus and speak the new current item
    void cycleme(int code, int items, Ends ends);
    void mainmenu(int code, int modifiers);
    void newgamemenu(int code, int modifiers);
    void helpmenu(int code, int modifiers);
    void challengemenu(int code, int modifiers);
    void summarymenu(int code, int modifiers);
    void deckmenu(int code, int modifiers);

    // ---- files (files.cpp)
    void saveprogress();
    void loadprogress();
    std::string progresstext() const;  // the content saveprogress writes
    void takecard();

    void sayit(const std::string& text) { out.sayit(text); }
    void drawscreen() { velloxa::drawscreen(platform.canvas, match, cards); }

    // A move (a drop, the enemy's turn, a coin flip) running; Shift+Escape
    // during it leaves the battle and unwinds everything still open.
    class MoveScope {
      public:
        explicit MoveScope(Game& game) : game_(game) { ++game_.keys.movesopen; }
        ~MoveScope() { --game_.keys.movesopen; }
        MoveScope(const MoveScope&) = delete;
        MoveScope& operator=(const MoveScope&) = delete;

      private:
        Game& game_;
    };

    // ---- state
    Platform& platform;
    uint64_t seed;
    Random random;
    Output out;
    Waits waits;
    KeyDispatch keys;
    MatchState match;
    AnnouncementQueue queue;
    Catalogue cards;
    Collection collection;
    Menus ui;
};

}  // namespace velloxa
