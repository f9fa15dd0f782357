#include "level_run.h"

#include "app/game_camera.h"
#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "app/physics/physics_world.h"
#include "ghost_ball.h"
#include "level/level.h"
#include "menus/world_rank_line.h"
#include "objects/obj_player.h"
#include "online/online_service.h"
#include "records/gold_run.h"
#include "replay_controls.h"
#include "replay_feed.h"

#include <cmath>

namespace {

// A pad's right stick at full tilt: half a turn and two wheel notches a second.
constexpr float pad_turn_counts = 1800.0f;
constexpr float pad_lift_counts = 240.0f;

}

level_run::level_run(game_context* context, level& lvl, MyGUI::Gui* gui, const run_plan& plan)
    : context(context), lvl(lvl), plan(plan), records(context->scout ? std::string() : context->progress_folder),
      recorder(lvl.get_file_name(), best_runs::level_hash(lvl.get_file_name())), splits(gui), cues(gui), sounds(context),
      gui(gui)
{
    if (const level_record* record = get_record())
        best_medal = record->best_medal;
    bool gold = false;
    if ((!plan.watch && !context->settings.ghost) || !find_run(best, gold))
        return;
    if (plan.watch) {
        feed = std::make_unique<replay_feed>(best);
        controls = std::make_unique<replay_controls>(*context->input, gui);
    }
    else
        ghost = std::make_unique<ghost_ball>(context->scene_manager, std::move(best), gold);
}

level_run::~level_run() = default;

void level_run::completed_frame()
{
    if (world_rank)
        world_rank->frame();
}

const level_record* level_run::get_record() const { return records.record(lvl.get_file_name()); }

bool level_run::find_world_record(replay& out) const
{
    const std::string& file = lvl.get_file_name();
    if (!plan.world || !context->online || context->scout)
        return false;
    if (context->online->world_record(best_runs::level_hash(file), out)) {
        log_line(file + (plan.watch ? ": watching" : ": racing") + " the world record (" +
                 std::to_string(out.finish_time) + " s)");
        return true;
    }
    log_line(file + ": the world record's run has not come from the server; it is not raced");
    return false;
}

bool level_run::find_run(replay& out, bool& gold) const
{
    const std::string& file = lvl.get_file_name();
    if (find_world_record(out))
        return true;
    if (!plan.gold && records.best_replay(file, out))
        return true;
    // A first play races the gold run: there is no best of one's own yet.
    gold = plan.gold || !plan.watch;
    return gold && gold_run::find(file, out);
}

void level_run::play(level& lvl, game_camera& camera, const replay_frame& input)
{
    game_context* context = lvl.get_context();
    context->frame_time = input.dt;
    lvl.get_player()->set_moves(input.moves);
    lvl.get_player()->set_roll(input.roll_forward, input.roll_right);
    lvl.update();
    mouse_state mouse;
    mouse.X.rel = input.turn;
    mouse.Z.rel = input.wheel;
    camera.steer(mouse, input.dt);
    context->world->simulate(input.dt);
    context->world->render(input.dt);
}

void level_run::frame(game_camera& camera)
{
    if (feed)
        watch_frame(camera);
    else
        race_frame(camera);
}

int level_run::turn_input(float dt)
{
    const gamepad::sticks pad = context->input->get_sticks();
    return feel.turn(context->input->get_mouse_state().X.rel, context->settings) + pad_turn.take(pad.turn, pad_turn_counts, dt);
}

int level_run::follow_turn(game_camera& camera, int player_turn, float dt)
{
    if (!context->settings.follow_camera || context->scout)
        return 0;
    const Ogre::Vector3 velocity = lvl.get_player()->get_actor()->get_linear_velocity();
    return follow.turn(camera.get_camera_node()->getOrientation(), velocity, player_turn, dt);
}

void level_run::look(game_camera& camera)
{
    if (!looking)
        heading = camera.get_camera_node()->getOrientation();
    looking = true;
    mouse_state mouse;
    mouse.X.rel = turn_input(context->frame_time);
    looked += mouse.X.rel;
    camera.steer(mouse, context->frame_time);
}

void level_run::race_frame(game_camera& camera)
{
    replay_frame input;
    input.dt = context->frame_time;
    input.moves = lvl.get_player()->get_moves();
    const mouse_state& mouse = context->input->get_mouse_state();
    const gamepad::sticks pad = context->input->get_sticks();
    input.turn = turn_input(input.dt);
    // Recorded with the player's turn: a replay turns the camera as it
    // turned, whatever the setting is when it is watched.
    input.turn += follow_turn(camera, input.turn, input.dt);
    input.wheel = feel.wheel(mouse.Z.rel, context->settings) + pad_lift.take(pad.lift, pad_lift_counts, input.dt);
    input.roll_forward = pad.roll_forward;
    input.roll_right = pad.roll_right;
    if (looking) {
        // The look around before Go, as a frame of no time of its own: the
        // ball's first push already goes the way the camera looks, and the
        // replay turns the camera the same way, in one step, before it pushes.
        looking = false;
        camera.get_camera_node()->setOrientation(heading);
        replay_frame look_frame;
        look_frame.turn = looked;
        looked = 0;
        if (look_frame.turn != 0)
            race(camera, look_frame);
    }
    race(camera, input);
}

void level_run::race(game_camera& camera, const replay_frame& input)
{
    play(lvl, camera, input);
    if (context->scout)
        return;

    const replay_split* reached = recorder.add(input, lvl);
    if (ghost) {
        ghost->update(lvl.get_play_time());
        const double best_split = reached ? ghost->get_run().split_for(reached->checkpoint) : -1.0;
        if (best_split >= 0.0)
            splits.show(reached->time - best_split);
    }
    splits.update(input.dt);
    sounds.take(lvl, camera);
    cues.take(lvl);
    cues.update(input.dt);
}

void level_run::watch_frame(game_camera& camera)
{
    const float rendered = context->frame_time;
    feed->advance(rendered * controls->speed());
    replay_frame input;
    while (!lvl.is_completed() && feed->next(input)) {
        play(lvl, camera, input);
        sounds.take(lvl, camera);
        cues.take(lvl);
    }
    // What follows in this frame (the HUD, screenshots) goes by the screen's time.
    context->frame_time = rendered;
    cues.update(rendered);
    if (feed->done() && !lvl.is_completed() && !feed_ran_out) {
        feed_ran_out = true;
        log_line(lvl.get_file_name() + (plan.world ? ": the world record" : plan.gold ? ": the gold run" : ": the best run") +
                 " ended before the finish");
    }
}

const run_outcome& level_run::finish()
{
    if (finished)
        return outcome;
    finished = true;
    replay run;
    if (!feed && recorder.finish(lvl, run)) {
        outcome.earned = plan.medals.earned(std::lround(run.finish_time * 1000));
        outcome.improved = records.keep(run, outcome.earned, outcome.new_ghost);
        if (context->online && context->online->active() && !context->scout &&
            (outcome.improved.new_best_time || outcome.improved.first_finish)) {
            context->online->submit(run);
            world_rank = std::make_unique<world_rank_line>(gui, *context->online, run.level_hash, run.finish_time);
        }
        if (ghost) {
            outcome.raced = true;
            outcome.gain = run.finish_time - ghost->get_run().finish_time;
        }
    }
    if (const level_record* record = get_record())
        outcome.best = *record;
    // A watched run earns nothing: its screen names no medal.
    if (!feed)
        outcome.medals = plan.medals;
    sounds.finish(outcome.improved.new_best_time && !outcome.improved.first_finish);
    return outcome;
}
