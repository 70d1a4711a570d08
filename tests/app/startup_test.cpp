// Start-up and shutdown of the main window: main.ini's keys with their
// defaults and lenient reading, the Open menu, the window placement and what
// is written when the window goes.
#include "app_fixture.h"

#include "platform/file_io.h"

#include <QGuiApplication>
#include <QScreen>

namespace tarnwick::test {
namespace {

TEST_F(AppFolderTest, first_start_without_main_ini_writes_the_run_mark_and_registry_entries)
{
    TMainForm& form = Form();
    ASSERT_EQ(prompt_.Messages,
              QStringList{"Please Read the help file before using the Syntax highlighting Options"});
    EXPECT_EQ(Setting("Options", "HasRun1"), "1");
    EXPECT_EQ(Setting("Scripts", "Delphi2"), "Delphi 2 Registry Settings");
    EXPECT_EQ(Setting("Scripts", "Delphi3"), "Delphi 3 Registry Settings");
    EXPECT_EQ(Setting("Scripts", "Delphi4"), "Delphi 4 Registry Settings");
    // Defaults of every option.
    EXPECT_EQ(form.DefaultLibraryTitle(), "Delphi Code");
    EXPECT_FALSE(form.LoadDefault());
    EXPECT_FALSE(form.Remember());
    EXPECT_TRUE(form.Animated());
    EXPECT_FALSE(form.AutoSaveOption());
    EXPECT_EQ(form.HighlightingSource(), 0);
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "Tarnwick.Ini");
    EXPECT_EQ(form.CategoryFont().Name, "MS Sans Serif");
    EXPECT_EQ(form.TitleFont().Colour, 255u);
    EXPECT_EQ(form.windowTitle(), "Tarnwick Version 2.41");
    // The registry entries are the only schemes until others are registered.
    EXPECT_EQ(form.SchemeNames(),
              (std::vector<std::string>{"Delphi 2 Registry Settings", "Delphi 3 Registry Settings",
                                        "Delphi 4 Registry Settings"}));
    EXPECT_EQ(form.SchemeFiles(), (std::vector<std::string>{"", "", ""}));

    CloseForm();
    prompt_.Messages.clear();
    Form();
    EXPECT_TRUE(prompt_.Messages.isEmpty());
}

TEST_F(AppFolderTest, registry_entries_already_present_are_left_as_they_are)
{
    WriteFile("main.ini", "[Scripts]\r\ndelphi3=Mine;scripts\\Mine.dat\r\n");
    Form();
    EXPECT_EQ(Setting("Scripts", "Delphi3"), "Mine;scripts\\Mine.dat");
    EXPECT_EQ(Setting("Scripts", "Delphi2"), "Delphi 2 Registry Settings");
}

TEST_F(AppFolderTest, option_values_are_read_leniently)
{
    struct {
        const char* name;
        const char* options;
        const char* fonts;
        bool animated, loadDefault;
        int delphiVer, treeTitleSize;
        uint32_t titleColour;
    } const rows[] = {
        {"plain_numbers", "Animated=0\r\nLoadDefault=1\r\nDelphiVer=3\r\n",
         "TreeTitleSize=12\r\nTreeTitleColor=65280\r\n", false, true, 3, 12, 65280},
        {"not_numbers_give_defaults", "Animated=yes\r\nLoadDefault=on\r\nDelphiVer=three\r\n",
         "TreeTitleSize=big\r\nTreeTitleColor=red\r\n", true, false, 0, 10, 255},
        {"hexadecimal", "Animated=0x0\r\nLoadDefault=0X1\r\nDelphiVer=0x4\r\n",
         "TreeTitleSize=0xC\r\nTreeTitleColor=0xFF0000\r\n", false, true, 4, 12, 0xFF0000},
        {"any_non_zero_is_true", "Animated=-1\r\nLoadDefault=7\r\n", "", true, true, 0, 10, 255},
        {"empty_values_give_defaults", "Animated=\r\nLoadDefault=\r\n", "TreeTitleSize=\r\n",
         true, false, 0, 10, 255},
    };
    for (const auto& row : rows) {
        WriteFile("main.ini", std::string("[Options]\r\nHasRun1=1\r\n") + row.options +
                                  "[Fonts]\r\n" + row.fonts);
        TMainForm& form = Form();
        EXPECT_EQ(form.Animated(), row.animated) << row.name;
        EXPECT_EQ(form.LoadDefault(), row.loadDefault) << row.name;
        EXPECT_EQ(form.HighlightingSource(), row.delphiVer) << row.name;
        EXPECT_EQ(form.TitleFont().Size, row.treeTitleSize) << row.name;
        EXPECT_EQ(form.TitleFont().Colour, row.titleColour) << row.name;
        form_.reset();
    }
}

TEST_F(AppFolderTest, tree_fonts_take_their_styles_from_four_booleans)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n[Fonts]\r\nTreeWinName=DejaVu Serif\r\n"
                          "TreeWinBold=1\r\nTreeWinStrikeOut=1\r\nTreeCatFontSet=238\r\n"
                          "TreeTitleItalic=1\r\nTreeTitleUnderLine=1\r\nTreeTitleScript=0\r\n");
    TMainForm& form = Form();
    EXPECT_EQ(form.CategoryFont().Name, "DejaVu Serif");
    EXPECT_EQ(form.CategoryFont().Style, 1 | 8);
    EXPECT_EQ(form.CategoryFont().Charset, 238);
    EXPECT_EQ(form.TitleFont().Style, 2 | 4);
    EXPECT_EQ(form.TitleFont().Charset, 0);
}

