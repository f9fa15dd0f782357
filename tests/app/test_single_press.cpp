#include "app/single_press.h"

#include <gtest/gtest.h>

namespace {

// Frames in the main loop's order: the owner's update, then the held-key
// binding if the key is down. Returns how often the key acted.
int acts(single_press& key, const std::vector<bool>& down_in_frame)
{
    int count = 0;
    for (bool down : down_in_frame) {
        key.next_frame();
        if (down && key.pressed())
            ++count;
    }
    return count;
}

}

TEST(single_press, a_key_held_for_many_frames_acts_once)
{
    single_press key;
    EXPECT_EQ(acts(key, {true, true, true, true, true}), 1);
}

TEST(single_press, each_new_press_acts_again)
{
    single_press key;
    EXPECT_EQ(acts(key, {true, true, false, true, false, false, true, true}), 3);
}
