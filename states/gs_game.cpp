#include "gs_game.h"

#include "app/game_camera.h"
#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "app/physics/physics_world.h"
#include "campaign_object.h"
#include "level/level.h"
#include "menus/menu_keys.h"
#include "objects/obj_player.h"
#include "play/completed_record.h"
#include "play/game_hud.h"
#include "play/level_run.h"
#include "return_to_title.h"

#include <MyGUI_Button.h>
#include <MyGUI_Gui.h>
#include <MyGUI_ImageBox.h>
#include <MyGUI_LayoutManager.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>
#include <OgreRenderWindow.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

#include <boost/bind/bind.hpp>

#include <stdexcept>

using namespace boost::placeholders;

gs_game::gs_game(game_context* context)
    : game_state(context, "game"), input("gs_game_input"), navigation(*context->input)
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
    if (listening)
        context->input->add_listener(input);
}

gs_game::~gs_game() = default;

void gs_game::enter(const state_params& params)
{
    // A visit that ended with the menu up must not begin the next one frozen.
    paused = false;
    menu_state = menu_closed;
    menu_loaded = false;
    menu_key_spent = false;
    overlay_alpha = 0.0f;
    overlay = nullptr;

    gui = param_or<MyGUI::Gui*>(params, "gui", nullptr);
    context->input->set_gui(gui);
    load_hud();
    // A quick start passes no campaign: then every level is the last.
    campaign = param_or<campaign_object*>(params, "campaign", nullptr);
    const std::string file = param_or<std::string>(params, "level", "");
    const bool watch = param_or<bool>(params, "watch", false);
    if (!load_level(file, watch)) {
        // mapscout has nothing else to show: the program ends with the reason.
        if (context->scout)
            throw std::runtime_error("mapscout: " + file + current_level->get_load_problem());
        log_line(file + ": the level has no ball and cannot be played");
        return_to_title(*this);
        return;
    }
    if (context->scout) {
        if (!scout)
            scout = std::make_unique<scout_reload>(*context, level::path_of(file));
        const auto view = param_or<scout_reload::view>(params, "view", {});
        if (view.kept) {
            current_level->get_player()->get_actor()->set_position(view.probe);
            camera->get_camera_node()->setOrientation(view.heading);
        }
        scout->loaded();
    }
    bind_keys();
    context->input->add_listener(input);
    navigation.start(gui);
    if (gui && context->window) {
        overlay = gui->createWidget<MyGUI::ImageBox>(
            "StaticImage", MyGUI::IntCoord(0, 0, int(context->window->getWidth()), int(context->window->getHeight())),
            MyGUI::Align::Left | MyGUI::Align::Top, "Main");
        overlay->setImageTexture("level_back.png");
        show_overlay(0.0f);
    }
    show_pointer(false);
}

bool gs_game::load_level(const std::string& file, bool watch)
{
    current_level = std::make_unique<level>(file, context, gui);
    if (!current_level->get_player())
        return false;
    camera = std::make_unique<game_camera>("game_cam", current_level.get(),
                                           current_level->get_player()->get_scene_node());
    run = std::make_unique<level_run>(context, *current_level, gui, watch);
    return true;
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
    navigation.update(options && options->takes_keys(), [this](key_code key) {
        if (key == KC_RETURN)
            go_on();
    });
    screenshots.update(gui, context->frame_time);
    if (!current_level || !camera)
        return;
    if (scout && scout->update(context->frame_time)) {
        rebuild_level();
        return;
    }
    if (paused)
        menu_frame();
    else
        play_frame();
}

bool gs_game::is_still() const
{
    return menu_state == menu_open || hud_mode == hud_completed;
}

void gs_game::play_frame()
{
    const unsigned int total = static_cast<unsigned int>(current_level->get_elapsed_time());
    menu_state = menu_closed;
    overlay_alpha = 0.0f;
    if (!current_level->is_completed()) {
        run->frame(*camera);
        if (gui && (hud_mode == hud_completed || hud_mode == hud_none)) {
            gui->destroyAllChildWidget();
            overlay = nullptr;
            show_pointer(false);
            load_hud();
        }
    } else if (hud_mode == hud_playing || hud_mode == hud_none) {
        run->finish();
        show_completed_screen();
    }
    update_captions(total);
}

