#include "gs_game.h"

#include "app/game_camera.h"
#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "app/physics/physics_world.h"
#include "campaign_object.h"
#include "level/level.h"
#include "level/look_materials.h"
#include "objects/obj_player.h"
#include "play/challenge_run.h"
#include "play/game_hud.h"
#include "play/level_run.h"
#include "records/best_runs.h"
#include "return_to_title.h"

#include <MyGUI_Gui.h>
#include <MyGUI_LayoutManager.h>
#include <OgreRenderWindow.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <boost/bind/bind.hpp>

#include <cmath>
#include <stdexcept>

using namespace boost::placeholders;

gs_game::gs_game(game_context* context)
    : game_state(context, "game"), input("gs_game_input"), navigation(*context->input),
      menu(*context, navigation, [this](const std::string& button) { press(button); }),
      completed([this](const std::string& button) { press(button); }),
      challenge_end([this](const std::string& button) { press(button); })
{
}

void gs_game::bind_keys()
{
    const bool listening = context->input->has_listener(input.name);
    context->input->remove_listener(input);
    input.key_bindings.clear();
    const key_bindings& keys = context->settings.keys;
    input.bind_key(keys.key(key_bindings::leave), boost::bind(&gs_game::end_state, this, _1));
    input.bind_key(keys.key(key_bindings::screenshot), boost::bind(&gs_game::take_screenshot, this, _1));
    input.bind_key(keys.key(key_bindings::menu), boost::bind(&gs_game::toggle_menu, this, _1));
    input.bind_key(keys.key(key_bindings::restart), boost::bind(&gs_game::restart, this, _1));
    input.bind_mouse_button(MB_Left, boost::bind(&gs_game::skip_card, this, _1, _2));
    input.bind_mouse_button(MB_Right, boost::bind(&gs_game::skip_card, this, _1, _2));
    if (listening)
        context->input->add_listener(input);
}

gs_game::~gs_game() = default;

void gs_game::enter(const state_params& params)
{
    // A visit that ended with the menu up must not begin the next one frozen.
    paused = false;
    gui = param_or<MyGUI::Gui*>(params, "gui", nullptr);
    context->input->set_gui(gui);
    load_hud();
    // A quick start passes no campaign: then every level is the last.
    campaign = param_or<campaign_object*>(params, "campaign", nullptr);
    challenge = param_or<std::shared_ptr<challenge_run>>(params, "challenge", nullptr);
    const std::string file = param_or<std::string>(params, "level", "");
    run_plan plan;
    plan.watch = param_or<bool>(params, "watch", false);
    plan.gold = race_gold = param_or<bool>(params, "gold", false);
    plan.world = race_world = param_or<bool>(params, "world", false);
    plan.medals = campaign_object::medals_of(file, campaign);
    if (context->scout && !editor && !level_editor::path_for(file).empty())
        editor = std::make_unique<level_editor>(*context, level_editor::path_for(file));
    if (!load_level(file, plan)) {
        // mapscout has nothing else to show: the program ends with the reason.
        if (context->scout)
            throw std::runtime_error("mapscout: " + file + current_level->get_load_problem());
        log_line(file + ": the level has no ball and cannot be played");
        leave_challenge();
        return_to_title(*this);
        return;
    }
    if (context->scout) {
        if (!scout)
            scout = std::make_unique<scout_reload>(*context, editor ? editor->get_path() : level::path_of(file));
        const auto view = param_or<scout_reload::view>(params, "view", {});
        if (view.kept) {
            current_level->get_player()->get_actor()->set_position(view.probe);
            camera->get_camera_node()->setOrientation(view.heading);
        }
        scout->loaded();
    }
    if (editor)
        editor->entered(*current_level, *camera, scout ? scout->get_gui() : nullptr);
    begin_race(params, file);
    bind_keys();
    context->input->add_listener(input);
    navigation.start(gui);
    menu.start(gui);
    show_pointer(editor && !editor->is_playing());
}

