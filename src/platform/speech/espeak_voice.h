// The text-to-speech voice: espeak-ng synthesises on a worker thread of its
// own and the samples play through the shared audio device, so speaking
// never blocks the game and a new text cuts the last one off at once.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "io/platform.h"
#include "platform/speech_engines.h"
#include "platform/speech_stream.h"

namespace velloxa {

// Words per minute for a rate of 1 (slow) to 10 (fast): round(175 * 3^(s/10)).
int words_per_minute(int rate);

class EspeakVoice : public EngineVoice {
  public:
    explicit EspeakVoice(SpeechStream& audio) : audio_(audio) {}
    ~EspeakVoice() override;
    EspeakVoice(const EspeakVoice&) = delete;
    EspeakVoice& operator=(const EspeakVoice&) = delete;

    // False when espeak-ng cannot start (no voice data) or there is no audio
    // device to speak through. Later calls report the first result.
    bool open_voice() override;
    // Flags: 2 purges what is queued or sounding first; without it the text
    // waits its turn. Returns at once.
    void speak(const std::string& text, int flags) override;
    void set_rate(int rate) override;
    // Takes effect when the voice opens; a language espeak-ng lacks leaves
    // the English voice.
    void use_language(const GameLanguage& language) override;

    // Whether a text is queued, being synthesised or still sounding.
    bool busy() override;
    // Why `create` failed; empty when it did not.
    const std::string& failure() const override { return failure_; }

  private:
    friend struct EspeakSamples;
    void work();
    int take(short* wav, int count);

    SpeechStream& audio_;
    bool tried_ = false;
    bool ready_ = false;
    std::string failure_;
    std::string voice_name_ = "en";
    std::thread worker_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<uint64_t, std::string>> queue_;  // generation, text
    bool stopping_ = false;
    bool synthesising_ = false;
    std::atomic<uint64_t> generation_{0};  // the texts still wanted
    std::atomic<int> wpm_{words_per_minute(2)};
    uint64_t current_ = 0;  // the generation being synthesised (worker only)
};

}  // namespace velloxa
