// The game object: owns every piece of state and carries every routine.
// The routines are defined in the subsystem folders (engine/, cards/,
// flow/, io/); this header is their one meeting point.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards/catalogue.h"
#include "cards/collection.h"
#include "engine/match.h"
#include "engine/random.h"
#include "flow/menus.h"
#include "io/language.h"
#include "io/platform.h"
#include "io/sound.h"
#include "io/speech.h"

namespace velloxa {

struct Folders {
    std::string app;   // sounds are looked for here
    std::string data;  // progress.ini, debuglog.txt and language.txt
};

struct StartOptions {
    Folders folders;
    uint64_t seed = 0;  // the caller takes the seconds since midnight when none is given
};

// Thrown when Shift+Escape leaves a battle in the middle of a move; caught
// where the outermost key is handled. Not a std::exception, so that the
// guards around single platform calls let it pass.
struct MoveAbandoned {};

// Where key handling stands: how deep keys are nested inside waits and
// yields, how many keys were handled, how many moves are open.
struct KeyDispatch {
    int depth = 0;
    uint64_t handled = 0;
    int movesopen = 0;
};

class Game : public EventSink {
  public:
    Game(Platform& platform, StartOptions options);

    // ---- start-up and keys (flow/startup.cpp, flow/keys.cpp)
    // Returns false when start-up ended the program (no sound device).
    bool Form_Load();
    void Form_KeyDown(int keycode, int shift);
    void Form_Paint();
    // Every key enters here; the outermost call is where a battle left in the
    // middle of a move finishes unwinding.
    void on_key(int code, int state) override;
    void on_paint() override { Form_Paint(); }

    // ---- match engine (engine/)
    void droptile(int tempa, int tempb, int tempcard, int tempteam, int tempcompound);
    double predictscore(int tempa, int tempb, int tempcard);
    void runai();
    void evaluate(int tempteam, int t, int x, int y);  // the move evaluation while simulating
    void list2additem(const std::string& tempm);
    void hold(double seconds);
    void holder_Timer();

    // ---- cards and collection (cards/)
    void buildcards();
    void starterdeck();
    void resetdeck();
    void instantdecks();
    // Deal counts c[1..5] by rarity into hand slots 1, 2, ...; side 1, side 2 or both (0).
    void dealbyrarity(std::array<int, 6> counts, int sides);
    // Puts unlocked(position) into deck slot `slot` and returns the text to
    // speak; `changed` tells the caller to save once the text is spoken.
    std::string puttile(int position, int slot, bool& changed);
    // Rarity counts c[1..5] of an instant battle for a roll of 1 to 100.
    static std::array<int, 6> instantcounts(int roll);
    int firstemptyslot() const;  // 0 when the deck is complete
    void takecard();
    void saveprogress();
    void loadprogress();
    std::string progresstext() const;  // the file content saveprogress writes

    // ---- flow (flow/)
    void menus(int keycode, int shift);
    void showmenu(int menu, int item);  // switch menus and speak the new current item
    void cycleme(int keycode, int shift, int temp, int flock);
    // One block of `menus` per menu (menus.cpp, campaign.cpp, deckmenu.cpp).
    void mainmenu(int keycode, int shift);
    void newgamemenu(int keycode, int shift);
    void helpmenu(int keycode, int shift);
    void challengemenu(int keycode, int shift);
    void summarymenu(int keycode, int shift);
    void continuebattle();  // Enter on the summary's last item
    void deckmenu(int keycode, int shift);
    void boardkey(int keycode, int shift);  // a key on the battle board (keys.cpp)
    void startusout();
    // Rarity counts c[1..5] of a campaign opponent's hand; all 0 when it has none.
    static std::array<int, 6> opponentcounts(int opponent);
    void announcecoinflip(const std::string& leadin);
    void dropusertile();  // Shift+digit on the board, after its checks

    // ---- speech, sound, descriptions, language, drawing (io/)
    void sayit(std::string tempm);
    void setupsapi();
    void loadjaws();
    void nextroute();            // Tab
    void changerate(int delta);  // Page Up / Page Down
    void resettitle();
    void makesound(std::string tempm, double tempv, double tempp, int temploop, int bufferindex);
    void setsound(int bufferindex, std::string& tempm);
    void preloadsounds();  // every slot gets the menu step sound, never rewritten
    void setvol(int z, double& w);
    void setpan(int z, double& w);
    void sound2d(int tempa, int tempb, double& tempv, double& tempp);
    void loadlanguagefile();
    void Translate(std::string& tempm);
    std::string stattext(int t) const;
    void showtile();
    void describehand(int side, int slot);
    void drawscreen();
    void debuglog(const std::string& line);

    // Full paths of the fixed files.
    std::string apppath(const std::string& relative) const { return folders.app + relative; }
    std::string datapath(const std::string& relative) const { return folders.data + relative; }

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
    KeyDispatch keys;
    Folders folders;
    uint64_t seed;
    Random random;
    MatchState match;
    AnnouncementQueue queue;
    Holder holder;
    Catalogue cards;
    Collection collection;
    Menus ui;
    Speech speech;
    Sound sound;
    Language language;
};

}  // namespace velloxa