bool gs_game::load_level(const std::string& file, const run_plan& plan)
{
    look_materials::apply(campaign ? campaign->get_ground()
                                   : campaign_object::ground_of(file, "media/levels/campaigns.cmp"));
    // mapscout's editor builds the level from the text it holds, unsaved changes and all.
    current_level = editor && !editor->get_text().empty()
                        ? std::make_unique<level>(file, editor->get_text(), context, gui)
                        : std::make_unique<level>(file, context, gui);
    if (!current_level->get_player())
        return false;
    camera = std::make_unique<game_camera>("game_cam", current_level.get(),
                                           current_level->get_player()->get_scene_node());
    run = std::make_unique<level_run>(context, *current_level, gui, plan);
    return true;
}

void gs_game::begin_race(const state_params& params, const std::string& file)
{
    // Nobody looks at a watched run's or mapscout's start, nor at one without a GUI (tests).
    const bool at_once = !gui || context->scout || run->is_watching();
    start = std::make_unique<race_start>(
        gui, at_once ? race_start::racing : param_or(params, "start", race_start::card),
        start_card(file, run->get_medals(), run->get_record()),
        file);
}

void gs_game::load_hud()
{
    if (!gui)
        return;
    MyGUI::LayoutManager::getInstance().loadLayout("ingame_hud.layout");
    hud_mode = hud_playing;
}

void gs_game::update()
{
    restart_key.next_frame();
    menu_key.next_frame();
    navigation.update(menu.takes_keys(), [this](key_code key) {
        if (key == KC_RETURN)
            go_on();
    });
    screenshots.update(gui, context->frame_time);
    if (!current_level || !camera)
        return;
    // Any key but the state's own (the menu, restart, leave, screenshot).
    if (!paused)
        for (const key_code key : context->input->presses())
            if (!input.key_bindings.count(key))
                start->skip();
    // mapscout's editor is asked first: the file may have changed under unsaved changes.
    if (scout && context->scout && scout->update(context->frame_time) && (!editor || editor->file_changed())) {
        // The editor still takes this frame's keys: a press must not be lost to a rebuild.
        if (editor)
            editor_frame();
        if (!transition_requested && running)
            rebuild_level();
        return;
    }
    if (paused)
        paused = menu.frame(context->frame_time, [this] { rebind_keys(); });
    else
        play_frame();
    if (run && hud_mode == hud_completed)
        run->completed_frame();
    if (editor)
        editor_frame();
}

void gs_game::editor_frame()
{
    switch (editor->frame(context->frame_time)) {
    case level_editor::request::rebuild:
        rebuild_level();
        break;
    case level_editor::request::play:
    case level_editor::request::edit:
        // The same level in the game's play, or back in mapscout's view.
        context->scout = !editor->is_playing();
        play_level(current_level->get_file_name(), false, race_start::racing);
        break;
    case level_editor::request::quit:
        running = false;
        break;
    case level_editor::request::none:
        break;
    }
}

bool gs_game::is_still() const
{
    return menu.get_state() == ingame_menu::open || hud_mode == hud_completed;
}

void gs_game::play_frame()
{
    const unsigned int total = static_cast<unsigned int>(current_level->get_elapsed_time());
    menu.playing();
    // The end of a challenge stays on screen; the level behind it stops.
    if (challenge && challenge->is_over())
        return;
    if (!current_level->is_completed()) {
        const race_start::step step = start->frame(context->frame_time);
        if (step == race_start::step::play)
            run->frame(*camera);
        else if (step == race_start::step::look)
            run->look(*camera);
        if (gui && (hud_mode == hud_completed || hud_mode == hud_none)) {
            gui->destroyAllChildWidget();
            menu.drop();
            show_pointer(false);
            load_hud();
        }
        if (challenge) {
            challenge->take(current_level->get_events());
            if (challenge->is_over())
                end_challenge();
        }
    } else if (hud_mode == hud_playing || hud_mode == hud_none) {
        run->finish();
        if (challenge)
            next_in_challenge();
        else
            show_completed_screen();
    }
    update_captions(total);
}

