// What the terminal and the desktop set up around the game alike: the trace,
// the audio device, the speech engines, the data folder's lock, the saves in
// the background and their end on every way out, and the braille display.
// The front-end adds its own window or terminal and wires the texts heard.
#pragma once

#include <memory>
#include <ostream>

#include "flow/game.h"
#include "platform/background_saves.h"
#include "platform/braille/braille_display.h"
#include "platform/data_folder_lock.h"
#include "platform/frontends.h"
#include "platform/posix/saves_on_exit.h"
#include "platform/save_notice.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/speech/fallback_voice.h"
#include "platform/speech_engines.h"
#include "platform/trace.h"

namespace velloxa {

class Session {
  public:
    // Failures of saves and of the braille display are told on `notices`.
    Session(const CommandLine& cmd, std::ostream& notices);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const StartOptions& start() const { return start_; }
    Trace* trace() const { return trace_.get(); }
    SdlAudio& audio() { return audio_; }
    // The sounds, on the audio device once it is open.
    SoundDevice& sound() { return sound_; }
    SpeechEngines& speech() { return speech_; }
    // The voice, or, when it cannot start, speech-dispatcher in its place
    // (said once on the notices).
    Voice& voice_or_server() { return fallback_; }
    BrailleDisplay& braille() { return braille_; }
    // Saves go through this: in the background, a failure told once.
    FileStore& files() { return files_; }

    // Takes the data folder's lock; false when another copy holds it.
    bool lock();
    // Finishes the saves handed over, within the limit of every way out.
    void finish_saves() { on_exit_.finish(); }

  private:
    const StartOptions start_;
    const std::unique_ptr<Trace> trace_;
    SdlAudio audio_;
    SdlSoundDevice sound_;
    SpeechEngines speech_;
    FallbackVoice fallback_;
    // Given back only after the last saves are finished.
    std::unique_ptr<DataFolderLock> lock_;
    BackgroundSaves saves_;
    SavesOnExit on_exit_;
    SaveNotice files_;
    BrailleDisplay braille_;
};

}  // namespace velloxa
