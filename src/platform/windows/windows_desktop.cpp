// The Windows program: one window drawn with GDI with a caption of the last
// text, SAPI speech, the running screen reader or the window title, DirectSound 8,
// and files as UTF-16 paths, saved off the key path.
// clang-format off
// Before any system header, so that none brings the MessageBox macro in
// ahead of the game's MessageBox interface.
#include "platform/windows/win32.h"
// clang-format on
#include <objbase.h>
#include <sapi.h>

#include <iostream>

#include "flow/game.h"
#include "platform/background_saves.h"
#include "platform/data_folder_lock.h"
#include "platform/folders.h"
#include "platform/save_notice.h"
#include "platform/spoken_texts.h"
#include "platform/windows/direct_sound.h"
#include "platform/windows/screen_reader.h"
#include "platform/windows/speech.h"
#include "platform/windows/trace.h"
#include "platform/windows/wide.h"
#include "platform/windows/win32_window.h"
#include "platform/windows/windows_entry.h"

namespace velloxa {

namespace {

// Started from Explorer, the console program would keep an empty console
// window (velloxa.exe itself has none).
void leave_own_console() {
    DWORD processes[2];
    if (GetConsoleWindow() && GetConsoleProcessList(processes, 2) == 1) FreeConsole();
}

// Log-off gives a program a few seconds: a save that is still being written
// gets about two of them (as on every way out), and a stuck disk cannot hold
// up the log-off. The window program has no console to tell a failure on:
// the trace keeps it.
void finish_saves(BackgroundSaves& saves, WinTrace* trace) {
    const std::string failure = saves.close_within(kLastSavesLimit);
    if (!failure.empty()) trace_line(trace, failure);
}

constexpr const char* kNoVoice =
    "Velloxa found no Windows voice that speaks on this computer, so its texts go to the "
    "window title, which your screen reader reads while the window has the focus. To hear "
    "them straight from NVDA or JAWS, keep your screen reader running and press Tab until the "
    "game says \"Screen reader\". The game keeps that route for its next start.";

// Said through the screen reader or the voice, and shown, as a player may
// not hear the one or see the other.
int refuse_second_copy(WinTrace* trace) {
    trace_line(trace, "refused");
    RunningScreenReader reader(trace);
    SapiVoice voice(trace);
    try {
        if (reader.connect())
            reader.say(kDataFolderInUse);
        else if (voice.open_voice())
            voice.speak(kDataFolderInUse, SPF_PURGEBEFORESPEAK);  // waits until spoken
    } catch (const std::exception&) {
        // The message box below still tells it.
    }
    std::cerr << "velloxa: " << kDataFolderInUse << "\n";
    MessageBoxW(nullptr, widen(kDataFolderInUse).c_str(), L"Velloxa", MB_OK | MB_ICONINFORMATION);
    return 1;
}

}  // namespace

int run_windows(const CommandLine& cmd) {
    leave_own_console();
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const std::unique_ptr<WinTrace> trace = WinTrace::from_environment();
    trace_line(trace.get(), "start");
    const StartOptions start = start_options(cmd);
    const DataFolderLock lock(start.folders.data);
    if (lock.held_elsewhere()) return refuse_second_copy(trace.get());
    Win32Window window(trace.get());
    std::string error;
    if (!window.open(error)) {
        MessageBoxW(nullptr, widen("Velloxa cannot open its window: " + error).c_str(), L"Velloxa",
                    MB_OK);
        return 1;
    }
    BackgroundSaves saves;
    SaveNotice files(saves, std::cerr);
    window.set_before_end([&saves, &trace] { finish_saves(saves, trace.get()); });
    SapiVoice voice(trace.get());
    RunningScreenReader reader(trace.get());
    DirectSoundDevice sound(window, files, trace.get());
    // Every text said also becomes the caption, whatever the speech route.
    const TextListener heard = [&window](const std::string& text) { window.set_caption(text); };
    HeardSpeech speech(voice, reader, window, heard);
    Platform platform = window_platform(window, speech, window, sound, files);

    Game game(platform, start);
    // A failed start-up has shown its message and ended the program.
    if (!game.start()) return 1;
    window.start(game);
    // Without a voice the texts only reach the title: a screen reader reads
    // that, or this box, but the player should learn the better route.
    if (!voice.speaks() && !reader.spoke()) window.show(kNoVoice);
    window.run();
}

}  // namespace velloxa
