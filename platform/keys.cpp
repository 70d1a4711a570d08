// Shortcut values and their display texts.
#include "platform/keys.h"

#include "platform/ascii_text.h"
#include "platform/file_names.h"

#include <array>

namespace tarnwick {

namespace {

using TKeyNames = std::array<std::string_view, 256>;

constexpr TKeyNames kKeyNames = [] {
    TKeyNames names{};
    names[VK_BACK] = "BkSp";
    names[VK_TAB] = "Tab";
    names[VK_CLEAR] = "Clear";
    names[VK_RETURN] = "Enter";
    names[VK_PAUSE] = "Pause";
    names[VK_CAPITAL] = "Caps Lock";
    names[VK_ESCAPE] = "Esc";
    names[VK_SPACE] = "Space";
    names[VK_PRIOR] = "PgUp";
    names[VK_NEXT] = "PgDn";
    names[VK_END] = "End";
    names[VK_HOME] = "Home";
    names[VK_LEFT] = "Left";
    names[VK_UP] = "Up";
    names[VK_RIGHT] = "Right";
    names[VK_DOWN] = "Down";
    names[VK_SNAPSHOT] = "Print Screen";
    names[VK_INSERT] = "Ins";
    names[VK_DELETE] = "Del";
    names[VK_HELP] = "Help";
    constexpr std::string_view digits = "0123456789";
    for (size_t i = 0; i < 10; ++i)
        names[VK_0 + i] = digits.substr(i, 1);
    constexpr std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (size_t i = 0; i < 26; ++i)
        names[VK_A + i] = letters.substr(i, 1);
    constexpr std::array<std::string_view, 10> numpad = {"Num 0", "Num 1", "Num 2", "Num 3",
                                                         "Num 4", "Num 5", "Num 6", "Num 7",
                                                         "Num 8", "Num 9"};
    for (size_t i = 0; i < 10; ++i)
        names[VK_NUMPAD0 + i] = numpad[i];
    names[VK_MULTIPLY] = "Num *";
    names[VK_ADD] = "Num +";
    names[VK_SUBTRACT] = "Num -";
    names[VK_DECIMAL] = "Num Del";
    names[VK_DIVIDE] = "Num /";
    constexpr std::array<std::string_view, 24> functionKeys = {
        "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
        "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
    for (size_t i = 0; i < functionKeys.size(); ++i)
        names[VK_F1 + i] = functionKeys[i];
    names[VK_NUMLOCK] = "Num Lock";
    names[VK_SCROLL] = "Scroll Lock";
    names[VK_OEM_1] = ";";
    names[VK_OEM_PLUS] = "=";
    names[VK_OEM_COMMA] = ",";
    names[VK_OEM_MINUS] = "-";
    names[VK_OEM_PERIOD] = ".";
    names[VK_OEM_2] = "/";
    names[VK_OEM_3] = "`";
    names[VK_OEM_4] = "[";
    names[VK_OEM_5] = "\\";
    names[VK_OEM_6] = "]";
    names[VK_OEM_7] = "'";
    return names;
}();

struct TModifierText {
    std::string_view text;
    TShortCut bit;
};

// Display order of the modifiers.
constexpr std::array<TModifierText, 3> kModifiers = {{
    {"Shift+", scShift},
    {"Ctrl+", scCtrl},
    {"Alt+", scAlt},
}};


struct TDelimiterKey {
    std::string_view name;
    uint16_t key;
};

constexpr std::array<TDelimiterKey, 26> kDelimiterKeys = {{
    {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"down", VK_DOWN},    {"end", VK_END},
    {"f1", VK_F1},          {"f10", VK_F10},       {"f11", VK_F11},      {"f12", VK_F12},
    {"f2", VK_F2},          {"f3", VK_F3},         {"f4", VK_F4},        {"f5", VK_F5},
    {"f6", VK_F6},          {"f7", VK_F7},         {"f8", VK_F8},        {"f9", VK_F9},
    {"home", VK_HOME},      {"insert", VK_INSERT}, {"left", VK_LEFT},    {"pagedown", VK_NEXT},
    {"pageup", VK_PRIOR},   {"return", VK_RETURN}, {"right", VK_RIGHT},  {"space", VK_SPACE},
    {"tab", VK_TAB},        {"up", VK_UP},
}};

// Printable ASCII 0x20-0x7E: the key that types each character on a US
// keyboard, with scShift where the character needs it.
constexpr std::array<TShortCut, 95> kUsLayout = [] {
    std::array<TShortCut, 95> keys{};
    auto set = [&keys](char c, TShortCut key) { keys[static_cast<size_t>(c - 0x20)] = key; };
    set(' ', VK_SPACE);
    for (char c = '0'; c <= '9'; ++c)
        set(c, static_cast<TShortCut>(c));
    for (char c = 'a'; c <= 'z'; ++c) {
        set(c, static_cast<TShortCut>(c - 'a' + 'A'));
        set(static_cast<char>(c - 'a' + 'A'), static_cast<TShortCut>((c - 'a' + 'A') | scShift));
    }
    constexpr std::string_view shiftedDigits = ")!@#$%^&*(";
    for (size_t i = 0; i < shiftedDigits.size(); ++i)
        set(shiftedDigits[i], static_cast<TShortCut>((VK_0 + i) | scShift));
    constexpr std::string_view plain = ";=,-./`[\\]'";
    constexpr std::string_view shifted = ":+<_>?~{|}\"";
    constexpr std::array<uint16_t, 11> oem = {VK_OEM_1,      VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS,
                                              VK_OEM_PERIOD, VK_OEM_2,    VK_OEM_3,     VK_OEM_4,
                                              VK_OEM_5,      VK_OEM_6,    VK_OEM_7};
    for (size_t i = 0; i < oem.size(); ++i) {
        set(plain[i], oem[i]);
        set(shifted[i], static_cast<TShortCut>(oem[i] | scShift));
    }
    return keys;
}();

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift)
{
    if (key > 0xFF)
        return 0;
    TShortCut result = key;
    if (shift & ssShift)
        result |= scShift;
    if (shift & ssCtrl)
        result |= scCtrl;
    if (shift & ssAlt)
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift)
{
    key = shortCut & 0xFF;
    shift = 0;
    if (shortCut & scShift)
        shift |= ssShift;
    if (shortCut & scCtrl)
        shift |= ssCtrl;
    if (shortCut & scAlt)
        shift |= ssAlt;
}

std::string KeyName(uint16_t key)
{
    return key > 0xFF ? std::string() : std::string(kKeyNames[key]);
}

std::string ShortCutToText(TShortCut shortCut)
{
    const std::string_view name = kKeyNames[shortCut & 0xFF];
    if (name.empty())
        return {};
    std::string text;
    for (const TModifierText& modifier : kModifiers)
        if (shortCut & modifier.bit)
            text += modifier.text;
    text += name;
    return text;
}

TShortCut TextToShortCut(std::string_view text)
{
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const TModifierText& modifier : kModifiers) {
            if (StartsWithAscii(text, modifier.text)) {
                modifiers |= modifier.bit;
                text.remove_prefix(modifier.text.size());
                found = true;
            }
        }
    }
    if (text.empty())
        return 0;
    for (size_t key = 1; key < kKeyNames.size(); ++key)
        if (!kKeyNames[key].empty() && SameTextAscii(kKeyNames[key], text))
            return static_cast<TShortCut>(key | modifiers);
    return 0;
}

std::string KeyPairToText(TShortCut first, TShortCut second)
{
    std::string text = ShortCutToText(first);
    if (!text.empty() && second != 0)
        text += ", " + ShortCutToText(second);
    return text;
}

uint16_t DelimiterKeyFromName(std::string_view name)
{
    for (const TDelimiterKey& entry : kDelimiterKeys)
        if (SameTextAscii(entry.name, name))
            return entry.key;
    return 0;
}

TShortCut KeyScan(char c)
{
    switch (c) {
    case '\b':
        return VK_BACK;
    case '\t':
        return VK_TAB;
    case '\r':
    case '\n':
        return VK_RETURN;
    case '\x1B':
        return VK_ESCAPE;
    default:
        break;
    }
    if (c < 0x20 || c > 0x7E)
        return 0;
    return kUsLayout[static_cast<size_t>(c - 0x20)];
}

}  // namespace tarnwick
