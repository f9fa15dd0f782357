// A play of a level is recorded, kept as the level's best run, raced as a
// ghost and watched: the recorded input must bring the watched run to the
// same finish, to the bit, whatever the screen's frame rate.

#include "app/game_camera.h"
#include "app/gamepad.h"
#include "app/input_manager.h"
#include "app/physics/physics_body.h"
#include "headless_play/route_bot.h"
#include "level/game_object.h"
#include "objects/obj_player.h"
#include "play/ghost_ball.h"
#include "play/level_run.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"
#include "support/virtual_pad.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>
#include <OgreSceneNode.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

const std::filesystem::path source_levels = std::filesystem::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";
const std::filesystem::path routes = QUILLAX_ROUTES_DIR;

class level_runs : public level_fixture {
protected:
    level_runs() { context.progress_folder = (std::filesystem::current_path() / "progress").string(); }

    std::unique_ptr<level> load_level_01()
    {
        std::ifstream in(source_levels / "level_01.map");
        std::stringstream text;
        text << in.rdbuf();
        return load("level_01.map", text.str());
    }

    // Frames until the level is completed (at most five minutes of them), the
    // route bot at the keys after `wait` frames when `bot` is given; `each`
    // looks on after a frame.
    void play(level& lvl, level_run& run, route_bot* bot, const std::function<float(int)>& frame_time,
              int wait = 0, const std::function<void()>& each = [] {})
    {
        game_camera camera("game_cam", &lvl, lvl.get_player()->get_scene_node());
        obj_player* ball = lvl.get_player();
        for (int i = 0; i < 60 * 300 && !lvl.is_completed(); ++i) {
            const float dt = frame_time(i);
            context.frame_time = dt;
            run.frame(camera);
            each();
            input.capture(dt);
            std::set<key_code> held;
            if (bot && i >= wait)
                held = bot->keys(ball->get_position(), ball->get_actor()->get_linear_velocity(), dt);
            input.run_key_bindings([&](key_code key) { return held.count(key) > 0; });
        }
    }

    route_bot make_bot(std::unique_ptr<level>& lvl)
    {
        route_bot bot([&lvl](const std::string& id, Ogre::Vector3& at) {
            game_object* object = lvl->find_object(id);
            if (object)
                at = object->get_position();
            return object != nullptr;
        });
        std::string error;
        EXPECT_TRUE(bot.load((routes / "level_01.route").string(), error)) << error;
        return bot;
    }
};

// An uneven frame rate, as a real screen gives, with the two still frames a level starts with.
float uneven(int frame)
{
    return frame < 2 ? 0.0f : (frame % 3 == 0 ? 1.0f / 45.0f : 1.0f / 60.0f);
}

}

TEST_F(level_runs, a_kept_run_watched_at_any_frame_rate_finishes_exactly_as_it_was_played)
{
    double time = 0.0;
    Ogre::Vector3 end;
    int coins = 0;
    {
        std::unique_ptr<level> lvl = load_level_01();
        route_bot bot = make_bot(lvl);
        level_run recorded(&context, *lvl, nullptr, run_plan{});
        EXPECT_EQ(recorded.get_ghost(), nullptr) << "a ghost before any run was kept";
        play(*lvl, recorded, &bot, uneven);
        ASSERT_TRUE(lvl->is_completed());
        const run_outcome& kept = recorded.finish();
        EXPECT_TRUE(kept.improved.first_finish);
        EXPECT_TRUE(kept.new_ghost);
        EXPECT_EQ(kept.best.best_time_ms, std::lround(lvl->get_play_time() * 1000.0));
        time = lvl->get_play_time(); 
        end = lvl->get_player()->get_position();
        coins = lvl->get_coins_taken();
    }

    for (const float screen : {1.0f / 30.0f, 1.0f / 144.0f}) {
        std::unique_ptr<level> again = load_level_01();
        level_run watched(&context, *again, nullptr, run_plan{true, false, {}});
        ASSERT_TRUE(watched.is_watching());
        play(*again, watched, nullptr, [screen](int) { return screen; });
        ASSERT_TRUE(again->is_completed()) << "at a screen rate of " << 1.0f / screen;
        EXPECT_EQ(again->get_play_time(), time);
        EXPECT_EQ(again->get_player()->get_position(), end);
        EXPECT_EQ(again->get_coins_taken(), coins);
        EXPECT_FALSE(watched.finish().new_ghost) << "watching kept a run";
    }
}

