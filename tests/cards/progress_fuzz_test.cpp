// Randomised damage to valid progress files: whatever the reader meets, the
// game starts, its collection stays within bounds, and what it writes back
// reads back to the same state.
#include <gtest/gtest.h>

#include <cmath>

#include "cards/cards_support.h"
#include "support/harness.h"

namespace velloxa {
namespace {

using namespace velloxa::testing;

std::vector<std::string> validfiles(const Game& g) {
    auto name = [&](int t) { return nameof(g, t); };
    const auto ones = tilesofrarity(g, 1), twos = tilesofrarity(g, 2), threes = tilesofrarity(g, 3);
    std::string full = "1\r\n4\r\n6\r\nsounds\r\n4\r\n5\r\n7\r\n";
    for (int t : {ones[0], ones[1], ones[2], ones[3], twos[0], twos[1], threes[0]})
        full += name(t) + "\r\n";
    for (int t : {ones[0], ones[1], twos[1], twos[0], threes[0]}) full += name(t) + "\r\n";
    std::string former = "0\n2\n3\nold set\n2\n2\n2\n";
    for (const auto& [index, text] : g.cards.former) former += text + "\n";
    former += name(ones[0]) + "\n\n" + g.cards.former[1].second + "\n\n\n";
    return {full, former, "3\r\n1\r\n9\r\nsounds\r\n", "\xEF\xBB\xBF" + full};
}

std::string mutate(std::string file, Random& r, const std::vector<std::string>& pool) {
    const int steps = 1 + r.below(4);
    for (int k = 0; k < steps; ++k) {
        const size_t at =
            file.empty() ? 0 : static_cast<size_t>(r.below(static_cast<int>(file.size())));
        switch (r.below(6)) {
            case 0:
                file.resize(at);
                break;  // truncated
            case 1:
                if (!file.empty()) file[at] = static_cast<char>(r.below(256));
                break;
            case 2:
                if (!file.empty()) file[at] = static_cast<char>(file[at] ^ (1 << r.below(8)));
                break;
            case 3: {  // a line inserted at a line start
                size_t start = file.rfind('\n', at);
                start = start == std::string::npos ? 0 : start + 1;
                file.insert(
                    start,
                    pool[static_cast<size_t>(r.below(static_cast<int>(pool.size())))] + "\r\n");
                break;
            }
            case 4: {  // a line removed
                const size_t end = file.find('\n', at);
                file.erase(at, end == std::string::npos ? std::string::npos : end - at + 1);
                break;
            }
            default:  // a run of binary bytes
                for (int n = r.below(16); n > 0; --n)
                    file.insert(file.begin() + static_cast<long>(std::min(at, file.size())),
                                static_cast<char>(r.below(256)));
                break;
        }
    }
    return file;
}

void checkstate(const Game& g, const std::string& file) {
    const Collection& c = g.collection;
    ASSERT_GE(c.unlockedcount, 0) << ::testing::PrintToString(file);
    ASSERT_LE(c.unlockedcount, 999) << ::testing::PrintToString(file);
    for (int i = 0; i <= 999; ++i) {
        ASSERT_GE(c.unlocked[static_cast<size_t>(i)], 0);
        ASSERT_LE(c.unlocked[static_cast<size_t>(i)], g.cards.cardcount);
    }
    for (int s = 0; s <= 5; ++s) {
        ASSERT_GE(c.deck[1][static_cast<size_t>(s)], 0);
        ASSERT_LE(c.deck[1][static_cast<size_t>(s)], g.cards.cardcount);
    }
    ASSERT_GE(g.ui.difficulty, 1);
    ASSERT_LE(g.ui.difficulty, 5);
}

std::string loadandwrite(const std::string& file, bool& finite) {
    Harness h;
    h.home.write("progress.ini", file);
    h.start(false);
    checkstate(*h.game, file);
    finite = std::isfinite(h.game->speech.sapirate);
    return h.game->progresstext();
}

// What a second reading must reproduce. A name the reader gave up on is
// written as an empty line, which stops the next reading at the same place;
// the deck lines after it are then not read again, and need not be.
std::string stable(const std::string& written) {
    std::vector<size_t> ends;
    for (size_t p = written.find("\r\n"); p != std::string::npos; p = written.find("\r\n", p + 2))
        ends.push_back(p);
    const int count = std::stoi(written.substr(ends[5] + 2, ends[6] - ends[5] - 2));
    for (int i = 0; i < count; ++i) {
        const size_t line = 7 + static_cast<size_t>(i);
        if (ends[line] == ends[line - 1] + 2) return written.substr(0, ends[line - 1] + 2);
    }
    return written;
}

TEST(ProgressFuzz, DamagedFilesLoadWithinBoundsAndRoundTrip) {
    Harness probe;
    probe.start(false);
    const auto files = validfiles(*probe.game);
    std::vector<std::string> pool = {"",     "abc",   "1e12",     "-5", "999999999999", "  7  ",
                                     "0x10", "1e400", "\xFF\xFE", "\t", "5.5",          "nan"};
    for (int t : {1, 12, 18, 40, probe.game->cards.cardcount})
        pool.push_back(nameof(*probe.game, t));
    for (const auto& [index, text] : probe.game->cards.former) pool.push_back(text);

    Random r(20240611);
    for (int i = 0; i < 800; ++i) {
        const std::string file = mutate(files[static_cast<size_t>(i) % files.size()], r, pool);
        bool finite = true;
        const std::string written = loadandwrite(file, finite);
        if (HasFatalFailure()) return;
        if (!finite) continue;  // an overflowing rate is written as text no reader takes
        bool again = true;
        const std::string reread = loadandwrite(written, again);
        if (HasFatalFailure()) return;
        EXPECT_EQ(stable(reread), stable(written)) << ::testing::PrintToString(file);
        if (HasFatalFailure()) return;
    }
}

TEST(ProgressFuzz, EveryTruncationOfAValidFileLoads) {
    Harness probe;
    probe.start(false);
    for (const std::string& file : validfiles(*probe.game)) {
        for (size_t n = 0; n <= file.size(); ++n) {
            bool finite = true;
            loadandwrite(file.substr(0, n), finite);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace velloxa
