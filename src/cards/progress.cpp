#include <algorithm>
#include <exception>

#include "flow/game.h"
#include "io/numbers.h"
#include "io/text.h"

namespace velloxa {

namespace {

constexpr int kMaxUnlocked = 999;

// The tile a name line names, former names included; 0 for none.
int tilebyname(const Catalogue& cards, const std::string& line) {
    for (const auto& [index, name] : cards.former)
        if (name == line) return index;
    return cards.find(line);
}

const std::string& nameof(const Catalogue& cards, int t) {
    return cards.cardname[t >= 0 && t < Catalogue::kCapacity ? static_cast<size_t>(t) : 0];
}

}  // namespace

std::string Game::progresstext() const {
    std::string text;
    auto line = [&](const std::string& s) { text += s + "\r\n"; };
    line(num(speech.speechmode));
    line(num(ui.difficulty));
    line(num(speech.sapirate));
    line(sound.soundfolder);
    line(num(ui.difficulty));
    line(num(collection.opponent));
    const int n = std::clamp(collection.unlockedcount, 0, kMaxUnlocked);
    line(num(n));
    for (int i = 1; i <= n; ++i) line(nameof(cards, collection.unlocked[static_cast<size_t>(i)]));
    for (int slot = 1; slot <= 5; ++slot)
        line(nameof(cards, collection.deck[1][static_cast<size_t>(slot)]));
    return text;
}

void Game::saveprogress() {
    try {
        // A file read only in part still holds the rest of the collection;
        // it is kept before anything replaces it.
        if (collection.unreadable) {
            platform.files.replace(datapath("/progress.ini.bak"), *collection.unreadable);
            collection.unreadable.reset();
        }
        platform.files.replace(datapath("/progress.ini"), progresstext());
    } catch (const std::exception& e) {
        // The game goes on; the file keeps its previous content.
        debuglog(std::string("error in saveprogress: ") + e.what());
        sayit("Your progress could not be saved.");
    }
}

void Game::loadprogress() {
    const std::optional<std::string> content = platform.files.read(datapath("/progress.ini"));
    if (!content) return;
    // Only the lines wanted are ever copied, however large the file is.
    TextLines file(*content);
    std::string line;

    // A line that holds no number leaves its value as it is.
    auto number = [&]() -> std::optional<int64_t> {
        if (!file.next(line)) return std::nullopt;
        const auto v = parsenumber(line);
        if (!v) return std::nullopt;
        return wholepart(*v);
    };
    // Any other level would leave the computer opponent without a move.
    auto difficulty = [&] {
        const auto v = number();
        if (v && *v >= 1 && *v <= 5) ui.difficulty = static_cast<int>(*v);
    };

    if (!file.next(line)) return;
    if (const auto v = parsenumber(line)) speech.speechmode = static_cast<int>(wholepart(*v));
    difficulty();
    if (file.next(line)) {
        if (const auto v = parsenumber(line)) {
            speech.sapirate = *v;
            if (speech.sapion == 1) platform.voice.set_rate(static_cast<int>(wholepart(*v)));
        }
    }
    if (!file.next(line)) return;
    sound.soundfolder = line;

    // A file of the short layout ends here.
    difficulty();
    if (const auto v = number()) collection.opponent = static_cast<int>(*v);
    if (const auto v = number())
        collection.unlockedcount = static_cast<int>(std::clamp<int64_t>(*v, 0, kMaxUnlocked));

    // An unreadable campaign is given up: a count of 5 is what the menus
    // treat as a fresh starter collection.
    const int count = std::clamp(collection.unlockedcount, 0, kMaxUnlocked);
    for (int i = 1; i <= count; ++i) {
        if (!file.next(line)) {
            collection.unlockedcount = i - 1;
            return;
        }
        const int t = tilebyname(cards, line);
        if (t == 0) {
            collection.unlockedcount = 5;
            collection.unreadable = *content;
            return;
        }
        collection.unlocked[static_cast<size_t>(i)] = t;
    }
    for (int slot = 1; slot <= 5; ++slot) {
        if (!file.next(line)) return;
        // An empty line is a slot left empty in the deck menu; the campaign
        // stays readable.
        if (line.empty()) {
            collection.deck[1][static_cast<size_t>(slot)] = 0;
            continue;
        }
        const int t = tilebyname(cards, line);
        if (t == 0) {
            collection.unlockedcount = 5;
            collection.unreadable = *content;
            return;
        }
        collection.deck[1][static_cast<size_t>(slot)] = t;
    }
}

}  // namespace velloxa