void gs_game::show_completed_screen()
{
    hud_mode = hud_completed;
    if (!gui)
        return;
    gui->destroyAllChildWidget();
    overlay = nullptr;
    show_pointer(true);
    MyGUI::LayoutManager::getInstance().loadLayout("ingame_completed.layout");
    navigation.forget();
    const std::string& file = current_level->get_file_name();
    set_caption("next_level_name", campaign_object::next_level_name(file, campaign));
    attach("back_main_menu");
    attach("next_level_start");
    attach("race_ghost");
    show_completed_record(*gui, run->finish(), context->settings.ghost && !run->is_watching());
    if (MyGUI::Widget* done = gui->findWidgetT("campaign_complete", false))
        done->setVisible(false);
    // A next level without a name of its own still follows.
    if (campaign_object::next_level_file(file, campaign).empty()) {
        if (MyGUI::Widget* done = gui->findWidgetT("campaign_complete", false))
            done->setVisible(true);
        destroy_widget("next_level_name");
        destroy_widget("next_level");
        destroy_widget("next_level_start");
        // The way back is the only button left: centre it.
        if (MyGUI::Widget* back = gui->findWidgetT("back_main_menu", false)) {
            const int room = back->getParent() ? back->getParent()->getWidth()
                                               : MyGUI::RenderManager::getInstance().getViewSize().width;
            back->setPosition((room - back->getWidth()) / 2, back->getTop());
        }
    }
}

void gs_game::menu_frame()
{
    if (menu_state & menu_fading_in) {
        if (overlay_alpha <= 1.0f) {
            overlay_alpha += 2.0f * context->frame_time;
            show_overlay(std::min(overlay_alpha, 1.0f));
        } else {
            menu_state = menu_open;
        }
    } else if (menu_state & menu_open) {
        menu_open_frame();
    } else if (menu_state & menu_fading_out) {
        if (overlay_alpha < 0.0f) {
            show_overlay(0.0f);
            paused = false;
            menu_state = menu_closed;
        } else {
            overlay_alpha -= 3.0f * context->frame_time;
            show_overlay(std::max(overlay_alpha, 0.0f));
            cover.uncover(gui);
            if (menu_loaded) {
                menu_loaded = false;
                show_pointer(false);
                hide_menu();
            }
        }
    }
}

void gs_game::menu_open_frame()
{
    show_overlay(1.0f);
    if (options_asked && gui) {
        options_asked = false;
        hide_menu();
        options = std::make_unique<options_screen>(*context, *gui);
        navigation.forget();
    }
    if (options && options->is_closed())
        close_options();
    if (menu_loaded || options)
        return;
    show_pointer(true);
    if (gui) {
        MyGUI::LayoutManager::getInstance().loadLayout("ingame_menu.layout");
        attach("back_main_menu");
        attach("resume_game");
        attach("restart_game");
        attach("menu_options");
        show_menu_keys(*gui, context->settings.keys, *context->input);
        navigation.forget();
    }
    menu_loaded = true;
}

void gs_game::hide_menu()
{
    for (const char* widget : {"back_main_menu", "restart_game", "resume_game", "menu_options", "menu_heading", "menu_keys"})
        destroy_widget(widget);
}

void gs_game::close_options()
{
    const bool rebound = options->keys_changed();
    options.reset();
    menu_loaded = false;
    if (!rebound)
        return;
    bind_keys();
    if (current_level && current_level->get_player())
        current_level->get_player()->bind_keys();
}

void gs_game::show_overlay(float alpha)
{
    if (!overlay)
        return;
    overlay->setAlpha(alpha);
    // A clear overlay would still be blended over every pixel each frame.
    overlay->setVisible(alpha > 0.0f);
}

void gs_game::update_captions(unsigned int total_seconds)
{
    game_hud::show_captions(gui, *current_level, total_seconds);
}

void gs_game::set_caption(const std::string& widget, const std::string& text)
{
    if (!gui)
        return;
    if (auto* found = gui->findWidget<MyGUI::TextBox>(widget, false))
        found->setCaption(MyGUI::UString(text));
}

void gs_game::attach(const std::string& button)
{
    if (auto* found = gui ? gui->findWidget<MyGUI::Button>(button, false) : nullptr)
        found->eventMouseButtonClick += MyGUI::newDelegate(this, &gs_game::on_button_click);
}

