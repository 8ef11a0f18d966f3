// The key codes the game speaks in (the virtual key codes of Windows), and
// the modifier state delivered with each key.
#pragma once

namespace velloxa::key {

constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Ctrl = 17;
constexpr int Alt = 18;
constexpr int Escape = 27;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Digit0 = '0';   // '0' to '9' are 48 to 57
constexpr int LetterA = 'A';  // 'A' to 'Z' are 65 to 90
constexpr int LetterT = 'T';

// Bits of the modifier state.
constexpr int ShiftDown = 1;
constexpr int CtrlDown = 2;
constexpr int AltDown = 4;

// Menus pass this as the key when they only want the current item spoken.
constexpr int None = -1;

}  // namespace velloxa::key
