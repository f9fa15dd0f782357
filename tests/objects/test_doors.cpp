#include "app/physics/physics_body.h"
#include "objects/obj_door.h"
#include "objects/obj_player.h"
#include "objects/obj_switch.h"
#include "support/level_fixture.h"

#include <OgreEntity.h>
#include <OgreSceneNode.h>

namespace {

class doors : public level_fixture {
protected:
    std::unique_ptr<level> lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="door" id="red" colour="red" pos="0 0 0"/>
        <Object type="door" id="blue" colour="blau" pos="20 0 0"/>
        <Object type="door" id="blue2" colour="2" pos="40 0 0"/>
        <Object type="door" id="green" colour="gr)" "\xfc" R"(n" pos="60 0 0"/>
        <Object type="door" id="white" colour="weiss" pos="80 0 0"/>
        <Object type="door" id="odd" colour="purple" pos="100 0 0"/>
        <Object type="door" id="none" pos="120 0 0"/>
        <Object type="door" id="open" colour="r" open="1" pos="140 0 0"/>
        <Object type="switch" id="red_switch" colour="rot" pos="0 0 100"/>
        <Object type="switch" id="white_switch" colour="w" pressed="1" pos="50 0 100"/>)");

    obj_door* door(const char* id) { return static_cast<obj_door*>(lvl->find_object(id)); }
    obj_switch* switch_(const char* id) { return static_cast<obj_switch*>(lvl->find_object(id)); }
    std::string material(game_object* o) { return o->get_entity()->getSubEntity(0)->getMaterialName(); }
};

}

TEST_F(doors, colours_are_read_by_any_of_their_names_and_unknown_ones_are_white)
{
    EXPECT_EQ(door("red")->get_colour(), 0);
    EXPECT_EQ(door("blue")->get_colour(), 1);
    EXPECT_EQ(door("blue2")->get_colour(), 1);
    EXPECT_EQ(door("green")->get_colour(), 2);
    EXPECT_EQ(door("white")->get_colour(), 3);
    EXPECT_EQ(door("odd")->get_colour(), 3);
    EXPECT_EQ(door("none")->get_colour(), 3);
    EXPECT_EQ(material(door("blue")), "blue_bars");
    EXPECT_EQ(material(door("odd")), "BaseWhite");
}

TEST_F(doors, a_red_switch_flips_red_and_white_doors_and_a_second_touch_restores_everything)
{
    switch_("red_switch")->on_contact_start(lvl->get_player());
    EXPECT_TRUE(door("red")->is_open());
    EXPECT_TRUE(door("white")->is_open());
    EXPECT_TRUE(door("odd")->is_open());
    EXPECT_FALSE(door("blue")->is_open());
    EXPECT_FALSE(door("green")->is_open());
    EXPECT_FALSE(door("open")->is_open());
    EXPECT_EQ(material(switch_("red_switch")), "red_bars_pressed");
    switch_("red_switch")->on_contact_start(lvl->get_player());
    EXPECT_FALSE(door("red")->is_open());
    EXPECT_TRUE(door("open")->is_open());
    EXPECT_EQ(material(switch_("red_switch")), "red_bars");
}

TEST_F(doors, a_white_switch_flips_every_door_and_starts_pressed_when_told)
{
    obj_switch* white = switch_("white_switch");
    EXPECT_TRUE(white->is_pressed());
    EXPECT_EQ(material(white), "white_bars");
    white->on_contact_start(lvl->get_player());
    EXPECT_FALSE(white->is_pressed());
    for (const char* id : {"red", "blue", "green", "white", "odd"})
        EXPECT_TRUE(door(id)->is_open()) << id;
    EXPECT_FALSE(door("open")->is_open());
}

