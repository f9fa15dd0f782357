#include "scenery/title_scenery.h"

#include "support/level_fixture.h"
#include "support/recording_sound_device.h"

#include <OgreCamera.h>
#include <OgreEntity.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// A small course with what moves, what sounds and what logs: music, lights,
// coins, a platform, an info box.
const std::string course =
    "<Level name=\"Scenery\" music=\"level_01.ogg\"><Fog start=\"100\" end=\"400\" colour=\"0.2 0.3 0.4\"/>"
    "<Settings gravity=\"0 -100 0\"/><Lights><Light type=\"dir\" dir=\"0 -1 0\"/></Lights><Objects>"
    "<Object type=\"start\" pos=\"0 51 0\"/><Object type=\"block\" pos=\"0 50 0\"/>"
    "<Object type=\"block\" pos=\"0 50 -10\"/><Object type=\"block\" pos=\"0 50 -20\"/>"
    "<Object type=\"score\" pos=\"0 51 -10\"/><Object type=\"score\" pos=\"0 51 -20\" score_type=\"1\"/>"
    "<Object type=\"platform\" pos=\"0 50 -40\"><Waypoint pos=\"0 50 -40\"/><Waypoint pos=\"0 50 -80\"/></Object>"
    "<Object type=\"infobox\" pos=\"0 55 -10\">Welcome</Object>"
    "<Object type=\"target\" pos=\"0 51 -100\"/></Objects></Level>";

class title_scenery_test : public level_fixture {
protected:
    title_scenery_test()
    {
        write_level("scenery.map", course);
        context.sound = &heard;
        context.frame_time = 1.0f / 30.0f;
    }

    size_t count(const std::string& kind) const { return ogre.scene_manager->getMovableObjects(kind).size(); }
    size_t balls() const
    {
        size_t found = 0;
        for (const auto& [name, object] : ogre.scene_manager->getMovableObjects("Entity"))
            found += static_cast<Ogre::Entity*>(object)->getMesh()->getName() == "player.mesh";
        return found;
    }
    // The lines a level writes as it builds its lights and objects; OGRE's
    // own warnings (a headless scene lacks the game's materials) pass.
    int level_lines() const
    {
        int found = 0;
        for (const std::string& line : log.lines)
            found += line.find("erstellt") != std::string::npos;
        return found;
    }
    std::string all_lines() const
    {
        std::string all;
        for (const std::string& line : log.lines)
            all += line + "\n";
        return all;
    }
        void frames(title_scenery& scenery, int count)
    {
        for (int i = 0; i < count; ++i)
            scenery.update();
    }

    recording_sound_device heard;
};

}

TEST_F(title_scenery_test, shows_the_level_without_ball_sound_or_log_lines_and_circles_it)
{
    title_scenery scenery(context, "scenery.map");
    scenery.show(nullptr);
    ASSERT_TRUE(scenery.is_shown());
    EXPECT_EQ(scenery.frame_rate(), title_scenery::frames_per_second);
    EXPECT_GT(count("Entity"), 5u) << "the course is not in the scene";
    EXPECT_EQ(balls(), 0u) << "a ball stands in the scenery";
    EXPECT_FALSE(input.has_listener("player_input")) << "the scenery's ball listens to the keys";
    EXPECT_TRUE(log.contains("The title screen shows scenery.map behind its menus"));
    EXPECT_EQ(level_lines(), 0) << all_lines();

    const Ogre::Vector3 before = scenery.get_camera()->getDerivedPosition();
    frames(scenery, 60);
    const Ogre::Vector3 after = scenery.get_camera()->getDerivedPosition();
    EXPECT_GT(before.distance(after), 1.0f) << "the camera stands still";
    EXPECT_LT(before.distance(after), 50.0f) << "the camera rushes";
    // It looks at the course, from above: the course's middle is ahead.
    const Ogre::Vector3 to_middle = (Ogre::Vector3(0, 50, -50) - after).normalisedCopy();
    EXPECT_GT(scenery.get_camera()->getDerivedDirection().dotProduct(to_middle), 0.95f);
    EXPECT_GT(after.y, 60.0f);

    EXPECT_TRUE(heard.started.empty()) << "the scenery's music plays: " << heard.started.front();
    EXPECT_TRUE(heard.effects.empty());
    EXPECT_EQ(level_lines(), 0) << all_lines();
}