TEST_F(level_runs, the_ghost_of_the_same_run_rolls_with_the_ball_and_a_slower_run_keeps_the_best)
{
    {
        std::unique_ptr<level> lvl = load_level_01();
        route_bot bot = make_bot(lvl);
        level_run first(&context, *lvl, nullptr, run_plan{});
        play(*lvl, first, &bot, uneven);
        first.finish();
    }
    {
        // The same keys at the same frame times: the ghost is where the ball
        // is, and the checkpoint is reached in the same time.
        headless_gui gui;
        std::unique_ptr<level> lvl = load_level_01();
        route_bot bot = make_bot(lvl);
        level_run race(&context, *lvl, gui.get(), run_plan{});
        ASSERT_NE(race.get_ghost(), nullptr);
        float furthest = 0.0f;
        std::string split;
        bool split_gone = false;
        play(*lvl, race, &bot, uneven, 0, [&] {
            furthest = std::max(furthest, race.get_ghost()->get_scene_node()->getPosition().distance(
                                              lvl->get_player()->get_position()));
            const auto* shown = gui.get()->findWidget<MyGUI::TextBox>("split_time", false);
            if (shown && shown->getInheritedVisible())
                split = shown->getCaption();
            split_gone = split_gone || (!split.empty() && (!shown || !shown->getInheritedVisible()));
        });
        EXPECT_LT(furthest, 0.01f);
        EXPECT_EQ(split, "+0.00");
        EXPECT_TRUE(split_gone) << "the split time stayed on screen";
        const run_outcome& same = race.finish();
        EXPECT_TRUE(same.raced);
        EXPECT_EQ(same.gain, 0.0);
        EXPECT_FALSE(same.improved.new_best_time);
        EXPECT_FALSE(same.new_ghost) << "an equal run replaced the best run";
    }
    // Held back at the start for a second: slower, and the best stays.
    std::unique_ptr<level> lvl = load_level_01();
    route_bot bot = make_bot(lvl);
    level_run late(&context, *lvl, nullptr, run_plan{});
    play(*lvl, late, &bot, uneven, 60);
    ASSERT_TRUE(lvl->is_completed());
    const run_outcome& slower = late.finish();
    EXPECT_GT(slower.gain, 0.5);
    EXPECT_FALSE(slower.new_ghost);
}

TEST_F(level_runs, a_run_rolled_with_a_pad_s_stick_is_watched_to_the_same_finish)
{
    gamepad pads;
    virtual_pad pad;
    ASSERT_TRUE(pad.plugged()) << pad.error();
    input.set_gamepad(&pads, [](gamepad::button) { return KC_RETURN; });
    double time = 0.0;
    Ogre::Vector3 end;
    {
        std::unique_ptr<level> lvl = load_level_01();
        route_bot bot = make_bot(lvl);
        obj_player* ball = lvl->get_player();
        level_run recorded(&context, *lvl, nullptr, run_plan{});
        // The bot's keys as the stick: W forward, D right, two of them a diagonal.
        play(*lvl, recorded, nullptr, uneven, 0, [&] {
            const std::set<key_code> keys =
                bot.keys(ball->get_position(), ball->get_actor()->get_linear_velocity(), context.frame_time);
            pad.tilt_left(float(keys.count(KC_W)) - float(keys.count(KC_S)),
                          float(keys.count(KC_D)) - float(keys.count(KC_A)));
        });
        ASSERT_TRUE(lvl->is_completed());
        EXPECT_TRUE(recorded.finish().new_ghost);
        time = lvl->get_play_time();
        end = ball->get_position();
    }

    // A stick still held while watching changes nothing.
    pad.tilt_left(1.0f, -1.0f);
    std::unique_ptr<level> again = load_level_01();
    level_run watched(&context, *again, nullptr, run_plan{true, false, {}});
    play(*again, watched, nullptr, [](int) { return 1.0f / 30.0f; });
    ASSERT_TRUE(again->is_completed());
    EXPECT_EQ(again->get_play_time(), time);
    EXPECT_EQ(again->get_player()->get_position(), end);
    input.set_gamepad(nullptr, nullptr);
}

