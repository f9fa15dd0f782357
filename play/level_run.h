#pragma once

// One play of a level, around the level itself: every frame in the fixed
// order that makes a run repeatable, fed either by the player's keys and
// mouse (and recorded) or by the level's best run (watched). While the
// player races, the best run's ghost rolls beside the ball and each first
// touch of a checkpoint shows the time gained or lost on it. Coins,
// checkpoints and falls show their cue (event_cues), and what happens is
// heard (event_sounds). A watched run can be paused and played fast
// (replay_controls). At the finish the run goes into the player's record.

#include "app/mouse_feel.h"
#include "app/stick_counts.h"
#include "camera_follow.h"
#include "event_cues.h"
#include "event_sounds.h"
#include "records/best_runs.h"
#include "records/run_outcome.h"
#include "run_plan.h"
#include "run_recorder.h"
#include "split_display.h"

#include <OgreQuaternion.h>

#include <memory>

class game_camera;
class ghost_ball;
class level;
class replay_controls;
class replay_feed;
class world_rank_line;
struct game_context;
namespace MyGUI {
class Gui;
}

class level_run {
public:
    // Watching needs the run the plan names: see is_watching. mapscout's
    // probe neither races nor keeps anything.
    level_run(game_context* context, level& lvl, MyGUI::Gui* gui, const run_plan& plan);
    ~level_run();
    level_run(const level_run&) = delete;
    level_run& operator=(const level_run&) = delete;

    // One rendered frame of play. The camera is the state's: it is rebuilt
    // when the state resumes.
    void frame(game_camera& camera);
    // A frame before the start while the player looks around: the mouse and
    // the pad turn the camera, nothing else moves and nothing is recorded.
    // The turn is the first thing the run plays (see race_frame).
    void look(game_camera& camera);
    // Once the level is completed; keeps the run the first time, and sends
    // a personal best to the leaderboard server when online.
    const run_outcome& finish();
    // Each frame the completed screen is up: its world rank, once known.
    void completed_frame();
    bool is_watching() const { return feed != nullptr; }
    // While watching: paused, or played fast, by the player's keys.
    const replay_controls* get_controls() const { return controls.get(); }
    const ghost_ball* get_ghost() const { return ghost.get(); }
    const event_cues& get_cues() const { return cues; }
    const medal_times& get_medals() const { return plan.medals; }
    // The best medal earned on this level before this run.
    medal get_best_medal() const { return best_medal; }
    // The player's record of the level, with this run once it is kept; null
    // while it was never finished.
    const level_record* get_record() const;

    // One frame as recorded: its time step, rolling keys and mouse.
    static void play(level& lvl, game_camera& camera, const replay_frame& input);

private:
    // The recorded run the plan races or watches, and whether it is the
    // gold run; false when there is none.
    bool find_run(replay& out, bool& gold) const;
    // The world record's run, when the plan wants it and the server sent it.
    bool find_world_record(replay& out) const;
    void race_frame(game_camera& camera);
    // This frame's turn of the camera from the mouse and the pad's right stick.
    int turn_input(float dt);
    // The follow camera's turn this frame, given the player's; 0 when the setting is off.
    int follow_turn(game_camera& camera, int player_turn, float dt);
    // Plays one raced frame and follows it: recorder, ghost, splits, cues.
    void race(game_camera& camera, const replay_frame& input);
    void watch_frame(game_camera& camera);

    game_context* context;
    level& lvl;
    run_plan plan;
    best_runs records;
    medal best_medal = medal::none;
    // The run watched (the ghost keeps its own).
    replay best;
    run_recorder recorder;
    split_display splits;
    event_cues cues;
    event_sounds sounds;
    std::unique_ptr<ghost_ball> ghost;
    std::unique_ptr<replay_feed> feed;
    std::unique_ptr<replay_controls> controls;
    mouse_feel feel;
    stick_counts pad_turn;
    stick_counts pad_lift;
    camera_follow follow;
    // While look() turns the camera: how far, and the heading it began at.
    bool looking = false;
    int looked = 0;
    Ogre::Quaternion heading;
    bool feed_ran_out = false;
    bool finished = false;
    run_outcome outcome;
    MyGUI::Gui* gui;
    std::unique_ptr<world_rank_line> world_rank;
};
