// mapscout's authoring loop: a saved level file is built again with the
// probe's view kept; a file saved half-way or beyond the limits keeps the
// last good level and lists its problem; the fix clears the list. A hundred
// rebuilds by R leave memory and the scene as they were.

#include "app/application.h"
#include "app/game_camera.h"
#include "app/physics/physics_body.h"
#include "mapscout/file_watch.h"
#include "mapscout/media_reload.h"
#include "objects/obj_player.h"
#include "states/gs_game.h"
#include "support/level_fixture.h"
#include "support/resident_memory.h"

#include <OgreEntity.h>
#include <OgreMaterialManager.h>
#include <OgreResourceGroupManager.h>
#include <OgreSceneManager.h>
#include <OgreScriptCompiler.h>
#include <OgreTechnique.h>
#include <OgreSceneNode.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string course(const std::string& block_at)
{
    return R"(<Level name="Draft"><Description>A draft.</Description><Settings gravity="0 -100 0"/>
        <Objects><Object type="start" pos="0 100 0"/><Object type="target" pos="0 100 -200"/>
        <Object type="block" id="moved" pos=")" + block_at + R"("/></Objects></Level>)";
}

class scouting : public level_fixture {
protected:
    scouting()
    {
        context.scout = true;
        write_level("draft.map", course("0 99 -10"));
        state_params params;
        params["level"] = std::string("draft.map");
        app.change_state("game", params);
        frames(2);
    }

    void frames(int count, const std::set<key_code>& held = {})
    {
        for (int i = 0; i < count; ++i) {
            context.frame_time = 1.0f / 60.0f;
            app.get_state_stack().back()->update();
            input.capture(context.frame_time);
            input.run_key_bindings([&](key_code key) { return held.count(key) > 0; });
            app.process_requests();
        }
    }

    // How often the level was built: each build logs what it made.
    long builds() const
    {
        return std::count_if(log.lines.begin(), log.lines.end(), [](const std::string& line) {
            return line.rfind("draft.map: Es wurden", 0) == 0 && line.find("Objekte") != std::string::npos;
        });
    }
    obj_player* probe() const { return game.get_level()->get_player(); }
    const std::vector<std::string>& problems() const { return game.get_scout()->get_panel().get_lines(); }

    application app;
    gs_game game{&context};
};

}

TEST_F(scouting, a_saved_file_is_built_again_within_a_second_keeping_the_probe_s_view)
{
    frames(30, {KC_W});
    frames(30, {KC_D});
    // Turned as the mouse would turn it.
    const Ogre::Quaternion heading(Ogre::Degree(40), Ogre::Vector3::UNIT_Y);
    ogre.scene_manager->getSceneNode("game_cam_camera_node")->setOrientation(heading);
    write_level("draft.map", course("40 99 -100"));
    // The probe still drifts; it is kept where it was when the file was read.
    Ogre::Vector3 probe_at;
    for (int i = 0; i < 60 && builds() == 1; ++i) {
        probe_at = probe()->get_position();
        frames(1);
    }
    frames(30);
    ASSERT_EQ(builds(), 2) << "the level was not built again within a second, once";
    EXPECT_EQ(game.get_level()->find_object("moved")->get_position(), Ogre::Vector3(40, 99, -100));
    EXPECT_LT(probe()->get_position().distance(probe_at), 0.01f);
    EXPECT_TRUE(ogre.scene_manager->getSceneNode("game_cam_camera_node")->getOrientation().equals(heading, Ogre::Degree(0.01f)));
    EXPECT_TRUE(problems().empty()) << problems().front();

    // Saved half-way: the level on screen stays, and the list says why.
    write_level("draft.map", R"(<Level name="Draft"><Objects><Object type="start" pos="0 1)");
    frames(60);
    EXPECT_EQ(builds(), 2);
    EXPECT_EQ(game.get_level()->find_object("moved")->get_position(), Ogre::Vector3(40, 99, -100));
    ASSERT_FALSE(problems().empty());
    EXPECT_NE(problems().front().find("draft.map:1:"), std::string::npos) << problems().front();
    EXPECT_TRUE(std::any_of(log.lines.begin(), log.lines.end(), [](const std::string& line) {
        return line.find("; the level on screen stays as it was") != std::string::npos;
    }));

    // Beyond a limit every level keeps: the same, with the reason at its line.
    write_level("draft.map", course("40 99 -3e6"));
    frames(60);
    EXPECT_EQ(builds(), 2);
    EXPECT_EQ(game.get_level()->find_object("moved")->get_position(), Ogre::Vector3(40, 99, -100));
    ASSERT_FALSE(problems().empty());
    EXPECT_NE(problems().front().find("draft.map:3: error: pos=\"40 99 -3e6\" lies beyond 100000"), std::string::npos)
        << problems().front();

    // Fixed, with a mistake the checker finds: built, and listed until fixed.
    std::string misspelt = course("40 99 -100");
    misspelt.replace(misspelt.find("pos=\"40"), 3, "poz");
    write_level("draft.map", misspelt);
    frames(60);
    EXPECT_EQ(builds(), 3);
    EXPECT_FALSE(problems().empty());
    write_level("draft.map", course("0 99 -10"));
    frames(60);
    EXPECT_TRUE(problems().empty()) << problems().front();
}