TEST_F(level_runs, a_watched_run_pauses_on_space_and_plays_four_times_as_fast_while_f_is_held)
{
    {
        std::unique_ptr<level> lvl = load_level_01();
        route_bot bot = make_bot(lvl);
        level_run recorded(&context, *lvl, nullptr, run_plan{});
        play(*lvl, recorded, &bot, [](int) { return 1.0f / 60.0f; });
        recorded.finish();
    }
    headless_gui gui;
    std::unique_ptr<level> again = load_level_01();
    level_run watched(&context, *again, gui.get(), run_plan{true, false, {}});
    game_camera camera("game_cam", again.get(), again->get_player()->get_scene_node());
    // A second on screen, as the main loop runs it: input first, then the frame.
    auto second = [&](bool tap_space, bool hold_f) {
        for (int i = 0; i < 60; ++i) {
            input.capture(1.0f / 60.0f);
            if (tap_space && i == 0) {
                input.key_pressed(KC_SPACE, 0);
                input.key_released(KC_SPACE);
            }
            input.run_key_bindings([&](key_code key) { return hold_f && key == KC_F; });
            context.frame_time = 1.0f / 60.0f;
            watched.frame(camera);
        }
        return again->get_play_time();
    };
    auto label = [&] {
        auto* shown = gui.get()->findWidget<MyGUI::TextBox>("replay_label", false);
        return shown ? shown->getCaption().asUTF8() : "(no label)";
    };

    const double played = second(false, false);
    EXPECT_NEAR(played, 1.0, 0.05);
    EXPECT_EQ(label(), "Replay");
    EXPECT_EQ(second(true, false), played) << "the paused run went on";
    EXPECT_EQ(label(), "Replay \u2013 paused");
    EXPECT_NEAR(second(true, true), played + 4.0, 0.05);
    EXPECT_EQ(label(), "Replay \u00d74");
    EXPECT_FALSE(again->is_completed());
}

TEST_F(level_runs, a_look_around_before_go_sets_where_w_rolls_and_is_watched_to_the_same_finish)
{
    gamepad pads;
    virtual_pad pad;
    ASSERT_TRUE(pad.plugged()) << pad.error();
    input.set_gamepad(&pads, [](gamepad::button) { return KC_RETURN; });
    // The target lies a quarter turn to the right of where the camera first looks.
    const std::string course = R"(<Object type="start" pos="0 100 0"/>
        <Object type="block" pos="0 99.25 0" mesh="ground.mesh"/><Object type="target" pos="60 100 0"/>)";
    const float dt = 1.0f / 60.0f;
    double time = 0.0;
    Ogre::Vector3 end;
    {
        std::unique_ptr<level> lvl = load_course(course);
        level_run looked(&context, *lvl, nullptr, run_plan{});
        game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
        // Half a second of the right stick at full tilt: a quarter turn, with nothing else moving.
        pad.tilt_right(0.0f, 1.0f);
        const Ogre::Vector3 start = lvl->get_player()->get_position();
        for (int i = 0; i < 30; ++i) {
            context.frame_time = dt;
            input.capture(dt);
            looked.look(camera);
        }
        pad.tilt_right(0.0f, 0.0f);
        EXPECT_NEAR(camera.get_camera_node()->getOrientation().getYaw().valueDegrees(), -90.0f, 3.0f);
        EXPECT_EQ(lvl->get_play_time(), 0.0);
        EXPECT_EQ(lvl->get_player()->get_position(), start);

        for (int i = 0; i < 60 * 10 && !lvl->is_completed(); ++i) {
            context.frame_time = dt;
            input.capture(dt);
            input.run_key_bindings([](key_code key) { return key == KC_W; });
            looked.frame(camera);
        }
        ASSERT_TRUE(lvl->is_completed()) << "W did not roll the ball the way the camera looked";
        EXPECT_TRUE(looked.finish().new_ghost);
        time = lvl->get_play_time();
        end = lvl->get_player()->get_position();
    }
    input.set_gamepad(nullptr, nullptr);

    std::unique_ptr<level> again = load_course(course);
    level_run watched(&context, *again, nullptr, run_plan{true, false, {}});
    ASSERT_TRUE(watched.is_watching());
    play(*again, watched, nullptr, [](int) { return 1.0f / 30.0f; });
    ASSERT_TRUE(again->is_completed());
    EXPECT_EQ(again->get_play_time(), time);
    EXPECT_EQ(again->get_player()->get_position(), end);
}

