#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "level/game_object.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreLight.h>
#include <OgreSceneManager.h>

#include <cmath>

namespace {

class level_loader : public level_fixture {};

}

TEST_F(level_loader, a_minimal_level_gets_defaults_the_start_the_ground_and_the_ball)
{
    auto lvl = load("minimal.map", "<Level><Objects><Object type=\"start\"/></Objects></Level>");
    EXPECT_EQ(ogre.scene_manager->getFogMode(), Ogre::FOG_NONE);
    EXPECT_EQ(ogre.scene_manager->getAmbientLight(), Ogre::ColourValue::White);
    EXPECT_EQ(lvl->get_scene()->get_gravity(), Ogre::Vector3::ZERO);
    const auto objects = lvl->get_objects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects.at("start")->type_name(), "start");
    EXPECT_EQ(objects.at("ground")->type_name(), "ground");
    ASSERT_NE(lvl->get_player(), nullptr);
    EXPECT_EQ(objects.at("player"), lvl->get_player());
    EXPECT_EQ(lvl->get_scene()->find_body("player"), lvl->get_player()->get_actor());
    EXPECT_TRUE(log.contains("minimal.map: Es wurden keine Lichter erstellt."));
    EXPECT_TRUE(log.contains("minimal.map: Es wurden 1 Objekte erstellt."));
    EXPECT_TRUE(log.contains("minimal.map: start: Objekt wurde erstellt!"));
}

TEST_F(level_loader, settings_fog_and_lights_take_their_value_forms_and_fallbacks)
{
    auto lvl = load("lit.map", R"(<Level>
        <Fog start="10" end="200" colour="1 0 0"/>
        <Settings ambient="0.2 0.3 0.4" gravity="0 -10"/>
        <Lights>
          <Light type="spot" pos="1 2 3" dir="0 -1 0"/>
          <Light type="dir" dir="0 -1 1" dif="0.5 0.5 0.5"/>
          <Light type="disco"/>
        </Lights>
        <Objects><Object type="start"/></Objects></Level>)");
    EXPECT_EQ(ogre.scene_manager->getFogMode(), Ogre::FOG_LINEAR);
    EXPECT_EQ(ogre.scene_manager->getFogColour(), Ogre::ColourValue(1, 0, 0, 1));
    EXPECT_FLOAT_EQ(ogre.scene_manager->getFogStart(), 10.0f);
    EXPECT_FLOAT_EQ(ogre.scene_manager->getFogEnd(), 200.0f);
    EXPECT_EQ(ogre.scene_manager->getAmbientLight(), Ogre::ColourValue(0.2f, 0.3f, 0.4f, 1));
    // Two fields are no vector: no gravity.
    EXPECT_EQ(lvl->get_scene()->get_gravity(), Ogre::Vector3::ZERO);

    Ogre::Light* spot = ogre.scene_manager->getLight("obj_00000000");
    EXPECT_EQ(spot->getType(), Ogre::Light::LT_SPOTLIGHT);
    EXPECT_FLOAT_EQ(spot->getSpotlightInnerAngle().valueDegrees(), 20.0f);
    EXPECT_FLOAT_EQ(spot->getSpotlightOuterAngle().valueDegrees(), 40.0f);
    EXPECT_FLOAT_EQ(spot->getSpotlightFalloff(), 1.0f);
    EXPECT_EQ(spot->getDerivedPosition(), Ogre::Vector3(1, 2, 3));
    EXPECT_EQ(ogre.scene_manager->getLight("obj_00000001")->getType(), Ogre::Light::LT_DIRECTIONAL);
    EXPECT_EQ(ogre.scene_manager->getLight("obj_00000001")->getDiffuseColour(), Ogre::ColourValue(0.5f, 0.5f, 0.5f));
    EXPECT_TRUE(log.contains("lit.map: obj_00000002: Licht wurde erstellt!"));
    EXPECT_TRUE(log.contains("lit.map: Es wurden 3 Lichter erstellt."));
}

TEST_F(level_loader, generated_names_count_lights_first_and_fixed_ids_take_no_number)
{
    auto lvl = load("names.map", R"(<Level>
        <Lights><Light/><Light/></Lights>
        <Objects><Object type="block"/><Object type="start" id="mine"/><Object type="block"/>
        <Object type="target"/><Object type="block"/></Objects></Level>)");
    const auto objects = lvl->get_objects();
    for (const char* id : {"obj_00000002", "obj_00000003", "obj_00000004", "start", "target", "ground", "player"})
        EXPECT_EQ(objects.count(id), 1u) << id;
    EXPECT_EQ(objects.size(), 7u);
}

