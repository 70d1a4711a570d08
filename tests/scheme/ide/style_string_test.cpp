// The style string and the scheme's registry save.
#include "scheme/style_string.h"

#include "editor/core/code_memo_errors.h"
#include "editor/core/sm_stream.h"
#include "platform/registry.h"
#include "scheme/code_memo_parser.h"
#include "scheme/scheme_registry.h"
#include "tests/scheme/ide/ide_test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace tarnwick {
namespace {

using test::TIdeTestFolder;

// A settings object with every field of the string set to a known value.
void FillKnownSettings(TSM_Settings& s)
{
    s.Options = 0x10;
    s.Gutter = 34;
    s.GutterColor = clBtnFace;
    s.WrapAtColumn = 0;
    s.IndentStep = 2;
    s.WrapOverride = ">|:";
    s.Font = {"Courier New", 10, kAnsiCharset, 0, clWindowText};
    s.SelTextColor = 0xFFFFFF;
    s.SelTextBack = 0xFF0000;
    s.SetTabColumnsText("5 9");
    s.TabDefault = 4;
    s.Effects = {};
    s.Effects[0].Defined = true;
    TSM_Effect& five = s.Effects[5];
    five = {kStyleBold | kStyleItalic | kStyleUnderline, 0xFF0000, 0, 1, 1, 0, true};
    s.GutterColorDefault = 1;
    s.MarginColorDefault = 0;
    s.SelTextColorDefault = 1;
    s.SelTextBackDefault = 0;
    s.RightMargin = 80;
    s.GutterFont = {"MS Sans Serif", 8, kDefaultCharset, kStyleItalic | kStyleStrikeOut,
                    clWindowText};
}

constexpr const char* kKnownStyleString =
    "Quorvel6:OPT#2#16GWD#2#34GCL#11#-2147483633WRC#1#0IDS#1#2WRO#3#>|:"
    "FON#11#Courier NewFOS#2#10STC#8#16777215STB#8#16711680TBC#3#5 9TBD#1#4"
    "EFF#35#2,0,0,16777215,;5,16711680,0,XYBIU;GDF#1#1MDF#1#0SDF#1#1BDF#1#0FOC#1#0"
    "RMG#2#80LNN#13#MS Sans SerifLNS#1#8LNC#11#-2147483640LNT#1#1LNE#2#IS#END#";

TEST(StyleString, KnownSettings)
{
    TSM_Settings settings;
    FillKnownSettings(settings);
    EXPECT_EQ(StyleString(settings), kKnownStyleString);
}

TEST(StyleString, NoDefinedEffects)
{
    TSM_Settings settings;
    settings.Effects = {};
    EXPECT_NE(StyleString(settings).find("TBD#1#4EFF#1#0GDF#"), std::string::npos);
}

TEST(StyleString, RoundTrip)
{
    TSM_Settings original;
    FillKnownSettings(original);
    original.Font.Name = "Name #3# with#END#";  // framing is by length
    original.Effects[255] = {kStyleItalic, 0x123456, clWindow, 0, 1, 0, true};
    original.Effects[9] = {0, 1, 2, 0, 0, 1, true};

    TSM_Settings copy;
    copy.EffectMap[3] = 9;
    copy.Effects[9] = {0, 0, 0, 0, 0, 1, true};  // the hot-spot flag is not in the string
    ReadStyleString(StyleString(original), copy);
    EXPECT_EQ(StyleString(copy), StyleString(original));
    EXPECT_EQ(copy.Font, original.Font);
    EXPECT_EQ(copy.GutterFont, original.GutterFont);
    EXPECT_EQ(copy.Effects, original.Effects) << "hot-spot flag kept, others undefined";
    EXPECT_EQ(copy.TabColumns, original.TabColumns);
    EXPECT_EQ(copy.EffectMap[3], 9) << "the map is not part of the string";

    // Every effect defined: the count says 256 and all of them come back.
    for (TSM_Effect& effect : original.Effects)
        effect.Defined = true;
    ReadStyleString(StyleString(original), copy);
    EXPECT_NE(StyleString(original).find("EFF#"), std::string::npos);
    EXPECT_EQ(copy.Effects, original.Effects);
}

TEST(StyleString, ReadingSkipsUnknownTagsAndKeepsMissingFields)
{
    TSM_Settings settings;
    settings.RightMargin = 66;
    ReadStyleString("Quorvel6:ZZZ#3#abcOPT#1#7#END#", settings);
    EXPECT_EQ(settings.Options, 7u);
    EXPECT_EQ(settings.RightMargin, 66);
}

TEST(StyleString, MalformedStringsChangeNothing)
{
    const char* bad[] = {
        "",
        "Quorvel5:#END#",
        "Quorvel6:",
        "Quorvel6:#END#x",
        "Quorvel6:OPT#2#1#END#",
        "Quorvel6:OPT#x#1#END#",
        "Quorvel6:OPT#-1#1#END#",
        "Quorvel6:OPT#99#1#END#",
        "Quorvel6:OPT#1#a#END#",
        "Quorvel6:OPT#11#99999999999#END#",
        "Quorvel6:GDF#1#2#END#",
        "Quorvel6:LNE#1#Q#END#",
        "Quorvel6:FOC#3#256#END#",
        "Quorvel6:EFF#1#1#END#",
        "Quorvel6:EFF#2#0,#END#",
        "Quorvel6:EFF#11#1,256,0,0,;#END#",
        "Quorvel6:EFF#9#1,0,0,0,Q;#END#",
        "Quorvel6:EFF#8#1,0,0,0,#END#",
        "Quorvel6:EFF#18#1,0,0,0,;1,0,0,0,;#END#",
        "Quorvel6:EFF#18#2,0,0,0,;0,0,0,0,;#END#",
        "Quorvel6:TBC#3#1 1#END#",
        "Quorvel6:TBD#1#0#END#",
    };
    for (const char* text : bad) {
        TSM_Settings settings;
        settings.Options = 5;
        const std::string before = StyleString(settings);
        try {
            ReadStyleString(text, settings);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ECodeMemo& error) {
            EXPECT_EQ(error.Message(), "Invalid data in style string") << text;
        }
        EXPECT_EQ(StyleString(settings), before) << text;
    }
}

class SchemeRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scheme.Name = "Parser1";
        scheme.Settings().LanguageName = "Object Pascal";
    }
    std::string RaisedBySave()
    {
        try {
            SaveSettingsToRegistry(scheme);
        } catch (const ECodeMemo& error) {
            return error.Message();
        }
        return "(nothing raised)";
    }

    TIdeTestFolder folder;
    TCodeMemoParser scheme;
};

