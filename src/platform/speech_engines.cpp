#include "platform/speech_engines.h"

#include "platform/speech/espeak_voice.h"
#include "platform/speech/speechd_reader.h"

namespace velloxa {

namespace {

constexpr VoiceEngine kVoiceEngines[] = {
    {"espeak-ng",
     [](SpeechStream& audio) -> std::unique_ptr<EngineVoice> {
         return std::make_unique<EspeakVoice>(audio);
     }},
};

constexpr ReaderEngine kReaderEngines[] = {
    {"speech-dispatcher",
     [](Trace* trace) -> std::unique_ptr<ScreenReader> {
         return std::make_unique<SpeechdReader>(trace);
     }},
};

}  // namespace

SpeechEngines::SpeechEngines(SpeechStream& audio, Trace* trace)
    : voice_(kVoiceEngines[0].make(audio)),
      reader_(kReaderEngines[0].make(trace)),
      voice_name_(kVoiceEngines[0].name),
      reader_name_(kReaderEngines[0].name) {}

}  // namespace velloxa
