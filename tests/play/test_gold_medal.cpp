// Played as a player plays, with the gold run's keys held frame by frame,
// the first level earns gold: the run's outcome says so, the progress file
// keeps it, and the level selection marks the level with the gold disc.

#include "app/game_camera.h"
#include "menus/selection_records.h"
#include "objects/obj_player.h"
#include "play/level_run.h"
#include "records/author_run.h"
#include "states/campaign_object.h"
#include "support/level_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path source_media = fs::path(QUILLAX_MATERIALS_DIR).parent_path();

std::string read_text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The rolling keys a replay frame's bit mask holds.
std::set<key_code> keys_of(unsigned moves)
{
    std::set<key_code> held;
    const key_code keys[] = {KC_W, KC_A, KC_S, KC_D};
    for (unsigned bit = 0; bit < 4; ++bit)
        if (moves & (1u << bit))
            held.insert(keys[bit]);
    return held;
}

class gold_medal : public level_fixture {};

}

TEST_F(gold_medal, the_gold_run_s_keys_earn_gold_and_the_selection_shows_it)
{
    const std::string file = "level_01.map";
    replay gold;
    std::string error;
    ASSERT_TRUE(replay::parse(read_text(author_run::path_in(source_media / "runs", file)), gold, error)) << error;
    const auto campaigns = campaign_object::read_campaigns((source_media / "levels/campaigns.cmp").string());
    ASSERT_FALSE(campaigns.empty());
    run_plan plan;
    plan.medals = campaign_object::medals_of(file, campaigns.front().get());
    ASSERT_TRUE(plan.medals.known());

    context.progress_folder = (fs::current_path() / "progress").string();
    const std::unique_ptr<level> lvl = load(file, read_text(source_media / "levels" / file));
    level_run run(&context, *lvl, nullptr, plan);
    game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
    for (const replay_frame& frame : gold.frames) {
        if (lvl->is_completed())
            break;
        context.frame_time = frame.dt;
        input.capture(frame.dt);
        const std::set<key_code> held = keys_of(frame.moves);
        input.run_key_bindings([&](key_code key) { return held.count(key) > 0; });
        run.frame(camera);
    }
    ASSERT_TRUE(lvl->is_completed());
    EXPECT_EQ(lvl->get_play_time(), gold.finish_time);
    const run_outcome& outcome = run.finish();
    EXPECT_EQ(outcome.earned, medal::gold);
    EXPECT_TRUE(outcome.improved.new_medal);
    EXPECT_EQ(outcome.best.best_medal, medal::gold);

    const selection_records records(context.progress_folder);
    EXPECT_EQ(records.list_line(file, "First Roll"),
              std::string("First Roll ") + selection_records::medal_colour(medal::gold) + "\u25CF");
}
