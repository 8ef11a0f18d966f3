// A game on the headless platform inside a test: a fresh home folder, a key
// script, and the transcript as a list of lines.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "flow/game.h"
#include "platform/headless/headless.h"

namespace velloxa::testing {

// Thrown instead of ending the test process.
struct ProgramEnded {};

class TestHost : public Headless {
  public:
    using Headless::Headless;
    void end() override {
        Headless::end_line();
        throw ProgramEnded{};
    }
};

// The whole content of a file; empty when it cannot be read.
std::string read_file(const std::string& path);

// The root of the source tree, where the shipped files come from.
std::string source_folder();

// Polls until `done` (what another thread or process does); false once the
// limit, only a guard against a hang, has passed.
bool wait_until(const std::function<bool()>& done, int seconds = 60);

// A temporary folder removed with everything in it at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    void write(const std::string& relative, const std::string& content) const;
    std::string read(const std::string& relative) const;
    // The names of the files and folders in it, sorted.
    std::vector<std::string> names(const std::string& relative = "") const;
    // Creates the standard sound files (empty files count as present headless).
    void add_sounds(const std::string& folder = "sounds") const;

  private:
    std::string path_;
};

// The services a test puts in place of the headless ones; null keeps them.
struct Replacements {
    ScreenReader* reader = nullptr;
    KeyInjector* keys = nullptr;
    SoundDevice* sound = nullptr;
    FileStore* files = nullptr;
};
Platform with_services(const Platform& base, Replacements with);

struct HarnessOptions {
    std::string script{};  // key script text
    uint64_t seed = 1;
    HeadlessOptions headless{};
    std::optional<Catalogue> tiles{};  // the built-in tiles when not given
    KeyInjector* keys = nullptr;       // the headless injector when not given
    Texts texts{};                     // the texts as written when not given
};

// The catalogue msgfmt compiles from the .po text `po`, as the game's texts
// for `system`; the test fails when it does not compile.
Texts compiled_texts(const std::string& po, const std::string& system = "linux");

class Harness {
  public:
    explicit Harness(HarnessOptions options = {});
    // Makes the game anew (not started) with the test's own services.
    void use(Replacements with);
    // Runs start-up (and the script, when `run` is true).
    void start(bool run = true);
    // Delivers more keys from the top level, as further script lines.
    void keys(const std::string& script);
    // The transcript so far, one entry per line; `take` also clears it.
    std::vector<std::string> lines() const;
    std::vector<std::string> take();
    // Only the lines beginning with `prefix` (for example "speak ").
    std::vector<std::string> only(const std::string& prefix) const;
    // The texts spoken while `script` is delivered (earlier lines are dropped).
    std::vector<std::string> said(const std::string& script);

    TempDir home;
    std::ostringstream out;
    std::unique_ptr<TestHost> host;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<Game> game;
    bool ended = false;

  private:
    HarnessOptions options_;
};

using Lines = std::vector<std::string>;

// A progress file with speech route 0, voice rate 2 and the sounds folder:
// the difficulty, the campaign position, the collection and the five deck
// slots (0 for an empty slot; the first five tiles by default), tiles given by
// catalogue index.
std::string progress_file(int difficulty, int opponent, const std::vector<int>& collection = {},
                          const std::vector<int>& deck = {1, 2, 3, 4, 5});

// A game started with the standard sounds and, when given, a progress file.
std::unique_ptr<Harness> started_game(const std::string& progress = "",
                                      HarnessOptions options = {});

// A started game with the standard sounds, the fixture most game tests share.
struct StartedGame : ::testing::Test {
    Harness h;
    Game& g() { return *h.game; }
    void SetUp() override {
        h.home.add_sounds();
        h.start();
    }
};

}  // namespace velloxa::testing
