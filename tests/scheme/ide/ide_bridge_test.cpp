// SetToDelphi: the value-string parser, the three sources and their failures.
#include "scheme/ide_bridge.h"

#include "editor/core/code_memo_errors.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"
#include "tests/scheme/ide/ide_test_folder.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::TIdeTestFolder;

TSM_Effect Effect(uint8_t style, TColor fore, TColor back)
{
    TSM_Effect effect;
    effect.Style = style;
    effect.Fore = fore;
    effect.Back = back;
    effect.Defined = true;
    return effect;
}

struct TValueCase {
    const char* name;
    const char* value;
    TSM_Effect expected;
};

TEST(IdeValueString, FieldsAndDefaults)
{
    const TValueCase cases[] = {
        {"empty_background_keeps_white", "255,,B", Effect(kStyleBold, 0x0000FF, clWhite)},
        {"empty_text_gives_black_on_white", "", Effect(0, clBlack, clWhite)},
        {"all_fields", "128,65280,biu,0,0",
         Effect(kStyleBold | kStyleItalic | kStyleUnderline, 128, 65280)},
        {"empty_styles_keep_the_flags_aligned", "12,34,,0,1", Effect(0, 12, clWhite)},
        {"default_foreground_flag", "12,34,I,1,0", Effect(kStyleItalic, clBlack, 34)},
        {"colour_masked_to_24_bits", "16777472,0", Effect(0, 0x000100, 0)},
        {"long_number_does_not_overflow", "99999999999999999999,7", Effect(0, 0x0FFFFF, 7)},
        {"style_reading_stops_at_other_letter", "1,2,Bx", Effect(kStyleBold, 1, 2)},
        {"no_digits_reads_nothing", "red,blue", Effect(0, clBlack, clWhite)},
    };
    for (const TValueCase& c : cases)
        EXPECT_EQ(ParseIdeValueString(c.value), c.expected) << c.name;
}

// Counts what the bridge tells the editors using the scheme.
class TProbeEditor : public TCodeMemoClient {
public:
    void SettingsChanged(TSM_Settings&, TSM_Change change) override
    {
        effectsChanged += change == TSM_Change::smcEffects;
    }
    void SchemeChanged(TCustomCodeMemoParser&) override { ++reapplied; }
    int effectsChanged = 0;
    int reapplied = 0;
};

class SetToDelphiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TSM_Settings& settings = scheme.Settings();
        settings.Effects[7] = Effect(kStyleStrikeOut, 1, 2);
        settings.SelTextColor = clHighlightText;
        settings.SelTextBack = clHighlight;
        settings.SelTextColorDefault = 1;
        settings.SelTextBackDefault = 1;
        scheme.AttachEditor(&editor);
    }
    void TearDown() override { scheme.DetachEditor(&editor); }

    std::string RaisedBy(char version)
    {
        try {
            SetToDelphi(scheme, version);
        } catch (const ECodeMemo& error) {
            return error.Message();
        }
        return "(nothing raised)";
    }

    TIdeTestFolder folder;
    TCodeMemoParser scheme;
    TProbeEditor editor;
};

TEST_F(SetToDelphiTest, BadVersionsAndMissingIdesChangeNothing)
{
    folder.WriteHive("[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\3.0]\r\n");
    const TSM_Values before = scheme.Settings();
    EXPECT_EQ(RaisedBy('5'), "SetToDelphi: Invalid version number (5)");
    EXPECT_EQ(RaisedBy('0'), "SetToDelphi: Invalid version number (0)");
    EXPECT_EQ(RaisedBy('x'), "SetToDelphi: Invalid version number (x)");
    EXPECT_EQ(RaisedBy('2'), "Delphi 2.x is not installed");
    EXPECT_EQ(RaisedBy('3'), "Delphi 3.x is not installed");  // key without Highlight
    EXPECT_EQ(RaisedBy('4'), "Delphi 4.x is not installed");
    EXPECT_TRUE(static_cast<const TSM_Values&>(scheme.Settings()) == before);
    EXPECT_EQ(editor.reapplied, 0);

    // Version 1 without delphi.ini reads no names: nothing but the refresh.
    SetToDelphi(scheme, '1');
    EXPECT_TRUE(static_cast<const TSM_Values&>(scheme.Settings()) == before);
    EXPECT_EQ(editor.reapplied, 1);
}

TEST_F(SetToDelphiTest, Version2RegistryValues)
{
    folder.WriteHive(
        "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\2.0\\Highlight]\r\n"
        "\"comment\"=\"128,0,I,0,0\"\r\n"
        "\"Plain_text\"=\"1,2,,0,0\"\r\n"
        "\"Whitespace\"=\"3,4,U,0,0\"\r\n"
        "\"String\"=dword:00000005\r\n"
        "\"Marked_block\"=\"255,,B\"\r\n");
    TSM_Settings& settings = scheme.Settings();
    const TSM_Effect stringBefore = settings.Effects[3];
    SetToDelphi(scheme, '2');

    EXPECT_EQ(settings.Effects[5], Effect(kStyleItalic, 128, 0)) << "names match in any case";
    EXPECT_EQ(settings.Effects[0], Effect(kStyleUnderline, 3, 4)) << "Whitespace wins";
    EXPECT_EQ(settings.Effects[3], stringBefore) << "a non-string value counts as absent";
    EXPECT_EQ(settings.Effects[7], Effect(kStyleStrikeOut, 1, 2)) << "missing element untouched";
    EXPECT_EQ(settings.SelTextColor, 255u);
    EXPECT_EQ(settings.SelTextColorDefault, 0) << "the IDE colour must show";
    EXPECT_EQ(settings.SelTextBack, clHighlight) << "empty field keeps the colour";
    EXPECT_EQ(settings.SelTextBackDefault, 1);
    EXPECT_EQ(editor.effectsChanged, 1);
    EXPECT_EQ(editor.reapplied, 1);
}

