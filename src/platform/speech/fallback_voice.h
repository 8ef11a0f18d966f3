// The desktop's voice: its own synthesiser, or, when that cannot start,
// speech-dispatcher if it runs. Without either the texts would go to the
// window title, which no screen reader reads on the Linux desktop.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "io/platform.h"
#include "platform/speech/speechd_reader.h"

namespace velloxa {

class FallbackVoice : public Voice {
  public:
    // `failure` tells why `voice` could not be created; what happens then is
    // told once on `notices`.
    FallbackVoice(Voice& voice, std::function<std::string()> failure, std::ostream& notices,
                  Trace* trace = nullptr, int timeout_ms = 1000);

    // Later calls report the first result.
    bool open_voice() override;
    void speak(const std::string& text, int flags) override;
    void set_rate(int rate) override;
    void use_language(const GameLanguage& language) override;

  private:
    enum class Through { untried, voice, speechd, nothing };
    Voice& voice_;
    std::function<std::string()> failure_;
    std::ostream& notices_;
    SpeechdReader speechd_;
    Through through_ = Through::untried;
};

}  // namespace velloxa
