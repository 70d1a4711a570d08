// Keys and shortcuts in the Windows numbering.
//
// Key bindings, the template trigger and the auto-replace delimiters are kept
// as virtual-key codes and 16-bit shortcuts, and stored that way in compiled
// schemes and settings streams, so the numbers below are fixed: they are the
// Windows values. A shortcut is a virtual-key code (low byte) plus modifier
// bits Shift 0x2000, Ctrl 0x4000 and Alt 0x8000; 0 is "no shortcut".
//
// The display text of a shortcut uses the framework's notation: the modifiers
// "Shift+", "Ctrl+", "Alt+" in that order, then the key name, so Ctrl+J is
// "Ctrl+J" and Ctrl+Shift+Z is "Shift+Ctrl+Z". That text is also what settings
// streams store for the template trigger ("Ctrl+J").
//
// Turning toolkit key events into virtual keys belongs to the widget layer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

using TShortCut = uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// Shift state of a key or mouse event, as a set of bits.
using TShiftState = uint8_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes
// ('A' = 0x41, '0' = 0x30); VK_A..VK_Z and VK_0..VK_9 name them too.
inline constexpr uint16_t VK_LBUTTON = 0x01;
inline constexpr uint16_t VK_RBUTTON = 0x02;
inline constexpr uint16_t VK_CANCEL = 0x03;
inline constexpr uint16_t VK_MBUTTON = 0x04;
inline constexpr uint16_t VK_BACK = 0x08;
inline constexpr uint16_t VK_TAB = 0x09;
inline constexpr uint16_t VK_CLEAR = 0x0C;
inline constexpr uint16_t VK_RETURN = 0x0D;
inline constexpr uint16_t VK_SHIFT = 0x10;
inline constexpr uint16_t VK_CONTROL = 0x11;
inline constexpr uint16_t VK_MENU = 0x12;
inline constexpr uint16_t VK_PAUSE = 0x13;
inline constexpr uint16_t VK_CAPITAL = 0x14;
inline constexpr uint16_t VK_ESCAPE = 0x1B;
inline constexpr uint16_t VK_SPACE = 0x20;
inline constexpr uint16_t VK_PRIOR = 0x21;  // PgUp
inline constexpr uint16_t VK_NEXT = 0x22;   // PgDn
inline constexpr uint16_t VK_END = 0x23;
inline constexpr uint16_t VK_HOME = 0x24;
inline constexpr uint16_t VK_LEFT = 0x25;
inline constexpr uint16_t VK_UP = 0x26;
inline constexpr uint16_t VK_RIGHT = 0x27;
inline constexpr uint16_t VK_DOWN = 0x28;
inline constexpr uint16_t VK_SELECT = 0x29;
inline constexpr uint16_t VK_PRINT = 0x2A;
inline constexpr uint16_t VK_EXECUTE = 0x2B;
inline constexpr uint16_t VK_SNAPSHOT = 0x2C;
inline constexpr uint16_t VK_INSERT = 0x2D;
inline constexpr uint16_t VK_DELETE = 0x2E;
inline constexpr uint16_t VK_HELP = 0x2F;
inline constexpr uint16_t VK_0 = 0x30;
inline constexpr uint16_t VK_1 = 0x31;
inline constexpr uint16_t VK_2 = 0x32;
inline constexpr uint16_t VK_3 = 0x33;
inline constexpr uint16_t VK_4 = 0x34;
inline constexpr uint16_t VK_5 = 0x35;
inline constexpr uint16_t VK_6 = 0x36;
inline constexpr uint16_t VK_7 = 0x37;
inline constexpr uint16_t VK_8 = 0x38;
inline constexpr uint16_t VK_9 = 0x39;
inline constexpr uint16_t VK_A = 0x41;
inline constexpr uint16_t VK_B = 0x42;
inline constexpr uint16_t VK_C = 0x43;
inline constexpr uint16_t VK_D = 0x44;
inline constexpr uint16_t VK_E = 0x45;
inline constexpr uint16_t VK_F = 0x46;
inline constexpr uint16_t VK_G = 0x47;
inline constexpr uint16_t VK_H = 0x48;
inline constexpr uint16_t VK_I = 0x49;
inline constexpr uint16_t VK_J = 0x4A;
inline constexpr uint16_t VK_K = 0x4B;
inline constexpr uint16_t VK_L = 0x4C;
inline constexpr uint16_t VK_M = 0x4D;
inline constexpr uint16_t VK_N = 0x4E;
inline constexpr uint16_t VK_O = 0x4F;
inline constexpr uint16_t VK_P = 0x50;
inline constexpr uint16_t VK_Q = 0x51;
inline constexpr uint16_t VK_R = 0x52;
inline constexpr uint16_t VK_S = 0x53;
inline constexpr uint16_t VK_T = 0x54;
inline constexpr uint16_t VK_U = 0x55;
inline constexpr uint16_t VK_V = 0x56;
inline constexpr uint16_t VK_W = 0x57;
inline constexpr uint16_t VK_X = 0x58;
inline constexpr uint16_t VK_Y = 0x59;
inline constexpr uint16_t VK_Z = 0x5A;
inline constexpr uint16_t VK_LWIN = 0x5B;
inline constexpr uint16_t VK_RWIN = 0x5C;
inline constexpr uint16_t VK_APPS = 0x5D;
inline constexpr uint16_t VK_NUMPAD0 = 0x60;
inline constexpr uint16_t VK_NUMPAD1 = 0x61;
inline constexpr uint16_t VK_NUMPAD2 = 0x62;
inline constexpr uint16_t VK_NUMPAD3 = 0x63;
inline constexpr uint16_t VK_NUMPAD4 = 0x64;
inline constexpr uint16_t VK_NUMPAD5 = 0x65;
inline constexpr uint16_t VK_NUMPAD6 = 0x66;
inline constexpr uint16_t VK_NUMPAD7 = 0x67;
inline constexpr uint16_t VK_NUMPAD8 = 0x68;
inline constexpr uint16_t VK_NUMPAD9 = 0x69;
inline constexpr uint16_t VK_MULTIPLY = 0x6A;
inline constexpr uint16_t VK_ADD = 0x6B;
inline constexpr uint16_t VK_SEPARATOR = 0x6C;
inline constexpr uint16_t VK_SUBTRACT = 0x6D;
inline constexpr uint16_t VK_DECIMAL = 0x6E;
inline constexpr uint16_t VK_DIVIDE = 0x6F;
inline constexpr uint16_t VK_F1 = 0x70;
inline constexpr uint16_t VK_F2 = 0x71;
inline constexpr uint16_t VK_F3 = 0x72;
inline constexpr uint16_t VK_F4 = 0x73;
inline constexpr uint16_t VK_F5 = 0x74;
inline constexpr uint16_t VK_F6 = 0x75;
inline constexpr uint16_t VK_F7 = 0x76;
inline constexpr uint16_t VK_F8 = 0x77;
inline constexpr uint16_t VK_F9 = 0x78;
inline constexpr uint16_t VK_F10 = 0x79;
inline constexpr uint16_t VK_F11 = 0x7A;
inline constexpr uint16_t VK_F12 = 0x7B;
inline constexpr uint16_t VK_F13 = 0x7C;
inline constexpr uint16_t VK_F24 = 0x87;
inline constexpr uint16_t VK_NUMLOCK = 0x90;
inline constexpr uint16_t VK_SCROLL = 0x91;
inline constexpr uint16_t VK_LSHIFT = 0xA0;
inline constexpr uint16_t VK_RSHIFT = 0xA1;
inline constexpr uint16_t VK_LCONTROL = 0xA2;
inline constexpr uint16_t VK_RCONTROL = 0xA3;
inline constexpr uint16_t VK_LMENU = 0xA4;
inline constexpr uint16_t VK_RMENU = 0xA5;
inline constexpr uint16_t VK_OEM_1 = 0xBA;       // ;:
inline constexpr uint16_t VK_OEM_PLUS = 0xBB;    // =+
inline constexpr uint16_t VK_OEM_COMMA = 0xBC;   // ,<
inline constexpr uint16_t VK_OEM_MINUS = 0xBD;   // -_
inline constexpr uint16_t VK_OEM_PERIOD = 0xBE;  // .>
inline constexpr uint16_t VK_OEM_2 = 0xBF;       // /?
inline constexpr uint16_t VK_OEM_3 = 0xC0;       // `~
inline constexpr uint16_t VK_OEM_4 = 0xDB;       // [{
inline constexpr uint16_t VK_OEM_5 = 0xDC;       // \|
inline constexpr uint16_t VK_OEM_6 = 0xDD;       // ]}
inline constexpr uint16_t VK_OEM_7 = 0xDE;       // '"