void gs_game::next_in_challenge()
{
    challenge->level_finished(current_level->get_play_time());
    if (challenge->is_won())
        end_challenge();
    else
        play_level(challenge->current_level(), race_gold, race_start::card);
}

void gs_game::end_challenge()
{
    hud_mode = hud_completed;
    best_runs records(context->scout ? std::string() : context->progress_folder);
    challenge_screen::result shown;
    shown.campaign = challenge->get_campaign();
    shown.won = challenge->is_won();
    shown.reached = challenge->is_won() ? challenge->level_count() : challenge->level_number();
    shown.levels = challenge->level_count();
    shown.reached_name = campaign_object::level_name(challenge->current_level(), campaign);
    shown.time_ms = std::lround(challenge->total_time(current_level->get_play_time()) * 1000);
    shown.coins = challenge->get_coins();
    shown.improved = records.keep_challenge(shown.campaign, shown.won, shown.time_ms / 1000.0, shown.coins,
                                            shown.reached);
    if (const level_record* record = records.challenge(shown.campaign))
        shown.record = *record;
    log_line("Challenge over: " + shown.campaign + ", " + challenge_screen::reached_line(shown));
    if (!gui)
        return;
    menu.drop();
    show_pointer(true);
    navigation.forget();
    challenge_end.show(*gui, shown);
}

void gs_game::leave_challenge()
{
    if (!challenge || challenge->is_over())
        return;
    challenge->give_up();
    end_challenge();
}

void gs_game::show_completed_screen()
{
    hud_mode = hud_completed;
    if (!gui)
        return;
    menu.drop();
    show_pointer(true);
    navigation.forget();
    completed.show(*gui, campaign_object::next_level_name(current_level->get_file_name(), campaign), run->finish(),
                   context->settings.ghost && !run->is_watching());
}

void gs_game::rebind_keys()
{
    bind_keys();
    if (current_level && current_level->get_player())
        current_level->get_player()->bind_keys();
}

void gs_game::update_captions(unsigned int total_seconds)
{
    game_hud::show_captions(gui, *current_level, total_seconds);
    if (challenge && hud_mode == hud_playing)
        game_hud::show_challenge(gui, *challenge, current_level->get_play_time());
    if (run && hud_mode == hud_playing)
        game_hud::show_medal_target(gui, run->get_medals(), run->get_best_medal(), current_level->get_play_time());
}

void gs_game::show_pointer(bool shown)
{
    // The pointer is free while buttons are up; in play it steers the camera.
    context->input->show_pointer(shown);
}

void gs_game::end_state(float)
{
    // The options may be taking this very key.
    if (menu.has_options())
        return;
    // mapscout's editor takes Tab and Escape itself: it may ask first.
    if (editor)
        return;
    // mapscout has no title screen: Tab ends it.
    if (context->scout)
        running = false;
    else if (run && run->is_watching() && current_level)
        return_to_selection(*this, campaign ? campaign->get_name() : "", current_level->get_file_name());
    else {
        leave_challenge();
        return_to_title(*this);
    }
}

void gs_game::take_screenshot(float)
{
    screenshots.held();
}

void gs_game::toggle_menu(float)
{
    if (!menu.takes_menu_key(menu_key.pressed()))
        open_or_close_menu();
}

void gs_game::open_or_close_menu()
{
    if (editor)
        return;
    // mapscout has no menu: Escape ends it; a watched run is left.
    if (context->scout || (run && run->is_watching() && hud_mode != hud_completed)) {
        end_state(0.0f);
        return;
    }
    // The completed screen has no overlay and no menu to open.
    if (hud_mode == hud_completed || !current_level)
        return;
    if (menu.get_state() == ingame_menu::closed)
        paused = true;
    menu.toggle();
}

void gs_game::restart(float)
{
    // Once per press: the level it starts would see the held key again.
    if (!restart_key.pressed() || (editor && editor->takes_keys()))
        return;
    if (scout && context->scout && scout->buildable() && (!editor || editor->file_changed()))
        rebuild_level();
    if (!in_play() || paused)
        return;
    start_again();
}

