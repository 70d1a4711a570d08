// The options dialog as a whole: the working copy is swapped in while it is
// open and swapped out whatever happens, Cancel leaves the scheme's settings
// byte for byte, and OK applies every kind of change so that the settings
// stream carries it.
#include "options_fixture.h"

#include "editor/core/editor_commands.h"
#include "editor/core/memo_options.h"
#include "tests/scheme/ide/ide_test_folder.h"
#include "platform/registry.h"

#include <QTabWidget>

#include <stdexcept>

namespace tarnwick::test {

namespace {

const QColor kGreen(0, 160, 0);

// The settings in a fresh object, read from a stream of the scheme's.
std::unique_ptr<TSM_Settings> ReadBack(const std::string& stream)
{
    auto settings = std::make_unique<TSM_Settings>();
    settings->LoadFromString(stream);
    return settings;
}

int CountBindings(const TKeyboardActionContoller& keys, int code)
{
    int count = 0;
    for (const TKeyBinding& binding : keys.Bindings())
        count += binding.Code == code ? 1 : 0;
    return count;
}

}  // namespace

using DialogTest = OptionsFixture;

TEST_F(DialogTest, WhileOpenTheSchemeServesOnlyTheWorkingCopyAndThePreviews)
{
    const std::vector<TCodeMemoClient*> editors = scheme.Editors();
    ASSERT_EQ(editors.size(), 1u);
    Open();
    EXPECT_EQ(dialog->windowTitle(), "Editor Options");
    EXPECT_NE(&scheme.Settings(), original);
    EXPECT_EQ(&dialog->Working(), &scheme.Settings());
    EXPECT_EQ(scheme.Editors().size(), 2u);
    EXPECT_EQ(Stream(), before);
    // The preview shows the example text with the scheme's settings.
    EXPECT_EQ(dialog->Preview().Model().Text().substr(0, 25), "(* Syntax Highlighting *)");
    EXPECT_EQ(&dialog->Preview().Settings(), &scheme.Settings());
    Cancel();
    EXPECT_EQ(&scheme.Settings(), original);
    EXPECT_EQ(scheme.Editors(), editors);
    EXPECT_EQ(original->EditorCount(), 1);
}

TEST_F(DialogTest, VisiblePagesPickTheTabsInTheirOrder)
{
    struct Row {
        const char* name;
        TPropEdPages pages;
        QStringList captions;
    };
    const Row rows[] = {
        {"all_five", ppAllPages,
         {"Options", "Highlighting", "Key assignments", "Auto correct", "Code templates"}},
        {"keys_and_templates", ppKEYS | ppTEMPLATES, {"Key assignments", "Code templates"}},
        {"options_alone", ppOPTIONS, {"Options"}},
    };
    for (const Row& row : rows) {
        Open(row.pages);
        QStringList captions;
        for (int i = 0; i < dialog->Tabs()->count(); ++i)
            captions << dialog->Tabs()->tabText(i);
        EXPECT_EQ(captions, row.captions) << row.name;
        Cancel();
        EXPECT_EQ(&scheme.Settings(), original) << row.name;
    }
}

TEST_F(DialogTest, CancelAfterChangingEveryKindLeavesTheSettingsByteIdentical)
{
    Open();
    ClickOption(smoWordWrap);
    TypeInto(dialog->OptionsPage()->GutterBox(), "40");
    ChooseForeground("Comment", kGreen);
    DeleteFirstKeyOf(caUNDO);
    AddAutoCorrect("adn", "and");
    AddTemplate("hw", "Hello", "hello world");
    ASSERT_NE(dialog->Working().SaveToString(), before);
    Cancel();
    EXPECT_EQ(&scheme.Settings(), original);
    EXPECT_EQ(Stream(), before);
    EXPECT_FALSE(editor->WordWrap());
}

TEST_F(DialogTest, ExceptionWhileOpenStillRestoresTheScheme)
{
    try {
        TOptionsDialog open(scheme, prompt);
        open.OptionsPage()->Check(smoWordWrap)->click();
        throw std::runtime_error("fault while the dialog is open");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(&scheme.Settings(), original);
    EXPECT_EQ(scheme.Editors().size(), 1u);
    EXPECT_EQ(Stream(), before);
}

// Each kind of change, made through the controls, is in the scheme's
// settings after OK and survives a write and a read of the stream.
TEST_F(DialogTest, OkAppliesEveryKindAndTheStreamRoundTripsIt)
{
    struct Row {
        const char* name;
        std::function<void(DialogTest&)> change;
        std::function<bool(TSM_Settings&)> applied;
    };
    const TColor green = RGBColor(0, 160, 0);
    const int undoKeys = CountBindings(scheme.Settings().Keys(), caUNDO);
    ASSERT_GT(undoKeys, 0);
    const Row rows[] = {
        {"option_bit", [](DialogTest& t) { t.ClickOption(smoWordWrap); },
         [](TSM_Settings& s) { return (s.Options & smoWordWrap) != 0; }},
        {"gutter_width", [](DialogTest& t) { TypeInto(t.dialog->OptionsPage()->GutterBox(), "40"); },
         [](TSM_Settings& s) { return s.Gutter == 40; }},
        {"tab_stop",
         [](DialogTest& t) {
             TNumberBox* box = t.dialog->OptionsPage()->TabStopBox();
             TypeInto(box, "7");
             emit box->Edit()->editingFinished();
         },
         [](TSM_Settings& s) { return s.TabDefault == 7; }},
        {"comment_colour", [](DialogTest& t) { t.ChooseForeground("Comment", kGreen); },
         [green](TSM_Settings& s) {
             for (const TSM_EditableStyle& style : s.EditableStyles)
                 if (style.Name == "Comment")
                     return s.Effects[style.Effect].Fore == green;
             return false;
         }},
        {"key_deleted", [](DialogTest& t) { t.DeleteFirstKeyOf(caUNDO); },
         [undoKeys](TSM_Settings& s) { return CountBindings(s.Keys(), caUNDO) == undoKeys - 1; }},
        {"auto_correct_entry", [](DialogTest& t) { t.AddAutoCorrect("adn", "and"); },
         [](TSM_Settings& s) {
             const TMacroEntry* entry = s.AutoReplace().Find("adn");
             return entry != nullptr && entry->Expansion == "and";
         }},
        {"template", [](DialogTest& t) { t.AddTemplate("hw", "Hello", "hello\rworld"); },
         [](TSM_Settings& s) {
             const TMacroEntry* entry = s.Templates().Find("hw");
             return entry != nullptr && entry->Description == "Hello" &&
                    entry->Expansion == "hello\rworld";
         }},
    };
    for (const Row& row : rows) {
        LoadBuiltinScheme(scheme, false);
        const std::string start = Stream();
        Open();
        row.change(*this);
        ASSERT_TRUE(Ok()) << row.name;
        EXPECT_EQ(&scheme.Settings(), original) << row.name;
        EXPECT_NE(Stream(), start) << row.name;
        EXPECT_TRUE(row.applied(scheme.Settings())) << row.name;
        const std::unique_ptr<TSM_Settings> copy = ReadBack(Stream());
        EXPECT_TRUE(row.applied(*copy)) << row.name;
        EXPECT_EQ(copy->SaveToString(), Stream()) << row.name;
    }
}

TEST_F(DialogTest, OkWithoutChangesKeepsTheStream)
{
    Open();
    dialog->Tabs()->setCurrentIndex(2);
    ASSERT_TRUE(Ok());
    EXPECT_EQ(Stream(), before);
}

// The scheme's edit-properties operation with the dialog as its options
// dialog: Cancel changes nothing; OK re-applies the scheme to the window's
// editor and writes the registry.
TEST_F(DialogTest, EditPropertiesRunsTheDialogReappliesAndSaves)
{
    TIdeTestFolder folder;
    scheme.UseRegistry = true;
    scheme.RegistryKey = "Software\\Tarnwick";
    scheme.OnShowOptionsDialog = [this](TCodeMemoParser& edited) {
        return TOptionsDialog::Execute(edited, prompt);
    };
    WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    scheme.EditProperties();
    EXPECT_EQ(Stream(), before);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "user.reg"));

    WhenModal([](QWidget* modal) {
        auto* open = static_cast<TOptionsDialog*>(modal);
        open->OptionsPage()->Check(smoWordWrap)->click();
        open->accept();
    });
    scheme.EditProperties();
    EXPECT_EQ(&scheme.Settings(), original);
    EXPECT_TRUE(editor->WordWrap());
    TRegistry registry(folder.Path() / "user.reg");
    EXPECT_TRUE(registry.OpenKeyReadOnly("Software\\Tarnwick"));
}

}  // namespace tarnwick::test
