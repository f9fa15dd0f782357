// The route optimiser on small courses whose fastest way is plain: it finds
// a finish at least as fast as the best a player can do where that is known,
// always a faster one than the route bot's own drive, and hands out a run
// the game plays to the same finish, the same for the same seed.

#include "app/game_camera.h"
#include "author_run_maker.h"
#include "level_player.h"
#include "objects/obj_player.h"
#include "play/level_run.h"
#include "play/run_recorder.h"
#include "route_search.h"
#include "support/level_fixture.h"

#include <string>
#include <vector>

namespace {

// A floor of blocks three wide from the start along -Z for `length` units,
// then along +X for `across` (none: a straight course), with the target at
// its end; `extra` objects are added as they are.
std::string course(int length, int across, const std::string& extra = "")
{
    std::string objects = "<Object type=\"start\" pos=\"0 51.5 0\"/>";
    for (int z = 0; z >= -length; z -= 10)
        for (int x = -10; x <= 10; x += 10)
            objects += "<Object type=\"block\" pos=\"" + std::to_string(x) + " 50 " + std::to_string(z) + "\"/>";
    for (int x = 20; x <= across + 10; x += 10)
        for (int z = -length - 10; z <= -length + 10; z += 10)
            objects += "<Object type=\"block\" pos=\"" + std::to_string(x) + " 50 " + std::to_string(z) + "\"/>";
    objects += "<Object type=\"target\" pos=\"" + std::to_string(across) + " 51.5 " + std::to_string(-length) + "\"/>";
    return "<Level name=\"Course\"><Settings gravity=\"0 -100 0\"/><Objects>" + objects + extra +
           "</Objects></Level>";
}

route_bot::step go(float x, float z)
{
    route_bot::step s{};
    s.kind = route_bot::step::go;
    s.x = x;
    s.z = z;
    s.value = 2.0f;
    return s;
}

class author_run_maker_test : public level_fixture {
protected:
    author_run_maker::outcome make(const std::string& text, const std::vector<route_bot::step>& route,
                                   std::size_t tries, std::uint32_t seed = 1)
    {
        author_run_maker::budget limits;
        limits.route_tries = tries;
        limits.key_tries = tries;
        limits.seed = seed;
        return author_run_maker::make(*this, "course.map", text, route, limits);
    }
};

}

TEST_F(author_run_maker_test, on_a_straight_course_it_is_as_fast_as_holding_forward_all_the_way)
{
    const std::string text = course(200, 0);
    level_player player(*this, "course.map", text);
    replay held;
    ASSERT_TRUE(player.play(std::vector<unsigned>(60 * 60, obj_player::move_forward_bit), 60 * 60, held));
    replay bot;
    ASSERT_TRUE(route_search::drive(player, {go(0, -200)}, 60 * 60, bot));

    const author_run_maker::outcome made = make(text, {go(0, -200)}, 150);
    ASSERT_TRUE(made.made) << made.problem;
    EXPECT_EQ(made.bot_time, bot.finish_time);
    EXPECT_LE(made.run.frames.size(), held.frames.size())
        << "the bot took " << bot.finish_time << " s, holding W " << held.finish_time << " s, the search "
        << made.run.finish_time << " s";
    EXPECT_LT(made.run.finish_time, bot.finish_time);
}

// Round a corner past a coin and a checkpoint: the run handed out is what
// the game's recorder writes while the game plays it back, frame for frame,
// and the same seed makes the same run.
TEST_F(author_run_maker_test, round_a_corner_it_beats_the_bot_with_a_run_the_game_plays_the_same)
{
    const std::string text =
        course(120, 100, "<Object type=\"score\" pos=\"0 52 -60\"/><Object type=\"checkpoint\" pos=\"0 50.5 -120\"/>");
    const std::vector<route_bot::step> route{go(0, -120), go(100, -120)};
    const author_run_maker::outcome made = make(text, route, 100, 7);
    ASSERT_TRUE(made.made) << made.problem;
    EXPECT_LT(made.run.finish_time, made.bot_time);
    EXPECT_EQ(made.run.level_file, "course.map");
    EXPECT_EQ(made.run.level_hash, replay::hash_text(text));

    {
        // One level at a time lives in a world.
        std::unique_ptr<level> lvl = load("course.map", text);
        game_camera camera("game_cam", lvl.get(), lvl->get_player()->get_scene_node());
        run_recorder recorder("course.map", replay::hash_text(text));
        for (const replay_frame& f : made.run.frames) {
            ASSERT_FALSE(lvl->is_completed()) << "finished before the last frame";
            level_run::play(*lvl, camera, f);
            recorder.add(f, *lvl);
        }
        ASSERT_TRUE(lvl->is_completed());
        replay played;
        ASSERT_TRUE(recorder.finish(*lvl, played));
        EXPECT_TRUE(played.to_text() == made.run.to_text());
    }

    const author_run_maker::outcome again = make(text, route, 100, 7);
    EXPECT_TRUE(again.run.to_text() == made.run.to_text()) << "the same seed searched otherwise";
}