TEST_F(doors, an_open_door_leaves_nothing_to_see_or_touch_in_its_doorway)
{
    auto course = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="door" id="wide" colour="blue" open="1" pos="0 50 0" rot="0 90 0"/>
        <Object type="door" id="flipped" colour="red" pos="40 50 0" rot="0 90 0"/>
        <Object type="switch" id="red_switch" colour="red" pos="0 50 100"/>)",
                              "doorways.map");
    static_cast<obj_switch*>(course->find_object("red_switch"))->on_contact_start(course->get_player());
    for (const float x : {0.0f, 40.0f}) {
        // Anything drawn within the doorway, slab and lintel alike.
        const Ogre::AxisAlignedBox doorway(x - 5, 42.5f, -0.5f, x + 5, 62, 0.5f);
        for (const auto& named : context.scene_manager->getMovableObjects("Entity")) {
            const Ogre::MovableObject* shown = named.second;
            if (shown->getVisible() && shown->getParentSceneNode()) {
                EXPECT_FALSE(shown->getWorldBoundingBox(true).intersects(doorway)) << x << ": " << shown->getName();
            }
        }
        // A ball dropped onto where the top of the door was falls through.
        obj_player* ball = course->get_player();
        ball->set_fall_reference_height(0.0f);
        ball->get_actor()->set_position(Ogre::Vector3(x, 66, 0));
        ball->get_actor()->set_linear_velocity(Ogre::Vector3::ZERO);
        run(*course, 1.0f, 60.0f);
        EXPECT_LT(ball->get_position().y, 40.0f) << x;
    }
}

TEST_F(doors, an_open_mesh_the_level_names_shows_and_collides_only_while_open)
{
    auto course = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="door" id="gate" colour="red" open_mesh="door_open.mesh" pos="0 50 0" rot="0 90 0"/>
        <Object type="switch" id="red_switch" colour="red" pos="0 50 100"/>)",
                              "lintel.map");
    auto* gate = static_cast<obj_door*>(course->find_object("gate"));
    ASSERT_NE(gate->get_open_body(), nullptr);
    EXPECT_TRUE(gate->get_actor()->collides());
    EXPECT_FALSE(gate->get_open_body()->collides());
    EXPECT_FALSE(game_object::get_entity(gate->get_open_body())->getVisible());
    static_cast<obj_switch*>(course->find_object("red_switch"))->on_contact_start(course->get_player());
    EXPECT_FALSE(gate->get_actor()->collides());
    EXPECT_FALSE(gate->get_entity()->getVisible());
    EXPECT_TRUE(gate->get_open_body()->collides());
    EXPECT_TRUE(game_object::get_entity(gate->get_open_body())->getVisible());
    // The lintel 10 above the door's middle holds the ball up.
    obj_player* ball = course->get_player();
    ball->set_fall_reference_height(0.0f);
    ball->get_actor()->set_position(Ogre::Vector3(0, 66, 0));
    run(*course, 1.0f, 60.0f);
    EXPECT_GT(ball->get_position().y, 63.0f);
}

TEST_F(doors, the_ball_is_stopped_by_a_closed_door_and_passes_an_open_one)
{
    auto course = load_course(R"(<Object type="start" pos="0 89.75 0"/><Object type="block" pos="0 89 0" mesh="ground.mesh"/>
        <Object type="door" id="shut" colour="red" pos="0 97 -25" rot="0 90 0"/>
        <Object type="door" id="wide" colour="red" open="1" pos="60 97 -25" rot="0 90 0"/>)",
                              "doors.map");
    obj_player* ball = course->get_player();
    run(*course, 0.3f, 60.0f);
    run(*course, 2.5f, 60.0f, {KC_W});
    EXPECT_GT(ball->get_position().z, -25.0f);
    ball->get_actor()->set_position(Ogre::Vector3(60, 93.5f, 0));
    ball->get_actor()->set_linear_velocity(Ogre::Vector3::ZERO);
    run(*course, 2.5f, 60.0f, {KC_W});
    EXPECT_LT(ball->get_position().z, -30.0f);
}