TEST_F(level_loader, a_taken_id_is_refused_and_its_body_leaves_the_scene)
{
    auto lvl = load_course(R"(<Object type="start"/><Object type="block" id="twin" pos="0 0 0"/>
                             <Object type="block" id="twin" pos="50 0 0"/><Object type="start"/>)");
    EXPECT_TRUE(log.contains("course.map: twin: Objekt mit dieser ID existiert bereits!"));
    EXPECT_TRUE(log.contains("course.map: start: Objekt mit dieser ID existiert bereits!"));
    EXPECT_TRUE(log.contains("course.map: Es wurden 2 Objekte erstellt."));
    EXPECT_EQ(lvl->find_object("twin")->get_position(), Ogre::Vector3(0, 0, 0));
    // start, twin, ground and the ball: the refused twin and start are gone.
    EXPECT_EQ(lvl->get_scene()->body_count(), 4u);
}

TEST_F(level_loader, unknown_types_missing_types_and_capital_letters_are_skipped_with_a_message)
{
    auto lvl = load_course(R"(<Object type="start"/><Object type="Block"/><Object/><Object type="rocket"/>)");
    EXPECT_TRUE(log.contains("course.map: Block Unbekannter Objekttyp!"));
    EXPECT_TRUE(log.contains("course.map: rocket Unbekannter Objekttyp!"));
    EXPECT_TRUE(log.contains("course.map: Ein Objekt ohne Type-Attribut wurde gefunden"));
    EXPECT_EQ(lvl->get_objects().size(), 3u);
}

TEST_F(level_loader, a_level_object_may_take_the_ball_s_id_and_the_ground_s)
{
    auto lvl = load_course(R"(<Object type="start"/><Object type="block" id="player" pos="0 -50 0"/>
                             <Object type="block" id="ground" pos="0 -80 0"/>)");
    EXPECT_EQ(lvl->find_object("player")->type_name(), "block");
    EXPECT_EQ(lvl->find_object("ground")->type_name(), "block");
    EXPECT_TRUE(log.contains("course.map: player: Objekt mit dieser ID existiert bereits!"));
    // The level still has its ball, just not under "player".
    ASSERT_NE(lvl->get_player(), nullptr);
    EXPECT_EQ(lvl->get_player()->type_name(), "player");
}

TEST_F(level_loader, broken_files_give_an_empty_level_with_a_message)
{
    auto missing = std::make_unique<level>("nowhere.map", &context, nullptr);
    EXPECT_TRUE(log.contains("nowhere.map: kann im Ordner media/levels/ nicht gefunden werden."));
    EXPECT_EQ(missing->get_player(), nullptr);
    EXPECT_TRUE(missing->get_objects().empty());
    missing.reset();

    auto garbage = load("garbage.map", "this is <not xml");
    EXPECT_TRUE(log.contains("garbage.map: kann im Ordner media/levels/ nicht gefunden werden."));
    garbage.reset();

    auto wrong_root = load("wrong.map", "<Course><Objects/></Course>");
    EXPECT_TRUE(log.contains("wrong.map: Kein gültiges Level. Level-Tag nicht gefunden."));
    EXPECT_EQ(wrong_root->get_player(), nullptr);
    wrong_root.reset();

    auto odd_values = load_course(R"(<Object type="start" pos="x y z" rot="nan inf 1" mass="heavy"/>
                                    <Object type="block" pos="1e39 0 0" density="nan"/>)");
    EXPECT_EQ(odd_values->find_object("start")->get_position(), Ogre::Vector3::ZERO);
    ASSERT_NE(odd_values->get_player(), nullptr);
}