void gs_game::destroy_widget(const std::string& name)
{
    if (MyGUI::Widget* found = gui ? gui->findWidgetT(name, false) : nullptr)
        gui->destroyWidget(found);
}

void gs_game::show_pointer(bool shown)
{
    // The pointer is free while buttons are up; in play it steers the camera.
    context->input->show_pointer(shown);
}

void gs_game::end_state(float)
{
    // The options may be taking this very key.
    if (options)
        return;
    // mapscout has no title screen: Tab ends it.
    if (context->scout)
        running = false;
    else if (run && run->is_watching() && current_level)
        return_to_selection(*this, campaign ? campaign->get_name() : "", current_level->get_file_name());
    else
        return_to_title(*this);
}

void gs_game::take_screenshot(float)
{
    screenshots.held();
}

void gs_game::toggle_menu(float)
{
    const bool new_press = menu_key.pressed();
    // The press that closed the options must not close the menu below them too.
    if (options || menu_key_spent) {
        if (options && new_press)
            options->back();
        menu_key_spent = options || !new_press;
        if (menu_key_spent)
            return;
    }
    open_or_close_menu();
}

void gs_game::open_or_close_menu()
{
    // mapscout has no menu: Escape ends it; a watched run is left.
    if (context->scout || (run && run->is_watching() && hud_mode != hud_completed)) {
        end_state(0.0f);
        return;
    }
    // The completed screen has no overlay and no menu to open.
    if (hud_mode == hud_completed || !current_level)
        return;
    if (menu_state == menu_closed) {
        paused = true;
        menu_state = menu_fading_in;
        cover.cover(gui, overlay);
    } else if (menu_state & menu_open) {
        menu_state = menu_fading_out;
    }
}

void gs_game::restart(float)
{
    // Once per press: the level it starts would see the held key again.
    if (!restart_key.pressed())
        return;
    if (scout && scout->buildable())
        rebuild_level();
    if (!in_play() || paused)
        return;
    play_level(current_level->get_file_name());
}

void gs_game::rebuild_level()
{
    scout_reload::view view;
    view.kept = true;
    view.probe = current_level->get_player()->get_position();
    view.heading = camera->get_camera_node()->getOrientation();
    play_level(current_level->get_file_name());
    params["view"] = view;
}

void gs_game::go_on()
{
    if (navigation.press() || hud_mode != hud_completed || !current_level)
        return;
    // The way on: the next level, or back once the campaign is over.
    press(gui && !gui->findWidgetT("next_level_start", false) ? "back_main_menu" : "next_level_start");
}

void gs_game::focus_lost()
{
    // Alt-tab never costs a life: play freezes behind the in-game menu.
    if (menu_state == menu_closed && in_play())
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
        close_screens();
        return_to_title(*this);
    } else if (button == "next_level_start") {
        play_level(campaign_object::next_level_file(current_level->get_file_name(), campaign));
    } else if (button == "restart_game" || button == "race_ghost") {
        play_level(current_level->get_file_name());
    } else if (button == "menu_options") {
        // Made between frames: the clicked button goes with the menu.
        options_asked = true;
    } else if (button == "resume_game") {
        menu_state = menu_fading_out;
    }
}

void gs_game::close_screens()
{
    cover.forget();
    options.reset();
    options_asked = false;
    menu_loaded = false;
    paused = false;
    menu_state = menu_closed;
    hud_mode = hud_none;
}

void gs_game::play_level(const std::string& file)
{
    close_screens();
    transition_requested = true;
    transition_push = false;
    next_state = "game";
    params["campaign"] = campaign;
    params["level"] = file;
    params["gui"] = gui;
    params["watch"] = false;
}

void gs_game::exit()
{
    options.reset();
    navigation.stop();
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
    overlay = nullptr;
}

void gs_game::pause()
{
    options.reset();
    navigation.stop();
    camera.reset();
    context->scene_manager->destroyAllCameras();
    if (context->window)
        context->window->removeAllViewports();
    context->input->remove_listener(input);
    context->input->set_mouse_captured(false);
    if (gui)
        gui->destroyAllChildWidget();
    overlay = nullptr;
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
