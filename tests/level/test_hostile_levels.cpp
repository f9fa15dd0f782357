// Level files from strangers: whatever they hold, the level loads what it
// can and says what it refused, or refuses the whole file beyond the limits
// every level keeps, and plays on without crashing.

#include "app/load_xml.h"
#include "app/physics/physics_body.h"
#include "level/game_object.h"
#include "level/level_limits.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreResourceGroupManager.h>

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

class hostile_level : public level_fixture {
protected:
    bool logged_containing(const std::string& part) const
    {
        return std::any_of(log.lines.begin(), log.lines.end(),
                           [&](const std::string& line) { return line.find(part) != std::string::npos; });
    }

    // Plays a second with W held; the ball must stay a finite number.
    void play_and_expect_a_sane_ball(level& lvl)
    {
        ASSERT_NE(lvl.get_player(), nullptr);
        run(lvl, 1.0f, 60.0f, {KC_W});
        const Ogre::Vector3 at = lvl.get_player()->get_position();
        EXPECT_TRUE(std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z)) << at;
    }
};

}

TEST_F(hostile_level, values_that_are_not_numbers_or_not_finite_are_replaced_and_named)
{
    auto lvl = load(
        "values.map",
        R"(<Level><Settings gravity="0 -inf 0" ambient="nan 1 1"/>
           <Fog start="nan" end="inf" colour="1 1 1"/>
           <Lights><Light type="spot" pos="0 1e39 0" dir="0 -1 0" in_ang="nan" out_ang="inf"/></Lights>
           <Objects>
             <Object type="start" pos="nan 50 0"/>
             <Object type="block" id="turned" pos="0 40 0" rot="1e300 0 0"/>
             <Object type="block" id="sinking" pos="20 40 0" mass="-5"/>
             <Object type="block" id="light" pos="40 40 0" density="-1e30"/>
             <Object type="platform" id="rocket" speed="1e38"><Waypoint pos="0 0 0"/><Waypoint pos="0 0 9"/></Object>
           </Objects></Level>)");
    EXPECT_EQ(lvl->find_object("start")->get_position(), Ogre::Vector3::ZERO);
    EXPECT_TRUE(logged_containing("Invalid value \"nan 50 0\""));
    EXPECT_TRUE(logged_containing("Invalid value \"0 1e39 0\""));
    EXPECT_TRUE(logged_containing("Invalid value \"0 -inf 0\""));
    EXPECT_TRUE(logged_containing("invalid spotlight angles"));
    EXPECT_TRUE(log.contains("sinking: invalid mass or density; the object is static"));
    EXPECT_TRUE(log.contains("light: invalid mass or density; the object is static"));
    EXPECT_TRUE(log.contains("rocket: invalid speed; using 150"));
    EXPECT_FALSE(lvl->find_object("sinking")->get_actor()->is_dynamic());
    play_and_expect_a_sane_ball(*lvl);
    EXPECT_LT(lvl->find_object("rocket")->get_position().length(), 100.0f);
}

TEST_F(hostile_level, a_level_beyond_a_limit_builds_nothing_and_says_where_and_why)
{
    auto far = load("far.map", R"(<Level name="Far">
        <Lights><Light type="point" pos="0 1e30 0"/></Lights>
        <Objects>
          <Object type="start" pos="0 51.5 0"/>
          <Object type="block" id="far" pos="3e7 0 0"/>
        </Objects></Level>)");
    EXPECT_TRUE(logged_containing("far.map:2: the level is refused: pos=\"0 1e30 0\" lies beyond 100000"));
    EXPECT_TRUE(logged_containing("far.map:5: the level is refused: pos=\"3e7 0 0\" lies beyond 100000"));
    EXPECT_EQ(far->get_player(), nullptr);
    EXPECT_TRUE(far->get_objects().empty());
    EXPECT_EQ(far->get_load_problem().rfind(":2: pos=\"0 1e30 0\" lies beyond 100000", 0), 0u)
        << far->get_load_problem();
    std::string name, description;
    level::read_level_info("far.map", name, description);
    EXPECT_EQ(name, "");

    auto outside = load_course(R"(<Object type="start" pos="0 51.5 0"/>
        <Object type="block" mesh="../levels/course.map" pos="0 50 0"/>)");
    EXPECT_TRUE(logged_containing("the level is refused: mesh=\"../levels/course.map\" is not a plain file name"));
    EXPECT_EQ(outside->get_player(), nullptr);
}