TEST_F(level_loader, a_broken_file_that_is_there_says_where_and_why_and_logs_as_before)
{
    auto broken = load("broken.map", "<Level name=\"Broken\">\n<Objects>\n<Object type=\"start\"/>\n</Level>\n");
    EXPECT_TRUE(log.contains("broken.map: kann im Ordner media/levels/ nicht gefunden werden."));
    EXPECT_EQ(broken->get_load_problem(), ":4: not well-formed XML (Error reading end tag.)");

    auto empty = load("empty.map", "");
    EXPECT_EQ(empty->get_load_problem(), ":1: not well-formed XML (Error document empty.)");

    auto missing = std::make_unique<level>("nowhere.map", &context, nullptr);
    EXPECT_EQ(missing->get_load_problem(), ": kann im Ordner media/levels/ nicht gefunden werden.");
}

TEST_F(level_loader, a_level_without_start_places_the_ball_above_the_origin)
{
    auto lvl = load_course("<Object type=\"block\"/>");
    EXPECT_TRUE(log.contains("course.map: no start object; the ball is made above the origin"));
    EXPECT_EQ(lvl->get_player()->get_position(), Ogre::Vector3(0, 5, 0));
}

TEST_F(level_loader, rot_turns_about_x_then_the_turned_y_then_the_turned_z)
{
    auto lvl = load_course(R"(<Object type="start"/><Object type="block" id="a" rot="90 0 0"/>
                             <Object type="block" id="b" rot="90 90 0" pos="40 0 0"/>)");
    const Ogre::Quaternion rx(Ogre::Degree(90), Ogre::Vector3::UNIT_X);
    const Ogre::Quaternion ry(Ogre::Degree(90), Ogre::Vector3::UNIT_Y);
    EXPECT_NEAR(std::fabs(lvl->find_object("a")->get_actor()->get_orientation().Dot(rx)), 1.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(lvl->find_object("b")->get_actor()->get_orientation().Dot(rx * ry)), 1.0f, 1e-5f);
}

TEST_F(level_loader, objects_update_in_byte_order_and_removed_ones_leave_the_registry)
{
    auto lvl = load_course(R"(<Object type="start"/><Object type="block" id="a1"/><Object type="block" id="Z1" pos="20 0 0"/>)");
    EXPECT_EQ(lvl->get_objects().begin()->first, "Z1");
    lvl->find_object("a1")->remove();
    lvl->find_object("a1")->remove();
    lvl->update();
    EXPECT_EQ(lvl->find_object("a1"), nullptr);
    EXPECT_EQ(lvl->get_scene()->find_body("a1"), nullptr);
}

TEST_F(level_loader, the_play_clock_follows_the_frame_time_before_any_frame_rate_is_known)
{
    auto lvl = load_course("<Object type=\"start\"/>");
    for (int i = 0; i < 50; ++i) {
        context.frame_time = 0.02f;
        lvl->update();
    }
    EXPECT_NEAR(lvl->get_elapsed_time(), 1.0f, 1e-5f);
}

TEST_F(level_loader, read_level_info_gives_name_and_description_or_nothing)
{
    write_level("info.map", "<Level name=\"Rolling start\"><Description>Roll to the flag.</Description></Level>");
    write_level("bare.map", "<Level><Description><b>bold</b></Description></Level>");
    std::string name = "x", description = "y";
    level::read_level_info("info.map", name, description);
    EXPECT_EQ(name, "Rolling start");
    EXPECT_EQ(description, "Roll to the flag.");
    level::read_level_info("bare.map", name, description);
    EXPECT_EQ(name, "");
    EXPECT_EQ(description, "");
    level::read_level_info("missing.map", name, description);
    EXPECT_EQ(name, "");
}

TEST_F(level_loader, destroying_the_level_leaves_an_empty_scene_manager_world_and_input)
{
    auto lvl = load("full.map", R"(<Level><Lights><Light/></Lights><Objects><Object type="start"/>
        <Object type="block"/><Object type="target" pos="0 0 -30"/></Objects></Level>)");
    ASSERT_NE(world.find_scene("full.map_scene"), nullptr);
    ASSERT_TRUE(ogre.scene_manager->hasLight("obj_00000000"));
    ASSERT_GT(ogre.scene_manager->getRootSceneNode()->numChildren(), 0u);
    ASSERT_TRUE(input.has_listener("player_input"));
    lvl.reset();
    EXPECT_EQ(world.find_scene("full.map_scene"), nullptr);
    EXPECT_FALSE(ogre.scene_manager->hasLight("obj_00000000"));
    EXPECT_EQ(ogre.scene_manager->getRootSceneNode()->numChildren(), 0u);
    EXPECT_FALSE(input.has_listener("player_input"));
}
