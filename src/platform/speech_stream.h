// Where a synthesised voice plays its samples: the program's audio device,
// shared with the sounds. A voice engine writes to this and needs to know
// nothing of the device behind it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/trace.h"

namespace velloxa {

class SpeechStream {
  public:
    virtual ~SpeechStream() = default;
    // Opens the device once; later calls report the first result.
    virtual bool open() = 0;
    virtual const std::string& error() const = 0;
    virtual Trace* trace() const = 0;
    // Mono 16-bit samples at `source_rate` Hz. A new generation drops
    // everything queued, and samples pushed for an older generation are
    // thrown away. Format, push and end come from the voice's worker alone;
    // restart from any thread.
    virtual void speech_format(int source_rate) = 0;
    virtual uint64_t speech_restart() = 0;
    virtual void speech_push(uint64_t generation, const int16_t* samples, int count) = 0;
    // The text of `generation` is complete: its tail may be given out.
    virtual void speech_end(uint64_t generation) = 0;
    virtual bool speech_pending() = 0;
};

}  // namespace velloxa
