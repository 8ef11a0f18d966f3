#include "cards/progress.h"

#include <algorithm>

#include "cards/numbers.h"
#include "cards/text.h"

namespace velloxa {

namespace {

constexpr int kMaxUnlocked = UnlockedTiles::kMax;

// The tile a name line names, former names included; 0 for none.
int tile_by_name(const Catalogue& cards, const std::string& line) {
    for (const auto& [index, name] : cards.former)
        if (name == line) return index;
    return cards.find(line);
}

}  // namespace

std::string write_progress_text(const Settings& settings, const Collection& collection,
                                const Catalogue& cards) {
    std::string text;
    auto line = [&](const std::string& s) { text += s + "\r\n"; };
    line(num(settings.speech_route));
    line(num(settings.difficulty));
    line(num(settings.voice_rate));
    line(settings.sound_folder);  // mutate: progress-write-folder
    line(num(settings.difficulty));
    line(num(collection.opponent));
    const int n = std::clamp(collection.unlocked_count, 0, kMaxUnlocked);
    line(num(n));
    for (int i = 1; i <= n; ++i) line(cards.tile(collection.unlocked.at(i)).name);
    for (int slot = 1; slot <= 5; ++slot) line(cards.tile(collection.deck.tile(slot)).name);
    return text;
}

ProgressRead read_progress(const std::string& text, const Catalogue& cards, Settings& settings,
                           Collection& collection) {
    ProgressRead result;
    // Only the lines wanted are ever copied, however large the file is.
    TextLines file(text);
    std::string line;

    // A line that holds no number leaves its value as it is; the file then
    // holds something the next save would not write back.
    auto number = [&]() -> std::optional<int64_t> {
        if (!file.next(line)) return std::nullopt;
        const auto v = parse_number(line);
        if (!v) {
            result.partial = true;
            return std::nullopt;
        }
        return whole_part(*v);
    };
    // Any other level would leave the computer opponent without a move.
    auto difficulty = [&] {
        const auto v = number();
        if (v && *v >= 1 && *v <= 5)  // mutate: progress-read-level
            settings.difficulty = static_cast<int>(*v);
        else if (v)
            result.partial = true;
    };

    if (!file.next(line)) return result;
    if (const auto v = parse_number(line))
        settings.speech_route = static_cast<int>(whole_part(*v));
    else
        result.partial = true;
    difficulty();
    if (file.next(line)) {
        if (const auto v = parse_number(line)) {
            settings.voice_rate = *v;
            result.rate_read = true;
        } else {
            result.partial = true;
        }
    }
    if (!file.next(line)) return result;
    settings.sound_folder = line;

    // A file of the short layout ends here.
    difficulty();
    if (const auto v = number()) collection.opponent = static_cast<int>(*v);
    const bool counted = file.next(line);
    if (!counted) return result;
    if (const auto v = parse_number(line))
        collection.unlocked_count =
            static_cast<int>(std::clamp<int64_t>(whole_part(*v), 0, kMaxUnlocked));
    else
        result.partial = true;

    // From here on a file that ends early was cut off (or its count is larger
    // than its names), and an unreadable name gives the campaign up: a count
    // of 5 is what the menus treat as a fresh starter collection.
    auto give_up = [&] {
        collection.unlocked_count = 5;  // mutate: progress-read-unknown-name
        result.partial = true;
        return result;
    };
    const int count = std::clamp(collection.unlocked_count, 0, kMaxUnlocked);
    for (int i = 1; i <= count; ++i) {
        if (!file.next(line)) {
            collection.unlocked_count = i - 1;
            result.partial = true;
            return result;
        }
        const int t = tile_by_name(cards, line);
        if (t == 0) return give_up();
        collection.unlocked.set(i, t);
    }
    for (int slot = 1; slot <= 5; ++slot) {
        if (!file.next(line)) {
            result.partial = true;
            return result;
        }
        // An empty line is a slot left empty in the deck menu; the campaign
        // stays readable.
        if (line.empty()) {
            collection.deck.set(slot, 0);
            continue;
        }
        const int t = tile_by_name(cards, line);
        if (t == 0) return give_up();
        collection.deck.set(slot, t);
    }
    // Names left over mean a count smaller than the list it stands for.
    while (!result.partial && file.next(line)) result.partial = !line.empty();
    return result;
}

}  // namespace velloxa
