#include "app/physics/physics_body.h"
#include "headless_play/route_bot.h"
#include "level/game_object.h"
#include "objects/obj_player.h"
#include "states/campaign_object.h"
#include "support/level_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <map>
#include <set>
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

    // The level of this test's parameter, with the bot on its route.
    void start()
    {
        lvl.reset();
        dropped = false;
        bot = route_bot([this](const std::string& id, Ogre::Vector3& at) {
            game_object* object = lvl->find_object(id);
            if (object)
                at = object->get_position();
            return object != nullptr;
        });
        std::string error;
        ASSERT_TRUE(bot.load((routes / (std::filesystem::path(GetParam()).stem().string() + ".route")).string(), error))
            << error;
        lvl = load_shipped(GetParam());
        ASSERT_NE(lvl->get_player(), nullptr);
    }

    // Plays at a fixed 60 frames a second with the keys the bot picks until
    // the level is completed or `seconds` have passed; `after_frame` sees
    // every frame's events. Returns the frames played.
    int drive(float seconds, const std::function<void(const std::vector<level_event>&)>& after_frame = {})
    {
        obj_player* ball = lvl->get_player();
        int frames = 0;
        while (!lvl->is_completed() && frames < seconds * 60) {
            const std::set<key_code> held =
                dropped ? std::set<key_code>{} : bot.keys(ball->get_position(), ball->get_actor()->get_linear_velocity(), dt);
            frame(*lvl, dt, held);
            ++frames;
            if (after_frame)
                after_frame(lvl->get_events());
            if (std::getenv("QUILLAX_TRACE") && frames % 30 == 0)
                std::cout << frames * dt << " s: step " << bot.current_step() << " at " << ball->get_position()
                          << std::endl;
        }
        return frames;
    }

    // Sends the ball off the course, far beside it, to fall until it is put back.
    void drop_ball()
    {
        physics_body* body = lvl->get_player()->get_actor();
        body->set_position(body->get_position() + Ogre::Vector3(2000, 0, 0));
        body->set_linear_velocity(Ogre::Vector3::ZERO);
        dropped = true;
    }

    static constexpr float dt = 1.0f / 60.0f;
    std::unique_ptr<level> lvl;
    route_bot bot{nullptr};
    bool dropped = false;
};

}

// Drives the real level at a fixed 60 frames a second with the keys alone,
// from the start to the target, and reports the time and coins it took.
TEST_P(playthrough, the_level_can_be_finished_with_the_keys)
{
    start();
    const int frames = drive(300.0f);
    std::ostringstream result;
    result << GetParam() << ": " << (lvl->is_completed() ? "finished" : "NOT finished") << " in " << std::fixed
           << std::setprecision(1) << frames * dt << " s with " << lvl->get_score() << " points"
           << (bot.finished() ? "" : " (route not done)");
    std::cout << "[ playthrough ] " << result.str() << std::endl;
    RecordProperty("time_seconds", std::to_string(frames * dt));
    RecordProperty("score", std::to_string(lvl->get_score()));
    EXPECT_TRUE(lvl->is_completed()) << result.str() << "; the ball ended at " << lvl->get_player()->get_position()
                                     << " on route command " << bot.current_step();
}

// Falls off the course right after each checkpoint and just before each one
// and the flag, and still finishes: a fall puts the ball back at its last
// checkpoint with the crumbled tiles standing again, and the bot follows the
// route from there. A first, clean drive finds the route steps that reach
// each checkpoint. No fall comes after a switch since the ball's last place
// to come back to: the bot would press it again and close what it opened,
// where a player sees the open door and rolls on.
TEST_P(playthrough, the_level_can_still_be_finished_after_falls_before_and_after_each_checkpoint)
{
    start();
    // Route steps on which the ball reached each checkpoint ("" the flag),
    // and the first switch pressed after each place to come back to.
    std::map<std::string, size_t> reached_on;
    std::map<std::string, size_t> switch_on;
    drive(300.0f, [&](const std::vector<level_event>& events) {
        for (const level_event& e : events) {
            if (e.kind == level_event::checkpoint)
                reached_on.emplace(e.object, bot.current_step());
            if (e.kind == level_event::door)
                switch_on.emplace(lvl->get_player()->get_respawn_object(), bot.current_step());
        }
    });
    ASSERT_TRUE(lvl->is_completed()) << "the clean drive did not finish";
    reached_on.emplace("", bot.current_step());

    std::set<size_t> drop_on;
    std::string from;
    std::multimap<size_t, std::string> in_order;
    for (const auto& [checkpoint, step] : reached_on)
        in_order.emplace(step, checkpoint);
    for (const auto& [step, checkpoint] : in_order) {
        const auto pressed = switch_on.find(from);
        if (pressed == switch_on.end() || pressed->second >= step)
            drop_on.insert(step);
        from = checkpoint;
    }

    start();
    std::map<std::string, size_t> resume_on{{"", 1}};
    int drops = 0;
    int drops_after = 0;
    int falls = 0;
    const int frames = drive(600.0f, [&](const std::vector<level_event>& events) {
        bool new_checkpoint = false;
        for (const level_event& e : events) {
            if (e.kind == level_event::checkpoint)
                new_checkpoint = resume_on.emplace(e.object, bot.current_step()).second || new_checkpoint;
            if (e.kind == level_event::fall) {
                ++falls;
                dropped = false;
                bot.resume_at(resume_on[e.object], lvl->get_player()->get_position());
            }
        }
        if (dropped)
            return;
        drops_after += new_checkpoint;
        if (new_checkpoint || drop_on.erase(bot.current_step())) {
            drop_ball();
            ++drops;
        }
    });
    std::cout << "[ playthrough ] " << GetParam() << " with " << falls << " falls: "
              << (lvl->is_completed() ? "finished" : "NOT finished") << " in " << std::fixed << std::setprecision(1)
              << frames * dt << " s" << std::endl;
    EXPECT_TRUE(lvl->is_completed()) << "after " << falls << " falls the ball ended at "
                                     << lvl->get_player()->get_position() << " on route command " << bot.current_step();
    EXPECT_EQ(drops_after, int(reached_on.size()) - 1) << "a checkpoint was not reached";
    EXPECT_TRUE(drop_on.empty()) << "the route never came to step " << *drop_on.begin();
    EXPECT_GE(falls, drops);
}

INSTANTIATE_TEST_SUITE_P(shipped, playthrough, ::testing::ValuesIn(campaign_levels()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return std::filesystem::path(info.param).stem().string();
                         });
