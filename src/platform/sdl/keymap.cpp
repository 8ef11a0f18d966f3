#include "platform/sdl/keymap.h"

#include "io/keycodes.h"

namespace velloxa {

namespace {

// Letters and the digit row by their place on the keyboard.
int by_scancode(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
    if (sc == SDL_SCANCODE_0) return '0';
    return 0;
}

}  // namespace

int virtual_key(SDL_Keycode sym, SDL_Scancode scancode) {
    // Letters follow the layout (an AZERTY A is an A); digits and the keypad
    // follow the key's place, since on some layouts the unshifted digit row
    // gives punctuation. A letter key whose layout gives a letter outside
    // ASCII (Cyrillic, Greek) counts as the Latin letter at its place.
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    const bool letter_key = scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z;
    if (letter_key && sym >= 0x80 && !(sym & SDLK_SCANCODE_MASK)) return by_scancode(scancode);
    if (!letter_key)
        if (const int code = by_scancode(scancode)) return code;
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return 97 + (sym - SDLK_KP_1);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return 112 + (sym - SDLK_F1);
    switch (sym) {
        case SDLK_KP_0:
            return 96;
        case SDLK_KP_ENTER:
            return key::Enter;
        case SDLK_KP_MULTIPLY:
            return 106;
        case SDLK_KP_PLUS:
            return 107;
        case SDLK_KP_MINUS:
            return 109;
        case SDLK_KP_PERIOD:
            return 110;
        case SDLK_KP_DIVIDE:
            return 111;
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return key::Tab;
        case SDLK_RETURN:
            return key::Enter;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return key::Shift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return key::Ctrl;
        case SDLK_LALT:
        case SDLK_RALT:
            return key::Alt;
        case SDLK_PAUSE:
            return 19;
        case SDLK_CAPSLOCK:
            return 20;
        case SDLK_ESCAPE:
            return key::Escape;
        case SDLK_SPACE:
            return 32;
        case SDLK_PAGEUP:
            return key::PageUp;
        case SDLK_PAGEDOWN:
            return key::PageDown;
        case SDLK_END:
            return 35;
        case SDLK_HOME:
            return 36;
        case SDLK_LEFT:
            return key::Left;
        case SDLK_UP:
            return key::Up;
        case SDLK_RIGHT:
            return key::Right;
        case SDLK_DOWN:
            return key::Down;
        case SDLK_INSERT:
            return 45;
        case SDLK_DELETE:
            return 46;
        case SDLK_LGUI:
            return 91;
        case SDLK_RGUI:
            return 92;
        case SDLK_APPLICATION:
            return 93;
        case SDLK_NUMLOCKCLEAR:
            return 144;
        case SDLK_SCROLLLOCK:
            return 145;
        case SDLK_SEMICOLON:
            return 186;
        case SDLK_EQUALS:
            return 187;
        case SDLK_COMMA:
            return 188;
        case SDLK_MINUS:
            return 189;
        case SDLK_PERIOD:
            return 190;
        case SDLK_SLASH:
            return 191;
        case SDLK_BACKQUOTE:
            return 192;
        case SDLK_LEFTBRACKET:
            return 219;
        case SDLK_BACKSLASH:
            return 220;
        case SDLK_RIGHTBRACKET:
            return 221;
        case SDLK_QUOTE:
            return 222;
        default:
            return 0;
    }
}

int modifier_state(Uint16 mod, int code) {
    int state = 0;
    if (mod & KMOD_SHIFT) state |= key::ShiftDown;
    if (mod & KMOD_CTRL) state |= key::CtrlDown;
    if (mod & KMOD_ALT) state |= key::AltDown;
    // A lone modifier key counts as held itself.
    if (code == key::Shift) state |= key::ShiftDown;
    if (code == key::Ctrl) state |= key::CtrlDown;
    if (code == key::Alt) state |= key::AltDown;
    return state;
}

}  // namespace velloxa