// The shortcut of a key in a shift state (Shift, Ctrl and Alt count; mouse
// bits are ignored). A key above 255 has no shortcut: the result is 0.
TShortCut ShortCut(uint16_t key, TShiftState shift);

// Splits a shortcut into its key and its shift state (ssShift, ssCtrl, ssAlt).
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);

// The display name of a key alone: "A".."Z", "0".."9", "F1".."F24", "BkSp",
// "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up",
// "Right", "Down", "Ins", "Del", the punctuation keys by their unshifted
// character on a US keyboard (";", "=", ",", "-", ".", "/", "`", "[", "\",
// "]", "'"), the keypad keys as "Num 0".."Num 9", "Num *", "Num +", "Num -",
// "Num Del", "Num /", and a few others ("Pause", "Caps Lock", "Num Lock",
// "Scroll Lock", "Print Screen", "Clear", "Help"). "" for a key without a name
// (modifier keys, mouse buttons, unassigned codes).
std::string KeyName(uint16_t key);

// The display text of a shortcut; "" for 0 and for a key without a name.
std::string ShortCutToText(TShortCut shortCut);

// The shortcut a display text names. Modifiers may come in any order, and
// modifiers and key names are matched without regard to letter case
// ("ctrl+shift+z" is Shift+Ctrl+Z). Text that names no key gives 0.
TShortCut TextToShortCut(std::string_view text);

// A one- or two-key binding as the key-assignment page lists it: the first
// shortcut's text, and when there is a second key, ", " and its text
// ("Ctrl+K, I"). "" when the first shortcut is 0.
std::string KeyPairToText(TShortCut first, TShortCut second);

// The virtual key of a key name in an auto-replace delimiter specification
// ("backspace", "delete", "down", "end", "home", "insert", "left", "f1".."f12",
// "pagedown", "pageup", "return", "right", "space", "tab", "up"); the name is
// matched without regard to letter case. 0 for any other name.
uint16_t DelimiterKeyFromName(std::string_view name);

// The key and modifiers that type a character on a US keyboard, as a
// shortcut ('a' -> 'A', 'A' -> Shift+'A', ':' -> Shift+VK_OEM_1, CR ->
// VK_RETURN, TAB -> VK_TAB, BS -> VK_BACK, ESC -> VK_ESCAPE). 0 for a
// character no key types (other control characters, bytes above 127).
TShortCut KeyScan(char c);

}  // namespace tarnwick
