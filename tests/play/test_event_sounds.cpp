// Every happening in a played level is heard once: coins, checkpoints each
// time one becomes the place to come back to, a fall, a door flipped by its
// switch, a teleporter, a speed block's kick, a crumbling tile, and the
// finish, brighter for a new best time. Events beside the ball are placed
// by where they lie across the view.

#include "app/game_camera.h"
#include "app/physics/physics_body.h"
#include "objects/obj_player.h"
#include "play/event_sounds.h"
#include "play/level_run.h"
#include "support/level_fixture.h"
#include "support/recording_sound_device.h"

#include <filesystem>

namespace {

// Along -Z: two coins, two checkpoints, a switch, a teleporter, a speed block
// and a crumbling tile, each on its own stretch of blocks.
const char* const course = R"(
    <Object type="start" pos="0 100 0"/>
    <Object type="block" pos="0 99 -20"/><Object type="block" pos="0 99 -30"/>
    <Object type="block" pos="0 99 -50"/><Object type="block" pos="0 99 -60"/>
    <Object type="block" pos="0 99 -70"/><Object type="block" pos="0 99 -80"/>
    <Object type="score" id="gold" pos="0 104 -20"/><Object type="score" id="blue" score_type="1" pos="0 104 -30"/>
    <Object type="checkpoint" id="cp_a" pos="0 100 -50"/><Object type="checkpoint" id="cp_b" pos="0 100 -70"/>
    <Object type="switch" id="red" colour="rot" pos="0 100 -100"/><Object type="door" colour="rot" pos="50 100 -100"/>
    <Object type="teleporter" id="pad" pos="0 100 -130" target_pos="0 100 -60"/>
    <Object type="block" id="kick" block_type="2" pos="0 99 -160"/>
    <Object type="block" id="tile" block_type="1" pos="0 99 -190"/>
    <Object type="target" pos="0 100 -300"/>)";

class event_sounds_in_play : public level_fixture {
protected:
    event_sounds_in_play() { context.sound = &heard; }

    // The ball set at rest at `at`, then `seconds` of a race.
    void race_from(level& lvl, level_run& run, game_camera& view, const Ogre::Vector3& at, float seconds)
    {
        lvl.get_player()->get_actor()->set_position(at);
        lvl.get_player()->get_actor()->set_linear_velocity(Ogre::Vector3::ZERO);
        for (int i = 0; i < int(seconds * 60.0f); ++i) {
            context.frame_time = 1.0f / 60.0f;
            run.frame(view);
            input.capture(context.frame_time);
        }
    }

    recording_sound_device heard;
};

}

TEST_F(event_sounds_in_play, each_event_is_heard_once)
{
    std::unique_ptr<level> lvl = load_course(course);
    game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
    level_run run(&context, *lvl, nullptr, run_plan{});
    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -20), 0.5f);
    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -30), 0.5f);
    EXPECT_EQ(heard.count("coin.ogg"), 1);
    EXPECT_EQ(heard.count("blue_coin.ogg"), 1);

    // One sound each time a checkpoint becomes the place to come back to:
    // not for resting on it, nor for touching it again while it is.
    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -50), 1.0f);
    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -50), 0.5f);
    EXPECT_EQ(heard.count("checkpoint.ogg"), 1);
    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -70), 0.5f);
    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -50), 0.5f);
    EXPECT_EQ(heard.count("checkpoint.ogg"), 3);

    race_from(*lvl, run, camera, Ogre::Vector3(40, 104, -50), 3.0f);
    EXPECT_EQ(heard.count("fall.ogg"), 1);

    race_from(*lvl, run, camera, Ogre::Vector3(0, 110, -100), 0.5f);
    EXPECT_EQ(heard.count("door.ogg"), 1);

    race_from(*lvl, run, camera, Ogre::Vector3(0, 105, -130), 0.5f);
    EXPECT_EQ(heard.count("teleporter.ogg"), 1);

    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -160), 0.3f);
    EXPECT_EQ(heard.count("speed_kick.ogg"), 1);

    race_from(*lvl, run, camera, Ogre::Vector3(0, 104, -190), 1.0f);
    EXPECT_EQ(heard.count("crumble.ogg"), 1);

    EXPECT_EQ(heard.count("complete.ogg") + heard.count("new_best.ogg"), 0);
    EXPECT_EQ(heard.effects.size(), 10u) << "an event was heard more than once";
    for (const auto& effect : heard.effects)
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(QUILLAX_MUSIC_DIR) / "effects" /
                                            std::filesystem::path(effect.path).filename()))
            << effect.path << " is not made by the build";
}

TEST_F(event_sounds_in_play, the_finish_is_a_fanfare_and_a_faster_run_a_new_best)
{
    context.progress_folder = (std::filesystem::current_path() / "progress").string();
    for (const float wait : {1.0f, 0.0f}) {
        std::unique_ptr<level> lvl = load_course(course, "finish.map");
        game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
        level_run run(&context, *lvl, nullptr, run_plan{});
        race_from(*lvl, run, camera, Ogre::Vector3(0, 110, 0), wait);
        race_from(*lvl, run, camera, Ogre::Vector3(0, 110, -300), 0.5f);
        ASSERT_TRUE(lvl->is_completed());
        run.finish();
        run.finish();
    }
    EXPECT_EQ(heard.count("complete.ogg"), 1);
    EXPECT_EQ(heard.count("new_best.ogg"), 1);
}

TEST(event_sound_placing, events_are_panned_across_the_view_and_fade_with_distance)
{
    const Ogre::Vector3 ball(0, 0, 0);
    const Ogre::Vector3 right = Ogre::Vector3::UNIT_X;
    const auto beside = event_sounds::place(ball, right, Ogre::Vector3(0, 5, 0));
    EXPECT_FLOAT_EQ(beside.gain, 1.0f);
    EXPECT_FLOAT_EQ(beside.pan, 0.0f);
    EXPECT_GT(event_sounds::place(ball, right, Ogre::Vector3(50, 0, 0)).pan, 0.5f);
    EXPECT_LT(event_sounds::place(ball, -right, Ogre::Vector3(50, 0, 0)).pan, -0.5f);
    const auto far = event_sounds::place(ball, right, Ogre::Vector3(0, 0, -600));
    EXPECT_NEAR(far.gain, 0.1f, 0.001f);
    EXPECT_NEAR(far.pan, 0.0f, 0.001f);
}