TEST_F(SchemeRegistryTest, DisabledWithoutUseRegistryOrKey)
{
    scheme.RegistryKey = "Software\\Tarnwick";
    EXPECT_EQ(RaisedBySave(), "Registry interface disabled in: Parser1");
    scheme.UseRegistry = true;
    scheme.RegistryKey.clear();
    EXPECT_EQ(RaisedBySave(), "Registry interface disabled in: Parser1");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "user.reg"));
}

TEST_F(SchemeRegistryTest, SaveWritesStyleStringAndKeyAssignments)
{
    scheme.UseRegistry = true;
    scheme.RegistryKey = "Software\\Tarnwick\\Schemes";
    SaveSettingsToRegistry(scheme);

    TRegistry registry(folder.Path() / "user.reg");
    const std::optional<TRegistryKey> key = registry.OpenKeyReadOnly("Software\\Tarnwick\\Schemes");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("Highlighting - Object Pascal"), StyleString(scheme.Settings()));

    const std::optional<std::string> keys = key->ReadBinary("Key Assignments - Object Pascal");
    ASSERT_TRUE(keys);
    TSMStreamReader reader(*keys);
    EXPECT_EQ(reader.ShortString(), "Quorvel6:");
    TKeyboardActionContoller readBack;
    readBack.ReadFromStream(reader);
    EXPECT_TRUE(reader.AtEnd());
    // Reading re-adds the bindings, which may change the tree order.
    const auto sorted = [](std::vector<TKeyBinding> bindings) {
        std::sort(bindings.begin(), bindings.end(), [](const TKeyBinding& a, const TKeyBinding& b) {
            return std::tie(a.FirstKey, a.SecondKey, a.Code) < std::tie(b.FirstKey, b.SecondKey, b.Code);
        });
        return bindings;
    };
    EXPECT_FALSE(readBack.Bindings().empty());
    EXPECT_EQ(sorted(readBack.Bindings()), sorted(scheme.Settings().Keys().Bindings()));
    EXPECT_EQ(readBack.Descriptions(), scheme.Settings().Keys().Descriptions());
    EXPECT_EQ(*keys, KeyAssignmentsValue(scheme.Settings()));
}

TEST_F(SchemeRegistryTest, ConfirmedOptionsDialogSavesByDefault)
{
    bool confirm = false;
    scheme.OnShowOptionsDialog = [&confirm](TCodeMemoParser&) { return confirm; };
    scheme.UseRegistry = true;
    scheme.RegistryKey = "Software\\Tarnwick";
    scheme.EditProperties();
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "user.reg"));

    confirm = true;
    scheme.EditProperties();
    TRegistry registry(folder.Path() / "user.reg");
    const std::optional<TRegistryKey> key = registry.OpenKeyReadOnly("Software\\Tarnwick");
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->ValueExists("Highlighting - Object Pascal"));
}

}  // namespace
}  // namespace tarnwick
