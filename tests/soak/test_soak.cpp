// Hours of play in one process: entering and leaving levels a thousand times
// and a long run of one level must leave memory, the scene and the clock
// where they were.

#include "app/application.h"
#include "app/physics/physics_body.h"
#include "level/game_object.h"
#include "objects/obj_platform.h"
#include "objects/obj_player.h"
#include "states/campaign_object.h"
#include "states/gs_game.h"
#include "states/gs_test.h"
#include "support/level_fixture.h"
#include "support/resident_memory.h"

#include <OgreSceneManager.h>


#include <cstdio>
#include <filesystem>

namespace {

const std::filesystem::path shipped_levels = std::filesystem::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";

class soak : public level_fixture {
protected:
    // One frame of the main loop without rendering: the top state, the keys,
    // then the state manager's requests.
    void frame(const std::set<key_code>& held = {})
    {
        context.frame_time = 1.0f / 60.0f;
        app.get_state_stack().back()->update();
        input.capture(context.frame_time);
        input.run_key_bindings([&](key_code key) { return held.count(key) > 0; });
        app.process_requests();
    }

    void play(int frames)
    {
        for (int i = 0; i < frames; ++i)
            frame();
    }

    state_params level_params(const std::string& file, campaign_object* campaign = nullptr)
    {
        state_params p;
        p["level"] = file;
        if (campaign)
            p["campaign"] = campaign;
        return p;
    }

    application app;
    gs_game game{&context};
};

}

TEST_F(soak, a_thousand_visits_to_levels_leave_memory_and_the_scene_as_they_were)
{
    for (const auto& file : std::filesystem::directory_iterator(shipped_levels))
        std::filesystem::copy_file(file.path(), std::filesystem::path("media/levels") / file.path().filename());
    auto campaigns = campaign_object::read_campaigns("media/levels/campaigns.cmp");
    ASSERT_FALSE(campaigns.empty());
    campaign_object* tour = campaigns.front().get();
    const auto levels = tour->get_levels();

    // The bare test state stands in for the main menu, which needs a display.
    gs_test menu(&context);
    app.unregister_state("test");
    app.register_state("main_menu", &menu);
    app.push_state("main_menu", {});
    const size_t nodes_at_rest = ogre.scene_manager->getRootSceneNode()->numChildren();

    double warm = 0.0;
    for (int visit = 0; visit < 1000; ++visit) {
        if (visit == 100)
            warm = resident_megabytes();
        switch (visit % 4) {
        case 0: // quick start, a restart, then Tab
            app.change_state("game", level_params("level_01.map"));
            play(5);
            ASSERT_NE(game.get_level(), nullptr) << "visit " << visit << ": " << log.lines.back();
            game.press("restart_game");
            play(5);
            // Tab leaves the level for the title screen, which the level replaced.
            frame({KC_TAB});
            ASSERT_EQ(app.get_state_stack().size(), 1u) << "visit " << visit;
            ASSERT_EQ(app.get_state_stack().back(), &menu) << "visit " << visit;
            break;
        case 1: // a campaign level (not the last), then the next one, then back to the menu
            app.change_state("game", level_params(levels[size_t(visit / 4) % (levels.size() - 1)]->get_file_name(), tour));
            play(5);
            ASSERT_NE(game.get_level(), nullptr) << "visit " << visit << ": " << log.lines.back();
            game.press("next_level_start");
            play(5);
            ASSERT_NE(game.get_level(), nullptr) << "visit " << visit << ": " << log.lines.back();
            game.press("back_main_menu");
            frame();
            break;
        default: // the largest level, then the menu
            app.change_state("game", level_params("level_12.map", tour));
            play(10);
            ASSERT_NE(game.get_level(), nullptr) << "visit " << visit << ": " << log.lines.back();
            game.press("back_main_menu");
            frame();
            break;
        }
        ASSERT_EQ(app.get_state_stack().back(), &menu) << "visit " << visit;
        // The test's own record of the log would grow with every visit.
        log.lines.clear();
    }
    EXPECT_EQ(ogre.scene_manager->getRootSceneNode()->numChildren(), nodes_at_rest);
    EXPECT_TRUE(ogre.scene_manager->getMovableObjects("Entity").empty());
    const double growth = resident_megabytes() - warm;
    std::cout << "[ soak ] 900 visits after warm-up: resident memory grew by " << growth << " MB" << std::endl;
    if (!address_sanitizer) {
        EXPECT_LT(growth, 4.0);
    }
}

TEST_F(soak, a_hundred_thousand_frames_of_play_keep_their_rhythm)
{
    // Without a start the ball drops onto the origin, where four falling
    // blocks meet; they give way under it onto solid blocks below, while two
    // platforms shuttle back and forth.
    std::string course;
    for (const char* at : {"-5 %d -5", "5 %d -5", "-5 %d 5", "5 %d 5"}) {
        char falling[32], solid[32];
        std::snprintf(falling, sizeof falling, at, 0);
        std::snprintf(solid, sizeof solid, at, -15);
        course += std::string("<Object type=\"block\" block_type=\"1\" pos=\"") + falling + "\"/>" +
                  "<Object type=\"block\" pos=\"" + solid + "\"/>";
    }
    course += R"(<Object type="platform" id="ferry" speed="150"><Waypoint pos="40 50 0"/><Waypoint pos="40 50 -50"/></Object>
        <Object type="platform" id="lift" speed="80"><Waypoint pos="80 50 0"/><Waypoint pos="80 50 -30"/>
          <Waypoint pos="110 50 -30"/></Object>)";
    auto lvl = load_course(course);
    obj_player* ball = lvl->get_player();
    const size_t objects_at_start = lvl->get_objects().size();

    // Frames at which the ferry turns back at its far end.
    std::vector<int> turns;
    int last_next = 1;
    auto* ferry = static_cast<obj_platform*>(lvl->find_object("ferry"));
    Ogre::Vector3 resting;
    double warm = 0.0;
    const int frames = 100000;
    for (int i = 0; i < frames; ++i) {
        level_world::frame(*lvl, 1.0f / 60.0f);
        if (ferry->get_next_waypoint() != last_next) {
            last_next = ferry->get_next_waypoint();
            if (last_next == 0)
                turns.push_back(i);
        }
        if (i == 10000) {
            resting = ball->get_position();
            warm = resident_megabytes();
        }
    }
    // The falling blocks fell and wait, hidden, for a fall to put them back;
    // nothing came or went.
    EXPECT_EQ(lvl->get_objects().size(), objects_at_start);
    // The ball lies where it lay after the first minutes.
    EXPECT_LT(ball->get_position().distance(resting), 0.5f) << ball->get_position() << " vs " << resting;
    // The ferry's period at the end is its period at the start.
    ASSERT_GT(turns.size(), 10u);
    const int first = turns[1] - turns[0];
    const int last = turns.back() - turns[turns.size() - 2];
    EXPECT_NEAR(last, first, 3) << "period " << first << " frames at the start, " << last << " at the end";
    EXPECT_NEAR(ferry->get_position().x, 40.0f, 1.0f);
    // The play clock kept time with the frames.
    EXPECT_NEAR(lvl->get_elapsed_time(), frames / 60.0f, 0.05f);
    const double growth = resident_megabytes() - warm;
    std::cout << "[ soak ] 90,000 frames after warm-up: resident memory grew by " << growth << " MB" << std::endl;
    if (!address_sanitizer) {
        EXPECT_LT(growth, 2.0);
    }
}
