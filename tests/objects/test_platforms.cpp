#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "objects/obj_platform.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

namespace {

class platforms : public level_fixture {
protected:
    // Runs until the platform has passed `count` waypoints and returns the
    // indices it headed for, in order.
    std::vector<int> visits(level& lvl, obj_platform* platform, size_t count)
    {
        std::vector<int> order{platform->get_next_waypoint()};
        for (int i = 0; i < 6000 && order.size() < count; ++i) {
            frame(lvl, 1.0f / 60.0f);
            if (platform->get_next_waypoint() != order.back())
                order.push_back(platform->get_next_waypoint());
        }
        return order;
    }
};

}

TEST_F(platforms, walk_their_waypoints_back_and_forth_starting_at_the_first)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="platform" id="two" pos="500 0 500"><Waypoint pos="100 50 0"/><Waypoint pos="140 50 0"/></Object>
        <Object type="platform" id="three"><Waypoint pos="0 50 200"/><Waypoint pos="30 50 200"/><Waypoint pos="30 50 230"/></Object>)");
    auto* two = static_cast<obj_platform*>(lvl->find_object("two"));
    auto* three = static_cast<obj_platform*>(lvl->find_object("three"));
    EXPECT_EQ(two->get_position(), Ogre::Vector3(100, 50, 0));
    EXPECT_EQ(visits(*lvl, two, 5), (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(visits(*lvl, three, 6), (std::vector<int>{1, 2, 1, 0, 1, 2}));
    // The height never changes between waypoints of one height.
    EXPECT_FLOAT_EQ(two->get_position().y, 50.0f);
}

TEST_F(platforms, kind_1_moves_only_while_ridden_and_kind_2_never)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="platform" id="lazy" platform_type="1"><Waypoint pos="0 50 0"/><Waypoint pos="0 50 -60"/></Object>
        <Object type="platform" id="still" platform_type="2"><Waypoint pos="300 50 0"/><Waypoint pos="300 50 -60"/></Object>)");
    obj_player* ball = lvl->get_player();
    run(*lvl, 1.0f, 60.0f);
    EXPECT_EQ(lvl->find_object("lazy")->get_position(), Ogre::Vector3(0, 50, 0));

    // The ball rides it all the way: it keeps going and carries the ball along.
    ball->set_fall_reference_height(50.0f);
    ball->get_actor()->set_position(Ogre::Vector3(0, 55.5f, 0));
    run(*lvl, 6.0f, 60.0f);
    EXPECT_LT(lvl->find_object("lazy")->get_position().z, -30.0f);
    EXPECT_NEAR(ball->get_position().z, lvl->find_object("lazy")->get_position().z, 8.0f);
    EXPECT_GT(ball->get_position().y, 54.0f);
    EXPECT_EQ(lvl->find_object("still")->get_position(), Ogre::Vector3(300, 50, 0));
}

TEST_F(platforms, kind_1_left_alone_stops_at_the_next_waypoint)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="platform" id="lazy" platform_type="1"><Waypoint pos="0 50 0"/><Waypoint pos="0 50 -60"/><Waypoint pos="0 50 -120"/></Object>)");
    obj_player* ball = lvl->get_player();
    ball->set_fall_reference_height(50.0f);
    ball->get_actor()->set_position(Ogre::Vector3(0, 55.5f, 0));
    run(*lvl, 0.3f, 60.0f);
    // Held far aside, never landing: a fall would send the platform back.
    ball->get_actor()->raise_body_flag(BF_DISABLE_GRAVITY);
    ball->get_actor()->set_position(Ogre::Vector3(400, 300, 400));
    run(*lvl, 20.0f, 60.0f);
    // Snapped on arrival, then one last push of that frame.
    EXPECT_TRUE(lvl->find_object("lazy")->get_position().positionEquals(Ogre::Vector3(0, 50, -60), 0.5f));
}

TEST_F(platforms, a_fall_sends_a_waiting_platform_back_to_its_first_waypoint_to_wait_there)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="platform" id="lazy" platform_type="1"><Waypoint pos="0 50 0"/><Waypoint pos="0 50 -60"/><Waypoint pos="0 50 -120"/></Object>
        <Object type="platform" id="busy"><Waypoint pos="300 50 0"/><Waypoint pos="300 50 -60"/></Object>)");
    auto* lazy = static_cast<obj_platform*>(lvl->find_object("lazy"));
    obj_player* ball = lvl->get_player();
    ball->set_fall_reference_height(50.0f);
    ball->get_actor()->set_position(Ogre::Vector3(0, 55.5f, 0));
    run(*lvl, 5.0f, 60.0f);
    ASSERT_LT(lazy->get_position().z, -20.0f);
    const Ogre::Vector3 busy_before = lvl->find_object("busy")->get_position();

    ball->respawn();
    EXPECT_EQ(lazy->get_position(), Ogre::Vector3(0, 50, 0));
    EXPECT_EQ(lvl->find_object("busy")->get_position(), busy_before);
    ball->get_actor()->set_position(Ogre::Vector3(400, 300, 400));
    ball->set_fall_reference_height(-1000.0f);
    run(*lvl, 2.0f, 60.0f);
    EXPECT_EQ(lazy->get_position(), Ogre::Vector3(0, 50, 0));
    // Ridden again, it sets off along its path from the start.
    ball->set_fall_reference_height(50.0f);
    ball->get_actor()->set_position(Ogre::Vector3(0, 55.5f, 0));
    run(*lvl, 0.5f, 60.0f);
    EXPECT_EQ(lazy->get_next_waypoint(), 1);
    EXPECT_LT(lazy->get_position().z, -1.0f);
}

TEST_F(platforms, without_usable_waypoints_a_platform_is_inert_and_says_so)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="platform" id="empty"/>
        <Object type="platform" id="blank"><Waypoint/></Object>
        <Object type="platform" id="single"><Waypoint pos="50 50 50"/></Object>)");
    EXPECT_TRUE(log.contains("empty: Plattform enthält keine Wegpunkte und kann daher nicht erstellt werden"));
    EXPECT_TRUE(log.contains("blank: a waypoint without a pos attribute is skipped"));
    EXPECT_EQ(lvl->find_object("empty")->get_actor(), nullptr);
    EXPECT_EQ(lvl->find_object("blank")->get_actor(), nullptr);
    run(*lvl, 1.0f, 60.0f);
    EXPECT_EQ(lvl->find_object("single")->get_position(), Ogre::Vector3(50, 50, 50));
}
