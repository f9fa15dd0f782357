#include "app/game_camera.h"
#include "app/physics/physics_body.h"
#include "objects/obj_platform.h"
#include "objects/obj_player.h"
#include "objects/obj_score.h"
#include "support/level_fixture.h"
#include "support/recording_sound_device.h"

#include <OgreSceneNode.h>

namespace {

// Levels as mapscout builds them (set before the members below load one).
class scout_fixture : public level_fixture {
protected:
    scout_fixture()
    {
        context.scout = true;
        context.sound = &music;
    }

    recording_sound_device music;
};

class probe : public scout_fixture {
protected:
    std::unique_ptr<level> lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="block" pos="0 99 -10"/>
        <Object type="door" colour="red" pos="0 105 -30" rot="0 90 0"/>
        <Object type="score" id="coin" pos="0 200 0" score_type="1"/>
        <Object type="platform" id="lift"><Waypoint pos="300 50 0"/><Waypoint pos="300 50 -40"/></Object>)");
    obj_player* ball = lvl->get_player();
};

}

TEST_F(probe, starts_5_above_the_start_invisible_and_hovers)
{
    EXPECT_EQ(ball->get_position(), Ogre::Vector3(0, 105, 0));
    EXPECT_FALSE(ball->get_entity()->isVisible());
    run(*lvl, 2.0f, 60.0f);
    EXPECT_EQ(ball->get_position(), Ogre::Vector3(0, 105, 0));
}

TEST_F(probe, flies_through_walls_and_slows_down_when_the_keys_are_released)
{
    run(*lvl, 1.0f, 60.0f, {KC_W});
    // Beyond the closed door at z = -30.
    EXPECT_LT(ball->get_position().z, -32.0f);
    const float speed = ball->get_actor()->get_linear_velocity().length();
    run(*lvl, 1.0f, 60.0f);
    EXPECT_LT(ball->get_actor()->get_linear_velocity().length(), speed * 0.1f);
    EXPECT_NEAR(ball->get_position().y, 105.0f, 0.01f);
}

TEST_F(probe, q_and_e_fly_it_down_and_up_and_it_never_respawns)
{
    run(*lvl, 2.0f, 60.0f, {KC_Q});
    EXPECT_LT(ball->get_position().y, 40.0f);
    const float low = ball->get_position().y;
    run(*lvl, 1.0f, 60.0f, {KC_E});
    EXPECT_GT(ball->get_position().y, low + 20.0f);
}

TEST_F(probe, coins_stand_still_and_are_worth_10_and_platforms_are_not_snapped)
{
    auto* coin = static_cast<obj_score*>(lvl->find_object("coin"));
    EXPECT_EQ(coin->get_points(), 10);
    EXPECT_FALSE(coin->get_actor()->is_dynamic());
    auto* lift = static_cast<obj_platform*>(lvl->find_object("lift"));
    bool arrived = false;
    for (int i = 0; i < 900 && !arrived; ++i) {
        frame(*lvl, 1.0f / 60.0f);
        arrived = lift->get_next_waypoint() == 0;
    }
    ASSERT_TRUE(arrived);
    // It stopped near the waypoint but was not moved onto it.
    EXPECT_NE(lift->get_position(), Ogre::Vector3(300, 50, -40));
    EXPECT_TRUE(lift->get_position().positionEquals(Ogre::Vector3(300, 50, -40), 1.1f));
    EXPECT_EQ(coin->get_actor()->get_orientation(), Ogre::Quaternion::IDENTITY);
}

TEST_F(probe, the_camera_looks_down_from_300_and_ignores_the_wheel)
{
    game_camera camera("game_cam", lvl.get(), ball->get_scene_node());
    EXPECT_EQ(camera.get_camera_position(), Ogre::Vector3(0, 300, 1));
    mouse_state wheel;
    wheel.Z.rel = 120;
    camera.steer(wheel, 0.1f);
    camera.steer(mouse_state(), 0.1f);
    EXPECT_EQ(camera.get_camera_position(), Ogre::Vector3(0, 300, 1));
    mouse_state sideways;
    sideways.X.rel = 100;
    camera.steer(sideways, 0.016f);
    EXPECT_NEAR(camera.get_camera_node()->getOrientation().getYaw().valueDegrees(), -10.0f, 1e-3f);
}

TEST_F(probe, the_level_plays_no_music_and_fixes_its_fog)
{
    write_level("foggy.map", R"(<Level music="song.ogg"><Fog start="1" end="2" colour="1 0 0"/>
        <Objects><Object type="start"/></Objects></Level>)");
    auto foggy = std::make_unique<level>("foggy.map", &context, nullptr);
    EXPECT_TRUE(music.started.empty()) << "mapscout started " << music.started.front();
    EXPECT_EQ(ogre.scene_manager->getFogColour(), Ogre::ColourValue(0, 0, 0, 1));
    EXPECT_FLOAT_EQ(ogre.scene_manager->getFogStart(), 300.0f);
    EXPECT_FLOAT_EQ(ogre.scene_manager->getFogEnd(), 500.0f);
}
