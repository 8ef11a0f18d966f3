// SDL key events as the game sees them: Windows virtual key codes and a
// modifier bit set (Shift 1, Ctrl 2, Alt 4).
#pragma once

#include <SDL.h>

namespace velloxa {

// The virtual key code for a key, 0 when the game has no code for it.
// Letters and digits go by the unshifted key, so Shift+1 is still 49.
int virtual_key(SDL_Keycode sym, SDL_Scancode scancode);

// The modifier state for a key event; a modifier key pressed on its own
// carries its own bit even where the system reports it only afterwards.
int modifier_state(Uint16 mod, int code);

}  // namespace velloxa
