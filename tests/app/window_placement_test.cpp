// Putting a remembered window placement back on the screens there are.
#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

TEST(WindowPlacement, keeps_what_can_be_reached_and_pulls_back_the_rest)
{
    const QRect left(0, 0, 1920, 1080);
    const QRect right(1920, 0, 1280, 1024);
    struct {
        const char* name;
        QRect stored;
        QList<QRect> screens;
        QRect placed;
    } const rows[] = {
        {"inside_one_screen", {100, 100, 600, 400}, {left}, {100, 100, 600, 400}},
        {"partly_off_but_reachable", {1800, 900, 600, 400}, {left}, {1800, 900, 600, 400}},
        {"across_two_screens", {1700, 100, 600, 400}, {left, right}, {1700, 100, 600, 400}},
        {"only_a_sliver_shows", {1910, 100, 600, 400}, {left}, {1320, 100, 600, 400}},
        {"far_left", {-5000, 200, 600, 400}, {left, right}, {0, 200, 600, 400}},
        {"far_right_goes_to_the_right_screen", {9000, 200, 600, 400}, {left, right},
         {2600, 200, 600, 400}},
        {"below_everything", {300, 5000, 600, 400}, {left}, {300, 680, 600, 400}},
        {"larger_than_the_screen_shrinks", {-3000, -3000, 2500, 1500}, {left},
         {0, 0, 1920, 1080}},
        {"screen_gone_since", {2500, 100, 600, 400}, {left}, {1320, 100, 600, 400}},
        {"no_screens", {-5000, 0, 10, 10}, {}, {-5000, 0, 10, 10}},
        {"tiny_window_wholly_shown", {5, 5, 10, 10}, {left}, {5, 5, 10, 10}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PlaceOnScreens(row.stored, row.screens), row.placed) << row.name;
}

}  // namespace
}  // namespace tarnwick::test
