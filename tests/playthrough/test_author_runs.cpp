// Every level of the shipped campaign index has its author run in
// media/runs/ and the medal times that run sets, and the run still plays, as
// the game plays a replay, to its finish on the level file and physics of
// today: at its recorded time to the frame, with its coins. A changed level,
// object or physics fails here until the runs are remade.

#include "app/game_camera.h"
#include "objects/obj_player.h"
#include "play/level_run.h"
#include "play/run_recorder.h"
#include "records/author_run.h"
#include "states/campaign_object.h"
#include "support/level_fixture.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path source_media = fs::path(QUILLAX_MATERIALS_DIR).parent_path();
const std::string remake = "; remake the author runs with scripts/make-author-runs.sh";

// Every level the index lists, with the medal times the game reads for it.
std::map<std::string, medal_times> shipped_levels()
{
    std::map<std::string, medal_times> levels;
    for (const auto& campaign : campaign_object::read_campaigns((source_media / "levels/campaigns.cmp").string()))
        for (const level_entry* entry : campaign->get_levels())
            levels.emplace(entry->get_file_name(), entry->get_medals());
    return levels;
}

std::vector<std::string> shipped_files()
{
    std::vector<std::string> files;
    for (const auto& level : shipped_levels())
        files.push_back(level.first);
    return files;
}

std::string medals_text(const medal_times& m)
{
    return "gold=\"" + medal_times::format_time(m.gold_ms) + "\" silver=\"" + medal_times::format_time(m.silver_ms) +
           "\" bronze=\"" + medal_times::format_time(m.bronze_ms) + "\"";
}

class author_runs : public level_fixture, public ::testing::WithParamInterface<std::string> {};

}

TEST_P(author_runs, the_level_s_author_run_plays_to_its_finish_and_sets_its_medal_times)
{
    const std::string& file = GetParam();
    const medal_times medals = shipped_levels().at(file);
    std::ifstream in(source_media / "levels" / file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::uint64_t hash = replay::hash_text(text.str());
    const fs::path path = author_run::path_in(source_media / "runs", file);
    replay run;
    ASSERT_TRUE(replay::load_for_level(path, file, hash, run))
        << "no author run of " << file << " recorded on today's level file in " << path.string() << " ("
        << (log.lines.empty() ? "missing" : log.lines.back()) << ")" << remake;

    std::unique_ptr<level> lvl = load(file, text.str());
    ASSERT_NE(lvl->get_player(), nullptr);
    game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
    run_recorder again(file, hash);
    std::size_t played = 0;
    while (played < run.frames.size() && !lvl->is_completed()) {
        const replay_frame& frame = run.frames[played++];
        level_run::play(*lvl, camera, frame);
        again.add(frame, *lvl);
    }
    ASSERT_TRUE(lvl->is_completed()) << "the author run of " << file << " no longer reaches the finish; the ball ended at "
                                     << lvl->get_player()->get_position() << remake;
    EXPECT_EQ(played, run.frames.size()) << "the author run of " << file << " finishes early" << remake;
    EXPECT_EQ(lvl->get_play_time(), run.finish_time) << remake;
    EXPECT_EQ(lvl->get_coins_taken(), run.coins) << remake;
    replay replayed;
    ASSERT_TRUE(again.finish(*lvl, replayed));
    EXPECT_TRUE(replayed.to_text() == run.to_text())
        << "the author run of " << file << " rolls otherwise than it was recorded" << remake;

    const medal_times set = author_run::medals_for(run.finish_time);
    EXPECT_TRUE(medals.known() && medals.gold_ms == set.gold_ms && medals.silver_ms == set.silver_ms &&
                medals.bronze_ms == set.bronze_ms)
        << "the campaign index gives " << file << " " << (medals.known() ? medals_text(medals) : "no medals")
        << ", its author run of " << run.finish_time << " s sets " << medals_text(set) << remake;
}

INSTANTIATE_TEST_SUITE_P(shipped, author_runs, ::testing::ValuesIn(shipped_files()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return fs::path(info.param).stem().string();
                         });
