#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "cards/text.h"
#include "io/wildcard.h"
#include "support/harness.h"

namespace velloxa::testing {
namespace {

// The output reading a language file that holds `content`.
struct Language : ::testing::Test {
    void load(const std::string& content) {
        h.home.write("language.txt", content);
        out.load_language_file();
    }
    std::string translate(std::string text) {
        out.translate(text);
        return text;
    }
    const Lines& patterns() const { return out.language().language_from; }
    Harness h;
    Output out{*h.platform, Folders{h.home.path(), h.home.path()}};
};

// Thirty "*a": a pattern that backtracks without end unless bounded.
const std::string kStars = [] {
    std::string stars;
    for (int i = 0; i < 30; ++i) stars += "*a";
    return stars;
}();

bool matches(const std::string& text, const std::string& pattern) {
    return wildcard_match(code_points(text), code_points(pattern));
}

// No file, no entries. Empty lines are skipped and a match without a
// replacement is dropped; lengths count characters; the longest comes first
// and among equals the later line.
TEST_F(Language, WhatIsReadAndInWhichOrder) {
    out.load_language_file();
    EXPECT_EQ(out.language().entry_count, 0);
    const std::pair<std::string, Lines> files[] = {
        {"T\n\nA\n\n\nB\n   \nspaces\nLone\n\n", {"   ", "A"}},
        // "ééé" (six bytes) is shorter than "abcd".
        {"T\n\xC3\xA9\xC3\xA9\xC3\xA9\n1\nabcd\n2\n", {"abcd", "\xC3\xA9\xC3\xA9\xC3\xA9"}},
        // "Tile $T: " is nine characters as read, so it goes before the stored
        // nine although its own pattern is eight long.
        {"Title\r\nabcdefghi\r\nNine\r\naaa\r\nfirst\r\nTile $T: \r\nTile $T!\r\n\r\nbbb\r\n\r\n"
         "second\r\n",
         {"Tile *: ", "abcdefghi", "bbb", "aaa"}}};
    for (const auto& [file, expected] : files) {
        load(file);
        EXPECT_EQ(patterns(), expected);
    }
    EXPECT_EQ(out.language().language_to, (Lines{"Tile $T!", "Nine", "second", "first"}));
    EXPECT_EQ(translate("Tile Ember Fox: "), "Tile Ember Fox!");
    EXPECT_EQ(translate("Tile Ember Fox"), "Tile Ember Fox");
    // Not UTF-8: the Windows code page, kept internally as UTF-8.
    load("Title\r\ncaf\xE9\r\n\x93quoted\x94\r\n");
    EXPECT_EQ(translate("caf\xC3\xA9"), "\xE2\x80\x9Cquoted\xE2\x80\x9D");
}

TEST_F(Language, TableOrderMatchesPlainInsertion) {
    // Mixed lengths, some with "$T", past the size limit of 6000: the table
    // must be what inserting one pair after the other into a plain list gives.
    std::string file = "Title\n";
    Lines stored;
    std::vector<size_t> order;  // positions in `stored`, in table order
    uint32_t r = 12345;
    for (size_t i = 0; i < 7000; ++i) {
        r = r * 1103515245u + 12345u;
        std::string match(1 + (r >> 16) % 12, static_cast<char>('a' + i % 26));
        if (r % 3 == 0) match += "$T";
        file += match + "\n" + std::to_string(i) + "\n";
        stored.push_back(match.ends_with("$T") ? match.substr(0, match.size() - 2) + "*" : match);
        size_t at = 0;
        while (at < order.size() && stored[order[at]].size() > match.size()) ++at;
        if (at < 6000) order.insert(order.begin() + static_cast<long>(at), i);
        if (order.size() > 6000) order.pop_back();
    }
    Lines expected;
    for (const size_t i : order) expected.push_back(stored[i]);
    load(file);
    EXPECT_EQ(patterns(), expected);
}

TEST_F(Language, CapturesAndChains) {
    load(
        "T\nYou drop $T\nVous posez $T\nGood morning\nMorning\nMorning\nHi $T\n"
        "$T, Empty tile.\n$T: vide\n, Empty tile.\nnever\n[abc]*\n<$T>\nxy?\n[$T]\n"
        "[*]Z$T\n{$T}\n");
    EXPECT_EQ(translate("You drop Ember Fox onto spot 1, 2."),
              "Vous posez Ember Fox onto spot 1, 2.");
    // Every entry is tried once per text, so a replacement is rewritten again.
    EXPECT_EQ(translate("Good morning"), "Hi ");
    EXPECT_EQ(translate("3 1, Empty tile."), "3 1: vide");
    // The first "*" beyond the end of the text, or no "*": nothing captured.
    EXPECT_EQ(translate("a"), "<>");
    EXPECT_EQ(translate("xyz"), "[]");
    // The first "*" counts also inside a list.
    EXPECT_EQ(translate("*Zabc"), "{Z}");
}

TEST(LanguageWildcard, PatternCharactersAndManyStars) {
    // clang-format off
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Spot 3", "Spot ?", true}, {"Spot 33", "Spot ?", false}, {"7 to 5", "# to #", true},
        {"Dat", "[A-C]at", false}, {"Dat", "[!A-C]at", true}, {"-y", "[-x]y", true},
        {"-y", "[x-]y", true}, {"*", "[*]", true}, {"b", "[z-ab]", true}, {"qa", "[!]a", true},
        {"]a", "[]a", false}, {"a", "[a", false}, {"-", "[a-]", true}, {"-", "[a-c-e]", true},
        {"d", "[a-c-e]", false}, {"e", "[a-c-e]", true}, {"]", "[!]]", false},
        {"a]", "[!]]", true}, {"ABC", "abc", false}, {"xaaab", "*a*b", true},
        {"xaaab", "*a*c", false}, {"\xD9\xA7", "#", false}, {"Spot \xC3\xA9", "Spot ?", true}};
    // clang-format on
    for (const auto& [text, pattern, match] : cases)
        EXPECT_EQ(matches(text, pattern), match) << text << " " << pattern;
    const std::string text(4000, 'a');
    EXPECT_FALSE(matches(text, kStars + "*b"));
    EXPECT_TRUE(matches(text, kStars + "*"));
    EXPECT_FALSE(matches(text, "*" + std::string(2000, 'a') + "b*"));
}

TEST_F(Language, HostileFilesDoNoHarm) {
    std::string binary;
    for (uint32_t i = 0; i < 300000; ++i) binary += static_cast<char>(i * 7919u % 256u);
    load(binary);
    translate("Welcome to Nebbin's Velloxa, version 0.5f.  Main menu.");

    // Entries that double the text stop before it passes 4000 characters.
    std::string file = "T\n";
    for (int i = 0; i < 20; ++i) file += "*\n$T$T\n";
    for (int i = 0; i < 200; ++i) file += kStars + "*b" + std::to_string(i) + "\nx\n";
    load(file);
    std::string expected = "0123456789";
    while (expected.size() * 2 <= 4000) expected += expected;
    EXPECT_EQ(translate("0123456789"), expected);
}

TEST_F(Language, HostileEntriesWithinTheBudgetTranslateAsBefore) {
    std::string file =
        "T\nYou drop $T\nVous posez $T\n$T, Empty tile.\n$T: vide\nSapi on\nVoix active\n";
    const std::string list = "[" + std::string(2000, 'z') + "]";
    for (int i = 0; i < 200; ++i) {
        file += list + "*\nx\n";
        file += kStars + "*b" + std::to_string(i) + "\nx\n";
        file += "You drop " + std::string(5000, 'q') + "\nx\n";
        file += "$T\n$T" + std::string(5000, 'r') + "\n";
    }
    load(file);
    EXPECT_EQ(translate("You drop Ember Fox onto spot 1, 2."),
              "Vous posez Ember Fox onto spot 1, 2.");
    EXPECT_EQ(translate("3 1, Empty tile."), "3 1: vide");
    EXPECT_EQ(translate("Sapi on"), "Voix active");
    EXPECT_EQ(translate("Good luck"), "Good luck");
}

TEST_F(Language, SpentBudgetLeavesTheRemainingEntriesOut) {
    // Each entry looks at every character of its list; within the budget
    // the entries translate as before (above).
    constexpr uint64_t kList = 10000;
    std::string file = "T\nSapi on\nVoix active\n";
    for (uint64_t i = 0; i <= velloxa::Language::kTranslateSteps / kList; ++i)
        file += "[" + std::string(kList, 'z') + "]*\nx\n";
    load(file);
    EXPECT_EQ(translate("Sapi on"), "Sapi on");
}

TEST_F(Language, SpokenTextsPassThroughTranslation) {
    load("T\r\nSapi on\r\nVoix active\r\n");
    out.create_voice();
    out.say("Sapi on");
    EXPECT_EQ(h.lines(), Lines{"speak Voix active"});
}

}  // namespace
}  // namespace velloxa::testing
