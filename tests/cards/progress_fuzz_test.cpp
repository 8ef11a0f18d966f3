// Randomised damage to valid progress files: whatever the reader meets, the
// game starts with its state within bounds, and what it writes back reads
// back to the same state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cards/cards_support.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

std::vector<std::string> validfiles(const Game& g) {
    const auto one = tilesofrarity(g, 1), two = tilesofrarity(g, 2);
    const int three = tilesofrarity(g, 3)[0];
    std::string full = "1\r\n4\r\n6\r\nsounds\r\n4\r\n5\r\n7\r\n";
    for (int t : {one[0], one[1], one[2], one[3], two[0], two[1], three,  // the list
                  one[0], one[1], two[1], two[0], three})                 // the deck
        full += nameof(g, t) + "\r\n";
    const std::string &a = g.cards.former[0].second, &b = g.cards.former[1].second;
    const std::string former = "0\n2\n3\nold set\n2\n2\n2\n" + a + "\n" + b + "\n" +
                               nameof(g, one[0]) + "\n\n" + b + "\n\n\n";
    return {full, former, "3\r\n1\r\n9\r\nsounds\r\n", "\xEF\xBB\xBF" + full};
}

// One to four steps of damage: a cut, a changed byte, a line inserted at a
// line start, a line removed or a run of random bytes.
std::string mutate(std::string file, Random& r, const std::vector<std::string>& pool) {
    for (int step = 1 + r.below(4); step > 0; --step) {
        const size_t at = static_cast<size_t>(r.below(static_cast<int>(file.size()) + 1));
        const size_t start = file.rfind('\n', at) + 1;  // npos + 1 is 0: the file start
        const size_t end = file.find('\n', at);
        const std::string& line = pool[static_cast<size_t>(r.below(static_cast<int>(pool.size())))];
        const int kind = r.below(5);
        if (kind == 0) file.resize(at);
        if (kind == 1 && at < file.size()) file[at] = static_cast<char>(r.below(256));
        if (kind == 2) file.insert(start, line + "\r\n");
        if (kind == 3) file.erase(at, end == std::string::npos ? end : end - at + 1);
        for (int n = kind == 4 ? r.below(16) : 0; n > 0; --n)
            file.insert(at, 1, static_cast<char>(r.below(256)));
    }
    return file;
}

// Loads `file`, checks that the state stays within bounds and returns what
// the game writes back; `finite` tells whether the rate read is a number.
std::string loadandwrite(const std::string& file, bool& finite) {
    Harness h;
    h.home.write("progress.ini", file);
    h.start(false);
    const Game& g = *h.game;
    const Collection& c = g.collection;
    const auto known = [&](int t) { return t >= 0 && t <= g.cards.cardcount; };
    EXPECT_TRUE(c.unlockedcount >= 0 && c.unlockedcount <= 999 &&
                std::all_of(c.unlocked.begin(), c.unlocked.end(), known) &&
                std::all_of(c.deck[1].begin(), c.deck[1].end(), known) && g.ui.difficulty >= 1 &&
                g.ui.difficulty <= 5)
        << ::testing::PrintToString(file);
    finite = std::isfinite(g.out.speech.sapirate);
    return g.progresstext();
}

// What a second reading must reproduce. A name the reader gave up on is
// written as an empty line, which stops the next reading at the same place;
// the deck lines after it are then not read again, and need not be.
std::string stable(const std::string& written) {
    std::vector<size_t> ends;
    for (size_t p = written.find("\r\n"); p != std::string::npos; p = written.find("\r\n", p + 2))
        ends.push_back(p);
    const int count = std::stoi(written.substr(ends[5] + 2, ends[6] - ends[5] - 2));
    for (size_t line = 7; line < 7 + static_cast<size_t>(count); ++line)
        if (ends[line] == ends[line - 1] + 2) return written.substr(0, ends[line - 1] + 2);
    return written;
}

TEST(ProgressFuzz, DamagedFilesLoadWithinBoundsAndRoundTrip) {
    Harness probe;
    probe.start(false);
    const Game& g = *probe.game;
    const auto files = validfiles(g);
    std::vector<std::string> pool = {"",     "abc",   "1e12",     "-5", "999999999999", "  7  ",
                                     "0x10", "1e400", "\xFF\xFE", "\t", "5.5",          "nan"};
    for (int t : {1, 12, 18, 40, g.cards.cardcount}) pool.push_back(nameof(g, t));
    for (const auto& [index, text] : g.cards.former) pool.push_back(text);

    bool finite = true;
    for (const std::string& file : files)  // every cut of a valid file
        for (size_t n = 0; n <= file.size() && !HasFailure(); ++n)
            loadandwrite(file.substr(0, n), finite);
    Random r(20240611);
    for (int i = 0; i < 800 && !HasFailure(); ++i) {
        const std::string file = mutate(files[static_cast<size_t>(i) % files.size()], r, pool);
        const std::string written = loadandwrite(file, finite);
        if (!finite) continue;  // an overflowing rate is written as text no reader takes
        EXPECT_EQ(stable(loadandwrite(written, finite)), stable(written))
            << ::testing::PrintToString(file);
    }
}

}  // namespace
}  // namespace velloxa