TEST_F(title_scenery_test, hiding_frees_everything_so_the_same_level_can_be_played_again_and_again)
{
    title_scenery scenery(context, "scenery.map");
    for (int visit = 0; visit < 3; ++visit) {
        scenery.show(nullptr);
        frames(scenery, 10);
        ASSERT_TRUE(scenery.is_shown());
        scenery.hide();
        EXPECT_FALSE(scenery.is_shown());
        EXPECT_EQ(scenery.frame_rate(), 0);
        EXPECT_EQ(count("Entity"), 0u) << "visit " << visit;
        EXPECT_EQ(count("Light"), 0u) << "visit " << visit;
        EXPECT_FALSE(ogre.scene_manager->hasCamera("title_scenery_camera")) << "visit " << visit;
        EXPECT_EQ(ogre.scene_manager->getRootSceneNode()->numChildren(), 0u) << "visit " << visit;
        frames(scenery, 3);
        EXPECT_FALSE(scenery.is_shown()) << "a hidden scenery came back by itself";
        // Then the player plays that level, in the game's own world.
        auto played = std::make_unique<level>("scenery.map", &context, nullptr);
        ASSERT_NE(played->get_player(), nullptr);
        EXPECT_EQ(balls(), 1u);
        EXPECT_TRUE(input.has_listener("player_input"));
        played.reset();
    }
}

TEST_F(title_scenery_test, the_setting_keeps_it_away_and_switched_it_comes_and_goes_at_once)
{
    context.settings.title_scenery = false;
    title_scenery scenery(context, "scenery.map");
    scenery.show(nullptr);
    frames(scenery, 3);
    EXPECT_FALSE(scenery.is_shown());
    EXPECT_EQ(scenery.frame_rate(), 0) << "the plain backdrop need not be drawn more often";
    EXPECT_EQ(count("Entity"), 0u);
    EXPECT_TRUE(log.lines.empty());

    context.settings.title_scenery = true;
    frames(scenery, 1);
    EXPECT_TRUE(scenery.is_shown());
    context.settings.title_scenery = false;
    frames(scenery, 1);
    EXPECT_FALSE(scenery.is_shown());
    EXPECT_EQ(count("Entity"), 0u);
}

TEST_F(title_scenery_test, a_level_it_cannot_show_leaves_the_plain_backdrop_with_one_log_line)
{
    title_scenery scenery(context, "missing.map");
    scenery.show(nullptr);
    frames(scenery, 30);
    scenery.hide();
    scenery.show(nullptr);
    EXPECT_FALSE(scenery.is_shown());
    EXPECT_EQ(count("Entity"), 0u);
    ASSERT_EQ(log.lines.size(), 1u) << log.lines.back();
    EXPECT_EQ(log.lines[0],
              "The title screen shows its plain backdrop: missing.map: kann im Ordner media/levels/ nicht gefunden werden.");
}

TEST_F(title_scenery_test, the_shipped_level_it_shows_is_there_and_shown)
{
    const auto shipped = std::filesystem::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";
    std::ifstream in(shipped / title_scenery::default_level);
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_FALSE(text.str().empty()) << title_scenery::default_level << " is no shipped level";
    write_level(title_scenery::default_level, text.str());
    title_scenery scenery(context);
    scenery.show(nullptr);
    EXPECT_TRUE(scenery.is_shown());
    EXPECT_EQ(level_lines(), 0) << all_lines();
}
