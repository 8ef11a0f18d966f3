// Every text the game says, whatever its speech route, passed on to a
// listener as well (captions, braille): the voice, the screen reader and the
// window title each hand their texts over after doing their own work.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "io/platform.h"

namespace velloxa {

using TextListener = std::function<void(const std::string&)>;

class HeardVoice : public Voice {
  public:
    HeardVoice(Voice& voice, TextListener heard) : voice_(voice), heard_(std::move(heard)) {}
    bool open_voice() override { return voice_.open_voice(); }
    void speak(const std::string& text, int flags) override {
        voice_.speak(text, flags);
        heard_(text);
    }
    void set_rate(int rate) override { voice_.set_rate(rate); }

  private:
    Voice& voice_;
    TextListener heard_;
};

// A text no screen reader answers for is still shown.
class HeardReader : public ScreenReader {
  public:
    HeardReader(ScreenReader& reader, TextListener heard)
        : reader_(reader), heard_(std::move(heard)) {}
    bool connect() override { return reader_.connect(); }
    void cancel() override { reader_.cancel(); }
    void say(const std::string& text) override {
        try {
            reader_.say(text);
        } catch (...) {
            heard_(text);
            throw;
        }
        heard_(text);
    }

  private:
    ScreenReader& reader_;
    TextListener heard_;
};

class HeardTitle : public WindowTitle {
  public:
    HeardTitle(WindowTitle& title, TextListener heard) : title_(title), heard_(std::move(heard)) {}
    std::string title() override { return title_.title(); }
    bool title_is_read() const override { return title_.title_is_read(); }
    void set_title(const std::string& text) override {
        // A title repeated is first set with a blank before it, only so that
        // a screen reader announces it again: the text itself follows.
        const bool nudge = !text.empty() && text[0] == ' ' && title_.title() == text.substr(1);
        title_.set_title(text);
        if (!nudge) heard_(text);
    }

  private:
    WindowTitle& title_;
    TextListener heard_;
};

// A window's three ways of speaking, each passing every text on to the
// same listener.
struct HeardSpeech {
    HeardSpeech(Voice& voice_in, ScreenReader& reader_in, WindowTitle& title_in,
                const TextListener& heard)
        : voice(voice_in, heard), reader(reader_in, heard), title(title_in, heard) {}
    HeardVoice voice;
    HeardReader reader;
    HeardTitle title;
};

// The platform of a window that is also the clock, the canvas, the message
// box and the process, and speaks through `speech`.
template <class Window>
Platform window_platform(Window& window, HeardSpeech& speech, KeyInjector& keys, SoundDevice& sound,
                         FileStore& files) {
    return Platform{.clock = window,
                    .window = speech.title,
                    .voice = speech.voice,
                    .reader = speech.reader,
                    .keys = keys,
                    .sound = sound,
                    .canvas = window,
                    .msgbox = window,
                    .process = window,
                    .files = files};
}

}  // namespace velloxa
