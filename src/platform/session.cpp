#include "platform/session.h"

#include "platform/folders.h"

namespace velloxa {

Session::Session(const CommandLine& cmd, std::ostream& notices)
    : start_(start_options(cmd)),
      trace_(Trace::from_environment()),
      audio_(trace_.get()),
      sound_(audio_),
      speech_(audio_, trace_.get()),
      fallback_(
          speech_.voice(), [this] { return speech_.voice().failure(); }, notices, trace_.get()),
      on_exit_(saves_),
      files_(saves_, notices),
      braille_(trace_.get(), notices) {}

bool Session::lock() {
    if (!lock_) lock_ = std::make_unique<DataFolderLock>(start_.folders.data);
    return !lock_->held_elsewhere();
}

}  // namespace velloxa
