// Shortcuts, their texts, and the message numbers the editor is driven by.
#include "platform/keys.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

static_assert(VK_BACK == 8 && VK_RETURN == 13 && VK_PRIOR == 33 && VK_DELETE == 46 &&
              VK_F1 == 112 && VK_F12 == 123 && VK_A == 'A' && VK_9 == '9');
static_assert(EM_GETSEL == 0xB0 && EM_LINEFROMCHAR == 0xC9 && EM_CHARFROMPOS == 0xD7 &&
              EM_CANPASTE == 0x432 && WM_GETTEXT == 0x0D && WM_UNDO == 0x304);
static_assert(SEM_SELECTION == 0xC00 && SEM_SEARCH == 0xC0B && SEM_UNDOSTACK == 0xC15 &&
              SEM_VERSION == 0xC40);

TEST(Keys, ShortcutTextsBothWays)
{
    struct Row {
        const char* name;
        TShortCut shortCut;
        const char* text;
    };
    const Row rows[] = {
        {"ctrl_letter", scCtrl | 'J', "Ctrl+J"},
        {"modifier_order", scShift | scCtrl | 'Z', "Shift+Ctrl+Z"},
        {"all_modifiers", scAlt | scCtrl | scShift | VK_F5, "Shift+Ctrl+Alt+F5"},
        {"digit", scCtrl | '0', "Ctrl+0"},
        {"backspace", scCtrl | VK_BACK, "Ctrl+BkSp"},
        {"tab", VK_TAB, "Tab"},
        {"enter", VK_RETURN, "Enter"},
        {"escape", VK_ESCAPE, "Esc"},
        {"space", scShift | VK_SPACE, "Shift+Space"},
        {"page_up", VK_PRIOR, "PgUp"},
        {"page_down", VK_NEXT, "PgDn"},
        {"end", VK_END, "End"},
        {"home", scCtrl | VK_HOME, "Ctrl+Home"},
        {"arrows", scCtrl | VK_LEFT, "Ctrl+Left"},
        {"up", VK_UP, "Up"},
        {"right", VK_RIGHT, "Right"},
        {"down", VK_DOWN, "Down"},
        {"insert", VK_INSERT, "Ins"},
        {"delete", scCtrl | VK_DELETE, "Ctrl+Del"},
        {"f12", VK_F12, "F12"},
        {"keypad", VK_NUMPAD0, "Num 0"},
        {"punctuation", scCtrl | VK_OEM_1, "Ctrl+;"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ShortCutToText(row.shortCut), row.text) << row.name;
        EXPECT_EQ(TextToShortCut(row.text), row.shortCut) << row.name;
    }
}

TEST(Keys, TextIsReadLeniently)
{
    EXPECT_EQ(TextToShortCut("ctrl+shift+z"), scShift | scCtrl | 'Z');
    EXPECT_EQ(TextToShortCut("ALT+ctrl+pgdn"), scAlt | scCtrl | VK_NEXT);
    for (const char* unknown : {"", "Ctrl+", "Ctrl+Nothing", "Hyper+A", "F25", " A", "Shift"})
        EXPECT_EQ(TextToShortCut(unknown), 0) << unknown;
    // No text for no shortcut or for a key without a name.
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl | VK_SHIFT), "");
}

TEST(Keys, ShortcutsFromKeysAndBack)
{
    EXPECT_EQ(ShortCut('K', ssCtrl), scCtrl | 'K');
    EXPECT_EQ(ShortCut(VK_LEFT, ssShift | ssLeft | ssDouble), scShift | VK_LEFT);
    EXPECT_EQ(ShortCut(0x100, ssCtrl), 0);
    uint16_t key = 0;
    TShiftState shift = 0;
    ShortCutToKey(scShift | scAlt | 'I', key, shift);
    EXPECT_EQ(key, 'I');
    EXPECT_EQ(shift, ssShift | ssAlt);
    // Every named key survives text and back, with every modifier set.
    for (uint16_t k = 1; k < 256; ++k) {
        if (KeyName(k).empty())
            continue;
        for (int mods : {0, int(scShift), scCtrl | scAlt, scShift | scCtrl | scAlt}) {
            const TShortCut sc = static_cast<TShortCut>(k | mods);
            EXPECT_EQ(TextToShortCut(ShortCutToText(sc)), sc) << ShortCutToText(sc);
        }
    }
}

TEST(Keys, KeyPairsAndDelimiterNames)
{
    EXPECT_EQ(KeyPairToText(scCtrl | 'K', 'I'), "Ctrl+K, I");
    EXPECT_EQ(KeyPairToText(scCtrl | 'Y', 0), "Ctrl+Y");
    EXPECT_EQ(KeyPairToText(0, 'I'), "");

    EXPECT_EQ(DelimiterKeyFromName("return"), VK_RETURN);
    EXPECT_EQ(DelimiterKeyFromName("Space"), VK_SPACE);
    EXPECT_EQ(DelimiterKeyFromName("pagedown"), VK_NEXT);
    EXPECT_EQ(DelimiterKeyFromName("f10"), VK_F10);
    EXPECT_EQ(DelimiterKeyFromName("enter"), 0);
    EXPECT_EQ(DelimiterKeyFromName(""), 0);
}

TEST(Keys, KeyScanOnAUsKeyboard)
{
    struct Row {
        char c;
        TShortCut expected;
    };
    const Row rows[] = {
        {'a', 'A'},          {'A', scShift | 'A'},        {'5', '5'},
        {'%', scShift | '5'}, {';', VK_OEM_1},             {':', scShift | VK_OEM_1},
        {'(', scShift | '9'}, {'.', VK_OEM_PERIOD},        {'"', scShift | VK_OEM_7},
        {' ', VK_SPACE},      {'\r', VK_RETURN},           {'\t', VK_TAB},
        {'\x01', 0},          {static_cast<char>(0xE4), 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(KeyScan(row.c), row.expected) << int(static_cast<unsigned char>(row.c));
}

}  // namespace
}  // namespace tarnwick
