// Speech route state.
#pragma once

namespace velloxa {

// The four ways texts reach the player, chosen with Tab; saved by number.
enum class SpeechRoute {
    Voice,          // the game's own voice
    WindowTitle,    // the window title, read by a screen reader
    TitleAndChord,  // the title, then a key chord that makes a screen reader read it
    ScreenReader,   // a running screen reader
};

// The route a saved number stands for; any other number starts on the voice.
constexpr SpeechRoute speech_route_from_number(int number) {
    return number >= 0 && number <= 3 ? static_cast<SpeechRoute>(number) : SpeechRoute::Voice;
}
constexpr int number_of(SpeechRoute route) {
    return static_cast<int>(route);
}

// Whether the route can reach the player where the title is not read.
constexpr bool needs_title_reader(SpeechRoute route) {
    return route == SpeechRoute::WindowTitle || route == SpeechRoute::TitleAndChord;
}

struct Speech {
    SpeechRoute speech_route = SpeechRoute::Voice;
    bool voice_available = false;   // a voice could be created
    double voice_rate = 0;          // the voice's speed, 1 to 10
    bool reader_available = false;  // a screen reader answered at start-up
    // While the key chord of the second title route is being injected, every
    // key is ignored.
    bool sending_chord = false;
};

}  // namespace velloxa
