// The speech engines of the Linux front-ends, listed the way a media library
// lists its drivers: in the order they are tried, each with its name and how
// it is made. A voice synthesises with the program's own audio; a reader
// hands the texts to the player's screen reader. A new engine is one class
// and one row.
#pragma once

#include <memory>
#include <string>

#include "io/platform.h"
#include "platform/speech_stream.h"
#include "platform/trace.h"

namespace velloxa {

class EngineVoice : public Voice {
  public:
    // Why the voice could not start; empty when it did.
    virtual const std::string& failure() const = 0;
    // Whether a text is queued, being synthesised or still sounding.
    virtual bool busy() = 0;
};

struct VoiceEngine {
    const char* name;
    std::unique_ptr<EngineVoice> (*make)(SpeechStream& audio);
};

struct ReaderEngine {
    const char* name;
    std::unique_ptr<ScreenReader> (*make)(Trace* trace);
};

// The engines of one run: the first voice and the first reader listed.
class SpeechEngines {
  public:
    SpeechEngines(SpeechStream& audio, Trace* trace);
    EngineVoice& voice() { return *voice_; }
    ScreenReader& reader() { return *reader_; }
    const char* voice_name() const { return voice_name_; }
    const char* reader_name() const { return reader_name_; }

  private:
    std::unique_ptr<EngineVoice> voice_;
    std::unique_ptr<ScreenReader> reader_;
    const char* voice_name_;
    const char* reader_name_;
};

}  // namespace velloxa