TEST_F(hostile_level, ten_thousand_objects_with_one_id_leave_one_object)
{
    std::string objects;
    for (int i = 0; i < 10000; ++i)
        objects += "<Object type=\"score\" id=\"coin\" pos=\"" + std::to_string(i % 100) + " 52 0\"/>";
    auto lvl = load_course("<Object type=\"start\" pos=\"0 51.5 0\"/>" + objects);
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), "course.map: coin: Objekt mit dieser ID existiert bereits!"),
              9999);
    EXPECT_EQ(lvl->get_objects().size(), 4u); // start, coin, ground and ball
    play_and_expect_a_sane_ball(*lvl);
}

TEST_F(hostile_level, deep_or_enormous_files_are_refused_before_parsing)
{
    std::string deep = "<Level><Objects>";
    for (int i = 0; i < 200000; ++i)
        deep += "<Object>";
    auto nested = load("nested.map", deep);
    EXPECT_TRUE(log.contains("nested.map:1: the level is refused: elements nest more than 8 deep here; a level "
                             "needs 4 (Level, Objects, Object, Waypoint)"));
    EXPECT_EQ(nested->get_player(), nullptr);
    EXPECT_FALSE(nested->get_load_problem().empty());

    write_level("huge.map", "<Level name=\"Huge\">");
    std::filesystem::resize_file("media/levels/huge.map", level_limits::max_bytes + 1);
    auto huge = std::make_unique<level>("huge.map", &context, nullptr);
    EXPECT_TRUE(log.contains("huge.map:1: the level is refused: the file is larger than 16 MB, the most a level may be"));
    std::string name, description;
    level::read_level_info("huge.map", name, description);
    EXPECT_EQ(name, "");

    // Just inside the limits a level still loads.
    std::string fine = "<Level name=\"Fine\"><Objects><Object type=\"start\" pos=\"0 51.5 0\">";
    for (int i = 0; i < level_limits::text_bounds.depth - 3; ++i)
        fine += "<Note>";
    for (int i = 0; i < level_limits::text_bounds.depth - 3; ++i)
        fine += "</Note>";
    auto inside = load("inside.map", fine + "</Object></Objects></Level>");
    EXPECT_TRUE(inside->get_load_problem().empty());
    EXPECT_NE(inside->find_object("start"), nullptr);
}

TEST_F(hostile_level, the_nesting_count_sees_through_comments_quotes_and_closed_tags)
{
    EXPECT_EQ(xml_nesting_depth("<a><b/><c x='>' y=\"<\"></c></a>"), 2);
    EXPECT_EQ(xml_nesting_depth("<?xml version=\"1.0\"?><!-- <a><a><a> --><a><![CDATA[<b><b>]]></a>"), 1);
    EXPECT_EQ(xml_nesting_depth("<a><a><a"), 2);
    EXPECT_EQ(xml_nesting_depth("</a></a><b>"), 1);
}

TEST_F(hostile_level, any_game_xml_with_crowded_elements_is_refused_before_tinyxml_compares_them)
{
    // TinyXML compares each new attribute with every other of its element:
    // a hundred thousand on one element took minutes.
    std::string crowded = "<Campaigns><Campaign";
    for (int i = 0; i < 100000; ++i)
        crowded += " a" + std::to_string(i) + "=''";
    std::ofstream("crowded.cmp") << crowded << "/></Campaigns>";
    TiXmlDocument document;
    EXPECT_EQ(load_xml("crowded.cmp", document), xml_result::too_many_parts);
    EXPECT_EQ(refusal_text(xml_result::too_many_parts),
              "The file holds more elements or attributes than the game reads; it is not loaded.");
    std::ofstream many("many.cmp");
    many << "<Campaigns>";
    for (long i = 0; i < game_xml_bounds.tags; ++i)
        many << "<!---->"; // a comment is a node of TinyXML's tree too
    many.close();
    EXPECT_EQ(load_xml("many.cmp", document), xml_result::too_many_parts);
}

