// Speech route state.
#pragma once

namespace velloxa {

// The four ways texts reach the player, chosen with Tab.
constexpr int kVoiceRoute = 0;
constexpr int kTitleRoute = 1;
constexpr int kChordRoute = 2;   // the title, then a key chord for a screen reader
constexpr int kReaderRoute = 3;  // a running screen reader

// Voice flags: speak at once, cutting off what is being spoken.
constexpr int kSpeakInterrupting = 3;

// Whether the route can reach the player where the title is not read.
constexpr bool needs_title_reader(int route) {
    return route == kTitleRoute || route == kChordRoute;
}

struct Speech {
    int speech_route = kVoiceRoute;
    bool voice_available = false;   // a voice could be created
    double voice_rate = 0;          // the voice's speed, 1 to 10
    bool reader_available = false;  // a screen reader answered at start-up
    // While the key chord of the second title route is being injected, every
    // key is ignored.
    bool sending_chord = false;
};

}  // namespace velloxa
