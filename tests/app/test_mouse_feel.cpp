// The player's mouse settings: how far the camera turns and rises for the
// same movement of the mouse.

#include "app/game_settings.h"
#include "app/mouse_feel.h"
#include "app/window_size.h"

#include <gtest/gtest.h>

TEST(mouse_feel, the_default_feel_passes_every_count_through_unchanged)
{
    mouse_feel feel;
    const game_settings settings;
    for (int counts : {0, 1, -1, 7, -120, 33333}) {
        EXPECT_EQ(feel.turn(counts, settings), counts);
        EXPECT_EQ(feel.wheel(counts, settings), counts);
    }
}

TEST(mouse_feel, slow_movement_at_low_sensitivity_still_turns_by_the_right_amount)
{
    mouse_feel feel;
    game_settings settings;
    settings.mouse_sensitivity = 30;
    settings.invert_mouse = true;
    int turned = 0;
    for (int frame = 0; frame < 100; ++frame)
        turned += feel.turn(1, settings);
    EXPECT_EQ(turned, -30);
    settings.wheel_speed = 250;
    EXPECT_EQ(feel.wheel(120, settings), 300);
    EXPECT_EQ(feel.wheel(-1, settings) + feel.wheel(-1, settings), -5);
}

TEST(window_sizes, offered_are_x_modes_and_usual_sizes_that_fit_small_to_large)
{
    EXPECT_EQ(window_sizes({"1024 x 768", "1280 x 1024", "bogus", "1024 x 768"}, "1100 x 700"),
              (std::vector<std::string>{"800 x 600", "1100 x 700", "1024 x 768", "1280 x 720", "1280 x 800",
                                        "1280 x 1024"}));
    EXPECT_EQ(window_sizes({}, ""), std::vector<std::string>());
    int width = 0, height = 0;
    EXPECT_TRUE(read_window_size("1920 x 1080 @ 60", width, height));
    EXPECT_FALSE(read_window_size("1920 x 0", width, height));
    EXPECT_FALSE(read_window_size("20000 x 100", width, height));
}