TEST_F(hostile_level, meshes_that_are_missing_not_meshes_or_flat_still_give_bodies)
{
    // A text file and an image under mesh names, and boxes with no or
    // negative extent, all where the resource system finds them.
    std::filesystem::create_directories("bad_meshes");
    std::ofstream("bad_meshes/notes.mesh") << "this is not a mesh at all";
    std::ofstream("bad_meshes/short.mesh") << std::string("\x00\x10", 2);
    auto& groups = Ogre::ResourceGroupManager::getSingleton();
    groups.addResourceLocation(std::filesystem::absolute("bad_meshes").string(), "FileSystem");
    ogre.make_box_mesh("flat.mesh", 10.0f, 0.0f, 10.0f);
    ogre.make_box_mesh("point.mesh", 0.0f, 0.0f, 0.0f);
    ogre.make_box_mesh("inside_out.mesh", -10.0f, -2.0f, -10.0f);
    auto lvl = load_course(R"(<Object type="start" pos="0 51.5 0"/>
        <Object type="block" pos="0 50 0"/>
        <Object type="block" id="nothing" mesh="nothing.mesh" pos="0 50 -10"/>
        <Object type="block" id="notes" mesh="notes.mesh" pos="0 50 -20"/>
        <Object type="block" id="short" mesh="short.mesh" pos="0 50 -30"/>
        <Object type="block" id="flat" mesh="flat.mesh" pos="0 50 -40"/>
        <Object type="platform" id="point" mesh="point.mesh"><Waypoint pos="0 50 -50"/><Waypoint pos="0 50 -60"/></Object>
        <Object type="block" id="inside_out" mesh="inside_out.mesh" pos="0 50 -70" mass="10"/>)");
    for (const char* id : {"nothing", "notes", "short", "flat", "point", "inside_out"})
        EXPECT_NE(lvl->find_object(id)->get_actor(), nullptr) << id;
    play_and_expect_a_sane_ball(*lvl);
    groups.removeResourceLocation(std::filesystem::absolute("bad_meshes").string());
}

TEST_F(hostile_level, teleporters_that_lead_to_themselves_or_round_in_a_ring_move_the_ball_once)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 51.5 0"/>
        <Object type="block" pos="0 50 0"/>
        <Object type="teleporter" id="self" pos="0 51.5 0" target_id="self"/>
        <Object type="block" pos="100 50 0"/>
        <Object type="teleporter" id="a" pos="100 51.5 0" target_id="b"/>
        <Object type="block" pos="200 50 0"/>
        <Object type="teleporter" id="b" pos="200 51.5 0" target_id="c"/>
        <Object type="block" pos="300 50 0"/>
        <Object type="teleporter" id="c" pos="300 51.5 0" target_id="a"/>)");
    run(*lvl, 2.0f, 60.0f);
    EXPECT_NEAR(lvl->get_player()->get_position().x, 0.0f, 5.0f);

    lvl->get_player()->get_actor()->set_position(Ogre::Vector3(100, 53, 0));
    run(*lvl, 2.0f, 60.0f);
    // Carried to b, and there it rests: arrivals do not teleport on.
    EXPECT_NEAR(lvl->get_player()->get_position().x, 200.0f, 5.0f);
}

TEST_F(hostile_level, a_file_ending_inside_a_utf8_character_is_read_within_its_bounds)
{
    // TinyXML steps over a multi-byte character by its full length, even
    // past the end of the text.
    auto lvl = load("cut.map", "<?xml version=\"1.0\"?><Level name=\"Cut\">text\xdc");
    EXPECT_EQ(lvl->get_player(), nullptr);
    auto index = load("cut_name.map", "<?xml version=\"1.0\"?><Level na\xf0");
    EXPECT_EQ(index->get_player(), nullptr);
}