TEST_F(AppFolderTest, shutdown_writes_the_options_and_without_remember_removes_the_placement)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLeft=10\r\nTop=20\r\nWidth=600\r\n"
                          "Height=400\r\nWindowState=0\r\nAnimated=0\r\nTreeWidth=210\r\n"
                          "DelphiVer=2\r\n");
    Form();
    CloseForm();
    for (const char* key : {"Left", "Top", "Width", "Height", "WindowState"})
        EXPECT_EQ(Setting("Options", key), "<absent>") << key;
    EXPECT_EQ(Setting("Options", "DefaultIni"), "Delphi Code");
    EXPECT_EQ(Setting("Options", "LoadDefault"), "0");
    EXPECT_EQ(Setting("Options", "Remember"), "0");
    EXPECT_EQ(Setting("Options", "Animated"), "0");
    EXPECT_EQ(Setting("Options", "AutoSave"), "0");
    EXPECT_EQ(Setting("Options", "TreeWidth"), "210");
    EXPECT_EQ(Setting("Options", "DelphiVer"), "2");
}

TEST_F(AppFolderTest, a_failed_write_at_shutdown_is_reported)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    Form();
    SetFileFaultHook([](TFileOp op, const std::filesystem::path&) {
        return op == TFileOp::Write || op == TFileOp::Rename;
    });
    CloseForm();
    SetFileFaultHook(nullptr);
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_TRUE(prompt_.Errors[0].startsWith("Unable to write to"));
    EXPECT_EQ(Setting("Options", "DefaultIni"), "<absent>");
}

TEST_F(AppFolderTest, exit_command_closes_the_window_and_the_next_start_finds_the_placement)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nRemember=1\r\nLeft=30\r\nTop=40\r\n"
                          "Width=700\r\nHeight=450\r\n");
    TMainForm& form = Form();
    form.show();
    EXPECT_EQ(form.geometry(), QRect(30, 40, 700, 450));
    form.Exit1->trigger();
    EXPECT_FALSE(form.isVisible());
    CloseForm();
    EXPECT_EQ(Setting("Options", "Left"), "30");
    EXPECT_EQ(Setting("Options", "Top"), "40");
    EXPECT_EQ(Setting("Options", "Width"), "700");
    EXPECT_EQ(Setting("Options", "Height"), "450");
    EXPECT_EQ(Setting("Options", "WindowState"), "0");
    EXPECT_EQ(Setting("Options", "Remember"), "1");
}

