#include <gtest/gtest.h>

#include "platform/sdl/keymap.h"

namespace velloxa {
namespace {

TEST(DesktopKeys, GameKeysArriveAsVirtualKeyCodes) {
    EXPECT_EQ(virtual_key(SDLK_RETURN, SDL_SCANCODE_RETURN), 13);
    EXPECT_EQ(virtual_key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 13);
    EXPECT_EQ(virtual_key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 27);
    EXPECT_EQ(virtual_key(SDLK_TAB, SDL_SCANCODE_TAB), 9);
    EXPECT_EQ(virtual_key(SDLK_PAGEUP, SDL_SCANCODE_PAGEUP), 33);
    EXPECT_EQ(virtual_key(SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN), 34);
    EXPECT_EQ(virtual_key(SDLK_LEFT, SDL_SCANCODE_LEFT), 37);
    EXPECT_EQ(virtual_key(SDLK_UP, SDL_SCANCODE_UP), 38);
    EXPECT_EQ(virtual_key(SDLK_RIGHT, SDL_SCANCODE_RIGHT), 39);
    EXPECT_EQ(virtual_key(SDLK_DOWN, SDL_SCANCODE_DOWN), 40);
    EXPECT_EQ(virtual_key(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), 16);
    EXPECT_EQ(virtual_key(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), 16);
    EXPECT_EQ(virtual_key(SDLK_LCTRL, SDL_SCANCODE_LCTRL), 17);
    EXPECT_EQ(virtual_key(SDLK_RCTRL, SDL_SCANCODE_RCTRL), 17);
    EXPECT_EQ(virtual_key(SDLK_LALT, SDL_SCANCODE_LALT), 18);
    EXPECT_EQ(virtual_key(SDLK_a, SDL_SCANCODE_A), 65);
    EXPECT_EQ(virtual_key(SDLK_z, SDL_SCANCODE_Z), 90);
    EXPECT_EQ(virtual_key(SDLK_0, SDL_SCANCODE_0), 48);
    EXPECT_EQ(virtual_key(SDLK_9, SDL_SCANCODE_9), 57);
    EXPECT_EQ(virtual_key(SDLK_F1, SDL_SCANCODE_F1), 112);
    EXPECT_EQ(virtual_key(SDLK_KP_3, SDL_SCANCODE_KP_3), 99);
}

TEST(DesktopKeys, OtherLayoutsKeepTheKeysThePlayerKnows) {
    // AZERTY: the A where QWERTY has Q is an A; the digit row gives
    // punctuation unshifted but stays the digit row.
    EXPECT_EQ(virtual_key(SDLK_a, SDL_SCANCODE_Q), 65);
    EXPECT_EQ(virtual_key(SDLK_AMPERSAND, SDL_SCANCODE_1), 49);
    EXPECT_EQ(virtual_key(SDLK_QUOTEDBL, SDL_SCANCODE_3), 51);
    // A Cyrillic letter counts as the Latin letter at its place.
    EXPECT_EQ(virtual_key(0x0444, SDL_SCANCODE_A), 65);
    // A letter key that gives punctuation (AZERTY M place) is that punctuation.
    EXPECT_EQ(virtual_key(SDLK_COMMA, SDL_SCANCODE_M), 188);
    // Keypad arrows with Num Lock off are arrows.
    EXPECT_EQ(virtual_key(SDLK_LEFT, SDL_SCANCODE_KP_4), 37);
    EXPECT_EQ(virtual_key(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

TEST(DesktopKeys, ModifierStateIsABitSet) {
    EXPECT_EQ(modifier_state(KMOD_NONE, 49), 0);
    EXPECT_EQ(modifier_state(KMOD_LSHIFT, 49), 1);
    EXPECT_EQ(modifier_state(KMOD_RSHIFT, 49), 1);
    EXPECT_EQ(modifier_state(KMOD_LCTRL, 40), 2);
    EXPECT_EQ(modifier_state(KMOD_RALT, 40), 4);
    EXPECT_EQ(modifier_state(KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT, 27), 7);
    EXPECT_EQ(modifier_state(KMOD_NUM | KMOD_CAPS, 65), 0);  // lock keys are no modifiers
    // A modifier pressed on its own carries its own bit, reported or not.
    EXPECT_EQ(modifier_state(KMOD_NONE, 16), 1);
    EXPECT_EQ(modifier_state(KMOD_NONE, 17), 2);
    EXPECT_EQ(modifier_state(KMOD_NONE, 18), 4);
    EXPECT_EQ(modifier_state(KMOD_LSHIFT, 17), 3);
}

}  // namespace
}  // namespace velloxa
