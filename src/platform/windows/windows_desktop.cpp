// The Windows program: one window drawn with GDI with a caption of the last
// text, SAPI speech, JAWS or the window title for screen readers,
// DirectSound 8, and files as UTF-16 paths.
// clang-format off
// Before any system header, so that none brings the MessageBox macro in
// ahead of the game's MessageBox interface.
#include "platform/windows/win32.h"
// clang-format on
#include <objbase.h>
#include <shlobj.h>

#include "flow/game.h"
#include "platform/folders.h"
#include "platform/spoken_texts.h"
#include "platform/windows/direct_sound.h"
#include "platform/windows/speech.h"
#include "platform/windows/trace.h"
#include "platform/windows/wide.h"
#include "platform/windows/win32_window.h"
#include "platform/windows/windows_entry.h"
#include "platform/windows/windows_files.h"

namespace velloxa {

namespace {

// Started from Explorer, the program would keep an empty console window.
void leave_own_console() {
    DWORD processes[2];
    if (GetConsoleWindow() && GetConsoleProcessList(processes, 2) == 1) FreeConsole();
}

}  // namespace

int run_windows(const CommandLine& cmd) {
    leave_own_console();
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const std::unique_ptr<WinTrace> trace = WinTrace::from_environment();
    trace_line(trace.get(), "start");
    Win32Window window(trace.get());
    std::string error;
    if (!window.open(error)) {
        MessageBoxW(nullptr, widen("Velloxa cannot open its window: " + error).c_str(), L"Velloxa",
                    MB_OK);
        return 1;
    }
    WindowsFiles files;
    SapiVoice voice(trace.get());
    JawsReader reader(trace.get());
    DirectSoundDevice sound(window, files, trace.get());
    // Every text said also becomes the caption, whatever the speech route.
    const TextListener heard = [&window](const std::string& text) { window.set_caption(text); };
    HeardVoice heard_voice(voice, heard);
    HeardReader heard_reader(reader, heard);
    HeardTitle heard_title(window, heard);
    Platform platform{window, heard_title, heard_voice, heard_reader, window,
                      sound,  window,      window,      window,       files};

    Game game(platform, start_options(cmd));
    // A failed start-up has shown its message and ended the program.
    if (!game.start()) return 1;
    window.start(game);
    window.run();
}

}  // namespace velloxa
