// The chrome helpers that hold state of their own.
#include "chrome/credits_panel.h"
#include "chrome/status_bar.h"
#include "chrome/title_strip_menu.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

TEST(CreditsPanel, scrolls_the_whole_text_out_and_starts_again_below)
{
    TCreditsPanel panel;
    panel.resize(200, 60);
    panel.SetLines({"Tarnwick", "Version 2.41", "", "Thanks"});
    panel.Start();
    const int height = panel.contentsRect().height();
    ASSERT_EQ(panel.Offset(), height);
    const int cycle = height + panel.TextHeight() + 1;
    for (int i = 0; i < cycle - 1; ++i)
        panel.Step();
    EXPECT_EQ(panel.Offset(), -panel.TextHeight());
    panel.Step();
    EXPECT_EQ(panel.Offset(), height);
    panel.Stop();
    EXPECT_FALSE(panel.Running());
}

TEST(StatusBar, panel_numbers_outside_the_bar_are_ignored)
{
    TStatusBar bar({10, 20});
    bar.SetPanelText(-1, "x");
    bar.SetPanelText(2, "x");
    bar.SetPanelText(1, "y");
    EXPECT_EQ(bar.PanelText(-1), "");
    EXPECT_EQ(bar.PanelText(0), "");
    EXPECT_EQ(bar.PanelText(1), "y");
    EXPECT_EQ(bar.PanelWidth(5), 0);
}

TEST(TitleStripMenu, strip_moves_the_items_right_of_the_band)
{
    TTitleStripMenu menu("&File");
    menu.addAction("Exit");
    EXPECT_EQ(menu.contentsMargins().left(), 0);
    menu.SetStripVisible(true);
    EXPECT_EQ(menu.contentsMargins().left(), TTitleStripMenu::kStripWidth);
    EXPECT_GE(menu.actionGeometry(menu.actions().front()).left(), TTitleStripMenu::kStripWidth);
    menu.SetStripVisible(false);
    EXPECT_EQ(menu.contentsMargins().left(), 0);
}

}  // namespace
}  // namespace tarnwick::test
