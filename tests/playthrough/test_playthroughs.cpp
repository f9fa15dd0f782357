#include "app/physics/physics_body.h"
#include "level/game_object.h"
#include "objects/obj_player.h"
#include "states/campaign_object.h"
#include "support/level_fixture.h"
#include "support/route_bot.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace {

const std::filesystem::path source_levels = std::filesystem::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";
const std::filesystem::path routes = QUILLAX_ROUTES_DIR;

// Every level the campaign index lists.
std::vector<std::string> campaign_levels()
{
    std::vector<std::string> files;
    for (const auto& campaign : campaign_object::read_campaigns((source_levels / "campaigns.cmp").string()))
        for (const level_entry* entry : campaign->get_levels())
            files.push_back(entry->get_file_name());
    return files;
}

class playthrough : public level_fixture, public ::testing::WithParamInterface<std::string> {
protected:
    std::unique_ptr<level> load_shipped(const std::string& file)
    {
        std::ifstream in(source_levels / file);
        std::stringstream text;
        text << in.rdbuf();
        return load(file, text.str());
    }
};

}

// Drives the real level at a fixed 60 frames a second with the keys alone,
// from the start to the target, and reports the time and coins it took.
TEST_P(playthrough, the_level_can_be_finished_with_the_keys)
{
    const std::string file = GetParam();
    std::unique_ptr<level> lvl;
    route_bot bot([&](const std::string& id, Ogre::Vector3& at) {
        game_object* object = lvl->find_object(id);
        if (object)
            at = object->get_position();
        return object != nullptr;
    });
    std::string error;
    ASSERT_TRUE(bot.load((routes / (std::filesystem::path(file).stem().string() + ".route")).string(), error)) << error;
    lvl = load_shipped(file);
    obj_player* ball = lvl->get_player();
    ASSERT_NE(ball, nullptr);

    const float dt = 1.0f / 60.0f;
    const int limit = 60 * 300;
    int frames = 0;
    std::set<key_code> held;
    while (!lvl->is_completed() && frames < limit) {
        held = bot.keys(ball->get_position(), ball->get_actor()->get_linear_velocity(), dt);
        frame(*lvl, dt, held);
        ++frames;
        if (std::getenv("QUILLAX_TRACE") && frames % 30 == 0)
            std::cout << frames * dt << " s: step " << bot.current_step() << " at " << ball->get_position() << std::endl;
    }
    std::ostringstream result;
    result << file << ": " << (lvl->is_completed() ? "finished" : "NOT finished") << " in " << std::fixed
           << std::setprecision(1) << frames * dt << " s with " << lvl->get_score() << " points"
           << (bot.finished() ? "" : " (route not done)");
    std::cout << "[ playthrough ] " << result.str() << std::endl;
    RecordProperty("time_seconds", std::to_string(frames * dt));
    RecordProperty("score", std::to_string(lvl->get_score()));
    EXPECT_TRUE(lvl->is_completed()) << result.str() << "; the ball ended at " << ball->get_position()
                                     << " on route command " << bot.current_step();
}

INSTANTIATE_TEST_SUITE_P(shipped, playthrough, ::testing::ValuesIn(campaign_levels()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return std::filesystem::path(info.param).stem().string();
                         });