TEST_F(scouting, a_hundred_rebuilds_leave_memory_and_the_scene_as_they_were)
{
    // The workshop, which holds every kind of object.
    const fs::path shipped = fs::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels" / "level_12.map";
    std::ifstream in(shipped);
    write_level("draft.map", std::string(std::istreambuf_iterator<char>(in), {}));
    frames(1, {KC_R});
    frames(2);
    ASSERT_GT(game.get_level()->get_objects().size(), 50u);
    const std::size_t entities = ogre.scene_manager->getMovableObjects("Entity").size();
    const std::size_t nodes = ogre.scene_manager->getRootSceneNode()->numChildren();
    double warm = 0.0;
    for (int i = 0; i < 100; ++i) {
        if (i == 10)
            warm = resident_megabytes();
        // The test's own record of the log would grow with every build.
        log.lines.clear();
        frames(1, {KC_R});
        frames(2);
        ASSERT_EQ(builds(), 1) << "R did not build the level again, at " << i;
    }
    EXPECT_EQ(ogre.scene_manager->getMovableObjects("Entity").size(), entities);
    EXPECT_EQ(ogre.scene_manager->getRootSceneNode()->numChildren(), nodes);
    const double growth = resident_megabytes() - warm;
    std::cout << "[ scout ] 90 rebuilds after warm-up: resident memory grew by " << growth << " MB" << std::endl;
    if (!address_sanitizer) {
        EXPECT_LT(growth, 0.05 * warm);
    }
}

TEST(file_watch_test, a_change_is_reported_once_after_it_held_still_for_a_poll)
{
    const fs::path file = fs::temp_directory_path() / ("quillax_watch_" + std::to_string(::getpid()));
    std::ofstream(file) << "one";
    file_watch watch;
    watch.watch({file});
    const float poll = file_watch::poll_seconds;
    EXPECT_TRUE(watch.changed(poll).empty());
    // Written in two steps, a poll apart: one change, once the second step held.
    std::ofstream(file) << "tw";
    EXPECT_TRUE(watch.changed(poll).empty());
    std::ofstream(file) << "two!";
    EXPECT_TRUE(watch.changed(poll).empty());
    EXPECT_EQ(watch.changed(poll), std::vector<fs::path>{file});
    EXPECT_TRUE(watch.changed(poll).empty());
    fs::remove(file);
    EXPECT_TRUE(watch.changed(poll).empty());
    EXPECT_EQ(watch.changed(poll), std::vector<fs::path>{file});
}

TEST_F(scouting, a_changed_material_script_defines_its_materials_anew)
{
    const std::string group = Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME;
    const auto write_script = [](float red) {
        std::ofstream("looks/draft.material") << "material draft_look { technique { pass { diffuse " << red
                                               << " 0 0 } } }\n";
    };
    fs::create_directory("looks");
    write_script(0.25f);
    Ogre::ResourceGroupManager::getSingleton().addResourceLocation(fs::absolute("looks").string(), "FileSystem", group);
    Ogre::DataStreamPtr first = Ogre::ResourceGroupManager::getSingleton().openResource("draft.material", group);
    Ogre::ScriptCompilerManager::getSingleton().parseScript(first, group);
    Ogre::Entity* worn = ogre.scene_manager->createEntity("block_10_10.mesh");
    worn->setMaterialName("draft_look");

    media_reload media;
    media.collect(*ogre.scene_manager);
    const fs::path script = fs::absolute("looks/draft.material");
    const std::vector<fs::path> watched = media.files();
    ASSERT_EQ(std::count(watched.begin(), watched.end(), script), 1);
    write_script(0.75f);
    media.reload(script);
    const auto look = Ogre::MaterialManager::getSingleton().getByName("draft_look", group);
    ASSERT_TRUE(look);
    EXPECT_FLOAT_EQ(look->getTechnique(0)->getPass(0)->getDiffuse().r, 0.75f);
    ogre.scene_manager->destroyEntity(worn);
}
