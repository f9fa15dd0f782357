#include "app/input_manager.h"
#include "support/log_capture.h"

#include <MyGUI_InputManager.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

class input_dispatch : public ::testing::Test {
protected:
    // Runs one frame of held-key dispatch with the given keys down.
    void frame(std::set<key_code> held, float frame_time = 0.016f)
    {
        input.capture(frame_time);
        input.run_key_bindings([&](key_code key) { return held.count(key) > 0; });
    }

    input_listener recorder(const std::string& name, std::vector<key_code> keys)
    {
        input_listener listener(name);
        for (key_code key : keys)
            listener.bind_key(key, [this, name, key](float dt) {
                calls.push_back(name + ":" + std::to_string(int(key)));
                times.push_back(dt);
            });
        return listener;
    }

    log_capture log;
    input_manager input;
    std::vector<std::string> calls;
    std::vector<float> times;
};

}

TEST_F(input_dispatch, construction_without_a_window_logs_both_lines)
{
    EXPECT_LT(log.index_of("INITIALISE INPUT_MANAGER"), log.index_of("INPUT_MANAGER INITIALISED"));
}

TEST_F(input_dispatch, a_held_key_fires_once_per_frame_with_that_frames_time)
{
    input.add_listener(recorder("a", {KC_W}));
    frame({KC_W}, 0.01f);
    frame({KC_W}, 0.02f);
    frame({KC_W}, 0.03f);
    frame({});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(times, (std::vector<float>{0.01f, 0.02f, 0.03f}));
}

TEST_F(input_dispatch, listeners_fire_in_insertion_order_and_keys_in_code_order)
{
    input.add_listener(recorder("first", {KC_D, KC_W}));
    input.add_listener(recorder("second", {KC_W}));
    frame({KC_W, KC_D});
    EXPECT_EQ(calls, (std::vector<std::string>{"first:17", "first:32", "second:17"}));
}

TEST_F(input_dispatch, a_listener_added_twice_fires_twice_and_one_removal_takes_both)
{
    const input_listener twice = recorder("twice", {KC_W});
    input.add_listener(twice);
    input.add_listener(twice);
    frame({KC_W});
    EXPECT_EQ(calls.size(), 2u);
    input.remove_listener(twice);
    calls.clear();
    frame({KC_W});
    EXPECT_TRUE(calls.empty());
}

TEST_F(input_dispatch, removing_a_middle_listener_keeps_the_order_of_the_rest)
{
    input.add_listener(recorder("a", {KC_W}));
    input.add_listener(recorder("b", {KC_W}));
    input.add_listener(recorder("c", {KC_W}));
    input.remove_listener("b");
    input.remove_listener("not there");
    frame({KC_W});
    EXPECT_EQ(calls, (std::vector<std::string>{"a:17", "c:17"}));
    input.remove_last_listener();
    calls.clear();
    frame({KC_W});
    EXPECT_EQ(calls, (std::vector<std::string>{"a:17"}));
}

TEST_F(input_dispatch, rebinding_a_key_replaces_its_callback_and_stored_copies_do_not_follow_changes)
{
    input_listener listener = recorder("a", {KC_W});
    listener.bind_key(KC_W, [this](float) { calls.push_back("replaced"); });
    input.add_listener(listener);
    listener.bind_key(KC_S, [this](float) { calls.push_back("late"); });
    frame({KC_W, KC_S});
    EXPECT_EQ(calls, (std::vector<std::string>{"replaced"}));
}

TEST_F(input_dispatch, every_held_bound_button_fires_on_any_press)
{
    std::vector<std::string> pressed;
    input_listener listener("mouse");
    listener.bind_mouse_button(MB_Left, [&](float, const mouse_state&) { pressed.push_back("left"); });
    listener.bind_mouse_button(MB_Right, [&](float, const mouse_state&) { pressed.push_back("right"); });
    input.add_listener(listener);

    mouse_state state;
    state.buttons = 1 << MB_Left;
    input.mouse_pressed(state, MB_Left);
    // The right button goes down while the left one is held: both fire.
    state.buttons |= 1 << MB_Right;
    input.mouse_pressed(state, MB_Right);
    // Releases run no binding.
    input.mouse_released(state, MB_Right);
    EXPECT_EQ(pressed, (std::vector<std::string>{"left", "left", "right"}));
}

TEST_F(input_dispatch, without_devices_or_gui_nothing_is_injected_and_the_mouse_is_still)
{
    // MyGUI's input manager on its own notes what is injected into it; left
    // uninitialised, it reaches for no other part of the GUI on a key.
    MyGUI::InputManager gui_input;
    input.key_pressed(MyGUI::KeyCode::LeftShift, 0);
    EXPECT_FALSE(gui_input.isShiftPressed());

    mouse_state moved;
    moved.X = {300, 25};
    moved.Y = {200, -10};
    moved.Z = {120, 120};
    EXPECT_NO_THROW(input.mouse_moved(moved));
    EXPECT_EQ(gui_input.getMousePosition(), MyGUI::IntPoint());

    const mouse_state still = input.get_mouse_state();
    EXPECT_EQ(still.X.abs, 0);
    EXPECT_EQ(still.X.rel, 0);
    EXPECT_EQ(still.Y.rel, 0);
    EXPECT_EQ(still.Z.rel, 0);
}