void gs_game::start_again()
{
    // In a challenge a restart is a ball lost.
    if (challenge) {
        challenge->restarted(current_level->get_play_time());
        if (challenge->is_over()) {
            end_challenge();
            return;
        }
    }
    play_level(current_level->get_file_name(), race_gold, race_start::ready);
}

void gs_game::skip_card(float, const mouse_state&)
{
    if (start && !paused)
        start->skip();
}

void gs_game::rebuild_level()
{
    scout_reload::view view;
    view.kept = true;
    view.probe = current_level->get_player()->get_position();
    view.heading = camera->get_camera_node()->getOrientation();
    play_level(current_level->get_file_name(), race_gold, race_start::racing);
    params["view"] = view;
}

void gs_game::go_on()
{
    if (navigation.press() || hud_mode != hud_completed || !current_level)
        return;
    // The way on: the next level, or back once the campaign is over; at the
    // end of a challenge, another go.
    if (challenge)
        press("challenge_again");
    else
        press(gui && !gui->findWidgetT("next_level_start", false) ? "back_main_menu" : "next_level_start");
}

void gs_game::focus_lost()
{
    // Alt-tab never costs a life: play freezes behind the in-game menu.
    if (menu.get_state() == ingame_menu::closed && in_play())
        open_or_close_menu();
}

bool gs_game::in_play() const
{
    return !context->scout && current_level && hud_mode != hud_completed && !(run && run->is_watching());
}

void gs_game::on_button_click(MyGUI::Widget* sender)
{
    press(sender->getName());
}

void gs_game::press(const std::string& button)
{
    if (button == "back_main_menu") {
        leave_challenge();
        close_screens();
        return_to_title(*this);
    } else if (button == "challenge_again" && challenge && campaign) {
        challenge = std::make_shared<challenge_run>(campaign->get_name(), campaign->level_files());
        play_level(challenge->current_level(), race_gold, race_start::card);
    } else if (button == "next_level_start") {
        play_level(campaign_object::next_level_file(current_level->get_file_name(), campaign), race_gold,
                   race_start::card);
    } else if (button == "restart_game") {
        start_again();
    } else if (button == "race_ghost") {
        race_world = false;
        play_level(current_level->get_file_name(), false, race_start::ready);
    } else if (button == "menu_options") {
        // Made between frames: the clicked button goes with the menu.
        menu.ask_options();
    } else if (button == "resume_game") {
        menu.resume();
    }
}

void gs_game::close_screens()
{
    menu.forget();
    paused = false;
    hud_mode = hud_none;
}

void gs_game::play_level(const std::string& file, bool gold, race_start::phase first)
{
    close_screens();
    transition_requested = true;
    transition_push = false;
    next_state = "game";
    params["campaign"] = campaign;
    params["level"] = file;
    params["gui"] = gui;
    params["watch"] = false;
    params["gold"] = gold;
    params["world"] = race_world;
    params["challenge"] = challenge;
    params["start"] = first;
}

void gs_game::exit()
{
    if (editor)
        editor->leaving();
    menu.drop();
    navigation.stop();
    start.reset();
    run.reset();
    camera.reset();
    current_level.reset();
    context->scene_manager->destroyAllCameras();
    if (context->window)
        context->window->removeAllViewports();
    context->input->remove_listener(input);
    context->input->set_mouse_captured(false);
    context->world->destroy_all_scenes();
    if (gui)
        gui->destroyAllChildWidget();
}

void gs_game::pause()
{
    if (editor)
        editor->leaving();
    menu.drop();
    navigation.stop();
    camera.reset();
    context->scene_manager->destroyAllCameras();
    if (context->window)
        context->window->removeAllViewports();
    context->input->remove_listener(input);
    context->input->set_mouse_captured(false);
    if (gui)
        gui->destroyAllChildWidget();
}

void gs_game::resume()
{
    if (current_level && current_level->get_player())
        camera = std::make_unique<game_camera>("game_cam", current_level.get(),
                                               current_level->get_player()->get_scene_node());
    context->input->add_listener(input);
    navigation.start(gui);
    load_hud();
    show_pointer(false);
}