// The follow camera's turns are recorded with the player's, so the run plays
// back the same with the setting off: W rolled where the camera had turned.
TEST_F(level_runs, a_run_the_follow_camera_turned_is_watched_to_the_same_finish_with_the_setting_off)
{
    // The flag far off for a first drive, then where that drive took the ball:
    // the same bodies in the same order, so the drive goes the same way to it.
    auto course = [](float x, float z) {
        return R"(<Object type="start" pos="0 100 0"/><Object type="block" pos="0 99.25 0" mesh="ground.mesh"/>
            <Object type="target" pos=")" + std::to_string(x) + " 99.5 " + std::to_string(z) + "\"/>";
    };
    const float dt = 1.0f / 60.0f;
    // D to get the ball rolling right, then W alone: with the camera following, W turns right with it.
    auto drive = [&](level& lvl, level_run& run, game_camera& camera, int frames) {
        for (int i = 0; i < frames && !lvl.is_completed(); ++i) {
            context.frame_time = dt;
            input.capture(dt);
            const key_code held = i < 40 ? KC_D : KC_W;
            input.run_key_bindings([held](key_code key) { return key == held; });
            run.frame(camera);
        }
    };
    context.settings.follow_camera = true;
    Ogre::Vector3 goal;
    {
        std::unique_ptr<level> lvl = load_course(course(5000.0f, 5000.0f));
        level_run scouting(&context, *lvl, nullptr, run_plan{});
        game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
        drive(*lvl, scouting, camera, 150);
        goal = lvl->get_player()->get_position();
        EXPECT_LT(camera.get_camera_node()->getOrientation().getYaw().valueDegrees(), -30.0f)
            << "the camera did not turn after the ball";
    }
    double time = 0.0;
    Ogre::Vector3 end;
    {
        std::unique_ptr<level> lvl = load_course(course(goal.x, goal.z));
        level_run recorded(&context, *lvl, nullptr, run_plan{});
        game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
        drive(*lvl, recorded, camera, 600);
        ASSERT_TRUE(lvl->is_completed());
        EXPECT_TRUE(recorded.finish().new_ghost);
        time = lvl->get_play_time();
        end = lvl->get_player()->get_position();
    }

    context.settings.follow_camera = false;
    std::unique_ptr<level> again = load_course(course(goal.x, goal.z));
    level_run watched(&context, *again, nullptr, run_plan{true, false, {}});
    ASSERT_TRUE(watched.is_watching());
    play(*again, watched, nullptr, [](int) { return 1.0f / 30.0f; });
    ASSERT_TRUE(again->is_completed()) << "the watched run went its own way";
    EXPECT_EQ(again->get_play_time(), time);
    EXPECT_EQ(again->get_player()->get_position(), end);
}
