#include <algorithm>
#include <cmath>
#include <string>

#include "cards/text.h"
#include "io/describe.h"

namespace velloxa {

namespace {

// Characters, not bytes, decide how small a long name is written.
int px(double v) {
    return static_cast<int>(std::lround(v));
}

// Relative luminance of an sRGB colour, as contrast ratios are defined.
double luminance(Rgb c) {
    auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// Black or white, whichever stands out more against the fill: onlookers who
// see poorly still read the names and attacks on every spot.
Rgb text_colour(Rgb fill) {
    const double l = luminance(fill);
    const double on_black = (l + 0.05) / 0.05;
    const double on_white = 1.05 / (l + 0.05);
    return on_black >= on_white ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

}  // namespace

void draw_board(Canvas& canvas, const Texts& texts, const MatchState& match,
                const Catalogue& cards) {
    BoardPicture picture;
    picture.cursor_x = match.cursor.x;
    picture.cursor_y = match.cursor.y;
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y)
            picture.cells[static_cast<size_t>((x - 1) * 3 + y - 1)] = {
                match.tile_at(Spot{x, y}), static_cast<int>(match.owner_at(Spot{x, y}))};
    canvas.begin_board(picture);
    const auto [width, height] = canvas.inner_size();
    const double s = std::min(width / 3.0, height / 3.0);
    const Rgb black{0, 0, 0};
    for (int x = 1; x <= 3; ++x) {
        for (int y = 1; y <= 3; ++y) {
            const double left = (x - 1) * s;
            const double top = (y - 1) * s;
            const bool cursor = x == match.cursor.x && y == match.cursor.y;
            Rgb fill;
            switch (match.owner_at(Spot{x, y})) {
                case Side::Player:
                    fill = cursor ? Rgb{255, 0, 0} : Rgb{200, 0, 0};
                    break;
                case Side::Enemy:
                    fill = cursor ? Rgb{0, 0, 255} : Rgb{0, 0, 170};
                    break;
                default:
                    fill = cursor ? Rgb{255, 255, 255} : Rgb{200, 200, 200};
                    break;
            }
            canvas.fill_rect(px(left), px(top), px(left + s - 3), px(top + s - 3), fill);
            canvas.outline_rect(px(left), px(top), px(left + s - 3), px(top + s - 3),
                                cursor ? Rgb{0, 255, 0} : black);
            const int t = match.tile_at(Spot{x, y});
            if (t == 0) continue;
            const std::string name = texts.content(cards.tile(t).name);
            const Rgb ink = text_colour(fill);
            canvas.text(px(left + 20), px(top + 0.22 * s),
                        s / (static_cast<int>(text_length(name)) + 1), ink, name);
            canvas.text(px(left + s / 2 - 18), px(top + 5), 24, ink,
                        std::to_string(cards.tile(t).up));
            canvas.text(px(left + s / 2 - 18), px(top + 0.75 * s), 24, ink,
                        std::to_string(cards.tile(t).down));
            canvas.text(px(left + 5), px(top + 0.4 * s), 24, ink,
                        std::to_string(cards.tile(t).left));
            canvas.text(px(left + 0.75 * s), px(top + 0.4 * s), 24, ink,
                        std::to_string(cards.tile(t).right));
        }
    }
    canvas.end_board();
}

}  // namespace velloxa
