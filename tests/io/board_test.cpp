// The board drawing for onlookers: every spot's text stands out from its fill.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "cards/cards_support.h"
#include "io/describe.h"

namespace velloxa::testing {
namespace {

// Keeps the last fill and the colours of the texts written on it.
struct InkCanvas : Canvas {
    Rgb fill;
    std::vector<std::pair<Rgb, std::set<std::vector<int>>>> spots;
    std::pair<int, int> inner_size() override { return {600, 600}; }
    void begin_board(const BoardPicture&) override {}
    void fill_rect(int, int, int, int, Rgb colour) override {
        fill = colour;
        spots.push_back({colour, {}});
    }
    void outline_rect(int, int, int, int, Rgb) override {}
    void text(int, int, double, Rgb colour, const std::string&) override {
        spots.back().second.insert({colour.r, colour.g, colour.b});
    }
    void end_board() override {}
};

TEST(Board, TextIsBlackOrWhiteWhicheverContrastsMoreWithTheFill) {
    MatchState match;
    const int tile = tile_of(1, 0);
    // A tile of each side, with and without the cursor on it.
    for (int y = 1; y <= 3; ++y) {
        match.place(Spot{1, y}, tile, Side::Player);
        match.place(Spot{2, y}, tile, Side::Enemy);
        match.place(Spot{3, y}, tile, Side::Nobody);  // drawn on the grey of an empty spot
    }
    const std::vector<int> black{0, 0, 0}, white{255, 255, 255};
    const std::map<std::vector<int>, std::vector<int>> expected = {
        {{200, 0, 0}, white}, {{255, 0, 0}, black},     {{0, 0, 170}, white},
        {{0, 0, 255}, white}, {{200, 200, 200}, black}, {{255, 255, 255}, black},
    };
    std::set<std::vector<int>> seen;
    for (const auto& [x, y] : {std::pair{1, 1}, {2, 2}, {3, 3}}) {
        match.cursor = Spot{x, y};
        InkCanvas canvas;
        draw_board(canvas, match, catalogue());
        ASSERT_EQ(canvas.spots.size(), 9u);
        for (const auto& [fill, inks] : canvas.spots) {
            const std::vector<int> f{fill.r, fill.g, fill.b};
            SCOPED_TRACE(::testing::PrintToString(f));
            ASSERT_EQ(inks.size(), 1u);  // name and attacks alike
            EXPECT_EQ(*inks.begin(), expected.at(f));
            seen.insert(f);
        }
    }
    EXPECT_EQ(seen.size(), expected.size());
}

}  // namespace
}  // namespace velloxa::testing
