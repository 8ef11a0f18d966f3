// The texts the debug log starts its lines with. The headless transcript
// shows every log line, so they are part of the output that must stay the
// same byte for byte.
#pragma once

namespace velloxa::log_text {

inline constexpr char kSpeakFailed[] = "error in sayit: ";
inline constexpr char kReaderCancelFailed[] = "error in cancel: ";
inline constexpr char kSoundLoadFailed[] = "error in setsound: ";
inline constexpr char kVolumeFailed[] = "error in setvol: ";
inline constexpr char kPanFailed[] = "error in setpan: ";
inline constexpr char kSaveFailed[] = "error in saveprogress: ";
inline constexpr char kSoundFileMissing[] = "File is missing: ";

}  // namespace velloxa::log_text
