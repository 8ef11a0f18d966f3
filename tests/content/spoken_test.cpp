// The content as the player hears it: texts timed and names transcribed by
// the same espeak-ng English voice the game speaks with.
#include <espeak-ng/speak_lib.h>
#include <gtest/gtest.h>

#include <string>

#include "flow/story.h"
#include "platform/speech/espeak_voice.h"

namespace velloxa {
namespace {

// espeak-ng keeps one global state per process; the test programs start it once.
class Espeak {
  public:
    static Espeak& english() {
        static Espeak voice;
        return voice;
    }

    bool ready() const { return rate_ > 0; }

    // Seconds of audio the voice makes of `text` at `wpm` words per minute,
    // counted in samples, so the figure does not depend on the machine.
    double seconds(const std::string& text, int wpm) {
        espeak_SetParameter(espeakRATE, wpm, 0);
        long samples = 0;
        espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                     &samples);
        return static_cast<double>(samples) / rate_;
    }

  private:
    Espeak() {
        rate_ =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 40, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate_ <= 0 || espeak_SetVoiceByName("en") != EE_OK) {
            rate_ = 0;
            return;
        }
        espeak_SetSynthCallback([](short*, int count, espeak_EVENT* events) {
            if (events != nullptr && events->user_data != nullptr)
                *static_cast<long*>(events->user_data) += count;
            return 0;
        });
    }
    int rate_ = 0;
};

// The voice's rate when the game starts (rate 2) and its plain rate (rate 0).
const int kStartingWpm = words_per_minute(2);

class Spoken : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(voice.ready()) << "espeak-ng cannot start"; }
    Espeak& voice = Espeak::english();
};

// When the opponent goes first, its first drop follows 5 s after the coin
// flip starts and cuts it off; half a second is left for the audio to drain.
TEST_F(Spoken, CoinFlipEndsBeforeTheOpponentMoves) {
    for (int k = 1; k <= 10; ++k) {
        const std::string text = std::string(story_content()[k - 1].coinflip) +
                                 "  Your opponent has been chosen to go first.";
        const double seconds = voice.seconds(text, kStartingWpm);
        // Above a second: the voice really spoke it.
        EXPECT_TRUE(seconds > 1 && seconds <= 4.5) << seconds << " s for opponent " << k;
    }
}

}  // namespace
}  // namespace velloxa
