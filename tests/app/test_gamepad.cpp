// A pad in play, with SDL's virtual joystick standing in for it: the left
// stick rolls the ball as a held key does, half tilt half as hard, Start
// opens the in-game menu, pulling the pad out mid-level costs nothing, and
// a stop signal still ends the game with pads open.

#include "app/application.h"
#include "app/gamepad.h"
#include "app/input_manager.h"
#include "objects/obj_player.h"
#include "states/gs_game.h"
#include "support/level_fixture.h"
#include "support/virtual_pad.h"

#include <csignal>

namespace {

const char* const open_floor =
    R"(<Object type="start" pos="0 100 0"/><Object type="block" pos="0 99.25 0" mesh="ground.mesh"/>)";

class pad_play : public level_fixture {
protected:
    pad_play()
    {
        input.set_gamepad(&pads, [](gamepad::button b) { return b == gamepad::button::start ? KC_ESCAPE : KC_RETURN; });
        pads.poll();
    }

    ~pad_play() override { input.set_gamepad(nullptr, nullptr); }

    void tilt(float forward) { pad.tilt_left(forward, 0.0f); }

    // How far the ball rolls in `seconds`, with the stick as it stands, or with W held.
    float travel(float seconds, bool key = false)
    {
        auto lvl = load_course(open_floor, "pad_" + std::to_string(++courses) + ".map");
        obj_player* ball = lvl->get_player();
        run(*lvl, 0.5f, 60.0f);
        const Ogre::Vector3 from = ball->get_position();
        for (int i = 0; i < int(seconds * 60.0f); ++i) {
            // Read with the keys, after the frame, for the next one.
            frame(*lvl, 1.0f / 60.0f, key ? std::set<key_code>{KC_W} : std::set<key_code>{});
            const gamepad::sticks now = input.get_sticks();
            ball->set_roll(now.roll_forward, now.roll_right);
        }
        return from.distance(ball->get_position());
    }

    gamepad pads;
    virtual_pad pad;
    int courses = 0;
};

}

TEST_F(pad_play, full_tilt_rolls_the_ball_like_a_held_key_and_half_tilt_half_as_hard)
{
    ASSERT_TRUE(pad.plugged()) << pad.error();
    ASSERT_EQ(pads.pads(), 1);
    const float key = travel(0.5f, true);
    tilt(1.0f);
    const float full = travel(0.5f);
    tilt(0.5f);
    const float half = travel(0.5f);
    EXPECT_GT(key, 1.0f);
    EXPECT_NEAR(full, key, 0.01f * key);
    EXPECT_NEAR(half / full, 0.5f, 0.1f);
    tilt(0.1f);
    EXPECT_LT(travel(0.5f), 0.01f * key) << "a stick resting a little off centre rolls the ball";
}

TEST_F(pad_play, start_opens_the_in_game_menu_and_pulling_the_pad_out_stops_the_roll)
{
    ASSERT_TRUE(pad.plugged()) << pad.error();
    write_level("level_01.map", R"(<Level><Settings gravity="0 -100 0"/><Objects>
        <Object type="start" pos="0 100 0"/><Object type="target" pos="0 50 -40"/></Objects></Level>)");
    application app;
    gs_game game(&context);
    state_params params;
    params["level"] = std::string("level_01.map");
    game.enter(params);
    pad.hold(gamepad::button::start, true);
    for (int i = 0; i < 3; ++i) {
        context.frame_time = 0.02f;
        game.update();
        input.capture(0.02f);
    }
    EXPECT_TRUE(game.paused) << "Start did not open the menu";
    pad.hold(gamepad::button::start, false);

    tilt(1.0f);
    input.capture(0.02f);
    EXPECT_FLOAT_EQ(input.get_sticks().roll_forward, 1.0f);
    pad.unplug();
    input.capture(0.02f);
    EXPECT_EQ(pads.pads(), 0);
    EXPECT_FLOAT_EQ(input.get_sticks().roll_forward, 0.0f);
    EXPECT_TRUE(log.contains("Gamepad abgezogen"));
    game.exit();
}

TEST(pads_open, a_stop_signal_still_ends_the_game)
{
    EXPECT_EXIT(
        {
            gamepad pads;
            std::raise(SIGTERM);
            std::exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
}
