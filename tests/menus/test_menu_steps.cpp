// Which control an arrow key leads to, on the title screen's layout and on a
// page of two columns.

#include "menus/menu_steps.h"

#include <gtest/gtest.h>

TEST(menu_steps, arrows_follow_the_title_screen_and_stop_at_its_edges)
{
    // Play across the top, Options and Help side by side, Quit below.
    const std::vector<menu_rect> title{
        {290, 410, 270, 57}, {290, 483, 128, 57}, {433, 483, 128, 57}, {290, 556, 270, 57}};
    EXPECT_EQ(menu_step(title, -1, menu_direction::down), 0) << "the first step highlights the top control";
    EXPECT_EQ(menu_step(title, 0, menu_direction::down), 1) << "of two the same way off, the left one";
    EXPECT_EQ(menu_step(title, 1, menu_direction::right), 2);
    EXPECT_EQ(menu_step(title, 2, menu_direction::down), 3);
    EXPECT_EQ(menu_step(title, 3, menu_direction::down), 3);
    EXPECT_EQ(menu_step(title, 2, menu_direction::right), 2);
    EXPECT_EQ(menu_step(title, 3, menu_direction::up), 1);
    EXPECT_EQ(menu_step({}, -1, menu_direction::up), -1);
}

TEST(menu_steps, a_step_prefers_the_control_in_line_over_a_nearer_one_off_to_the_side)
{
    // Two columns of rows; the right column's rows sit a little lower.
    const std::vector<menu_rect> page{{0, 0, 100, 30}, {0, 50, 100, 30}, {0, 100, 100, 30}, {300, 10, 60, 30},
                                      {300, 60, 60, 30}};
    EXPECT_EQ(menu_step(page, 0, menu_direction::down), 1);
    EXPECT_EQ(menu_step(page, 1, menu_direction::right), 4);
    EXPECT_EQ(menu_step(page, 3, menu_direction::down), 4);
    EXPECT_EQ(menu_step(page, 4, menu_direction::left), 1);
}