TEST_F(AppFolderTest, remembered_placement_off_every_screen_comes_back_onto_one)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nRemember=1\r\nLeft=-5000\r\nTop=9000\r\n"
                          "Width=700\r\nHeight=450\r\n");
    TMainForm& form = Form();
    EXPECT_EQ(form.size(), QSize(700, 450));
    EXPECT_TRUE(screen.contains(form.geometry())) << form.geometry().x() << ","
                                                   << form.geometry().y();
}

TEST_F(AppFolderTest, remembered_placement_without_a_size_keeps_the_designed_size)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nRemember=1\r\nLeft=12\r\nTop=14\r\n");
    TMainForm& form = Form();
    EXPECT_EQ(form.geometry(), QRect(12, 14, TMainForm::kInitialWidth, TMainForm::kInitialHeight));
}

TEST_F(AppFolderTest, window_state_two_maximises)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nWindowState=2\r\n");
    EXPECT_TRUE(Form().windowState() & Qt::WindowMaximized);
}

TEST_F(AppFolderTest, settings_again_retarget_the_default_library)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n[Files]\r\nDelphi Code=a.ini\r\nOther=b.ini\r\n");
    WriteFile("b.ini", "[Cat]\r\nT=0;0\r\n");
    WriteFile("b.dat", "");
    TMainForm& form = Form();
    form.Open1->actions()[1]->trigger();
    ASSERT_EQ(form.CurrentLibrary(), folder_ / "b.ini");
    form.LoadSettings();
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "a.ini");
    // The tree keeps what was loaded: LoadDefault is off.
    EXPECT_EQ(form.TreeView1->topLevelItemCount(), 1);
    // The first-run message is not shown again, and HasRun1 stays "1".
    EXPECT_TRUE(prompt_.Messages.isEmpty());
    EXPECT_EQ(Setting("Options", "HasRun1"), "1");
}

TEST_F(AppFolderTest, open_menu_lists_libraries_in_file_order_and_checks_the_default)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nDefaultIni=Web\r\n"
                          "[Files]\r\nZeta=z.ini\r\nWeb=w.ini\r\nAlpha=a.ini\r\n");
    TMainForm& form = Form();
    QStringList captions;
    for (QAction* item : form.Open1->actions())
        captions << item->text();
    EXPECT_EQ(captions, QStringList({"Zeta", "Web", "Alpha"}));
    EXPECT_TRUE(form.Open1->actions()[1]->isChecked());
    EXPECT_FALSE(form.Open1->actions()[0]->isChecked());
    EXPECT_EQ(form.windowTitle(), "Tarnwick Version 2.41 - Web");
}

TEST_F(AppFolderTest, schemes_are_listed_in_file_order_and_current_parser_matches_exactly)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nCurrentParser=CPP\r\n"
                          "[Scripts]\r\nSQL=SQL;scripts\\SQL.dat\r\nCPP=C and C++;scripts\\CPP.dat\r\n"
                          "NoFile=Bare name\r\n");
    TMainForm& form = Form();
    EXPECT_EQ(form.SchemeNames()[0], "SQL");
    EXPECT_EQ(form.SchemeNames()[1], "C and C++");
    EXPECT_EQ(form.SchemeFiles()[1], "scripts\\CPP.dat");
    EXPECT_EQ(form.SchemeNames()[2], "Bare name");
    EXPECT_EQ(form.SchemeFiles()[2], "");
    EXPECT_EQ(form.CurrentSchemeIndex(), 1);
    EXPECT_EQ(form.CurrentSchemeName(), "C and C++");
    EXPECT_EQ(form.CurrentSchemeFile(), "scripts\\CPP.dat");

    ProfileWriteString((folder_ / "main.ini").string(), "Options", "CurrentParser", "cpp");
    form.LoadCurrentScheme();
    // No exact match: the index stays, the file is what the lookup finds.
    EXPECT_EQ(form.CurrentSchemeIndex(), 1);
}

}  // namespace
}  // namespace tarnwick::test