TEST_F(SetToDelphiTest, Version1IniFile)
{
    folder.WriteFile("Delphi.INI",
                     "[Highlight]\r\nReserved_word=0,16777215,b,0,1\r\nSymbol=7\r\n"
                     "Marked_block=1,2\r\n[other]\r\nComment=9\r\n");
    TSM_Settings& settings = scheme.Settings();
    const TSM_Effect commentBefore = settings.Effects[5];
    SetToDelphi(scheme, '1');
    EXPECT_EQ(settings.Effects[7], Effect(kStyleBold, 0, clWhite));
    EXPECT_EQ(settings.Effects[10], Effect(0, 7, clWhite));
    EXPECT_EQ(settings.Effects[5], commentBefore) << "other sections are not read";
    EXPECT_EQ(settings.SelTextColor, 1u);
    EXPECT_EQ(settings.SelTextBack, 2u);
}

TEST_F(SetToDelphiTest, Version4PaletteAndBooleans)
{
    const std::string root =
        "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\4.0\\Editor\\Highlight";
    folder.WriteHive(
        root + "]\r\n\r\n" +
        root + "\\Comment]\r\n\"Foreground Color\"=dword:0000000c\r\n"
               "\"Default Foreground\"=\"False\"\r\n\"Italic\"=\"True\"\r\n\r\n" +
        root + "\\String]\r\n\"Foreground Color\"=dword:0000000c\r\n"
               "\"Background Color\"=dword:00000001\r\n\"Default Background\"=\"0\"\r\n"
               "\"Bold\"=\"yes\"\r\n\"Underline\"=\"FALSE\"\r\n\r\n" +
        root + "\\Number]\r\n\"Foreground Color\"=\"16\"\r\n\"Background Color\"=dword:ffffffff\r\n"
               "\"Default Foreground\"=\"false\"\r\n\"Default Background\"=\"false\"\r\n\r\n" +
        root + "\\Reserved word]\r\n\"Background Color\"=dword:00000001\r\n\r\n" +
        root + "\\Plain text]\r\n\"Foreground Color\"=dword:00000002\r\n"
               "\"Default Foreground\"=\"0\"\r\n\r\n" +
        root + "\\Marked block]\r\n\"Foreground Color\"=dword:00000009\r\n"
               "\"Background Color\"=dword:00000063\r\n");
    TSM_Settings& settings = scheme.Settings();
    SetToDelphi(scheme, '4');

    EXPECT_EQ(settings.Effects[5], Effect(kStyleItalic, 0xFF0000, clWhite));
    EXPECT_EQ(settings.Effects[3], Effect(kStyleBold, clBlack, 0x000080))
        << "Default Foreground absent means black";
    EXPECT_EQ(settings.Effects[4], Effect(0, clBlack, clWhite)) << "indexes out of 0..15";
    EXPECT_EQ(settings.Effects[7], Effect(kStyleStrikeOut, 1, 2))
        << "a subkey without Foreground Color is skipped";
    EXPECT_EQ(settings.Effects[0], Effect(0, 0x008000, clWhite));
    EXPECT_EQ(settings.SelTextColor, 0x0000FFu);
    EXPECT_EQ(settings.SelTextColorDefault, 0);
    EXPECT_EQ(settings.SelTextBack, clHighlight) << "bad index keeps the colour";
    EXPECT_EQ(settings.SelTextBackDefault, 1);
    EXPECT_EQ(editor.reapplied, 1);
}

// The code pane's scheme while an IDE is the highlighting source is the
// built-in one, whose selection colours are flagged to use the system's;
// the IDE's marked-block colours must still show.
TEST(SetToDelphiBuiltin, MarkedBlockColoursShowOnTheBuiltinScheme)
{
    TIdeTestFolder folder;
    folder.WriteHive(
        "[HKEY_CURRENT_USER\\Software\\Borland\\Delphi\\3.0\\Highlight]\r\n"
        "\"Reserved_word\"=\"0,65535,b,0,0\"\r\n\"Marked_block\"=\"16777215,128\"\r\n");
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TSM_Settings& settings = scheme.Settings();
    ASSERT_EQ(settings.SelTextColorDefault, 1);
    const TSM_Effect comment = settings.Effects[5];

    SetToDelphi(scheme, '3');
    EXPECT_EQ(settings.Effects[7], Effect(kStyleBold, 0, 65535));
    EXPECT_EQ(settings.Effects[5], comment);
    EXPECT_EQ(settings.SelTextColor, 0xFFFFFFu);
    EXPECT_EQ(settings.SelTextBack, 128u);
    EXPECT_EQ(settings.SelTextColorDefault, 0);
    EXPECT_EQ(settings.SelTextBackDefault, 0);
}

}  // namespace
}  // namespace tarnwick
