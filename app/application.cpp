#include "application.h"

#include "display_rate.h"
#include "frame_limiter.h"
#include "game_folders.h"
#include "game_state.h"
#include "input_manager.h"
#include "log.h"
#include "physics/physics_world.h"
#include "render_settings.h"
#include "settings_store.h"
#include "sound_device.h"
#include "window_events.h"
#include "window_mode.h"
#include "window_size.h"
#include "x_error_report.h"

// Upward on purpose: the application makes the game's two states and tells
// the level files where the player's add-on levels lie, once at start-up.
#include "level/level_files.h"
#include "states/gs_game.h"
#include "states/gs_main_menu.h"
// The game goes online; the application only makes its service and gives it frames.
#include "online/curl_transport.h"
#include "online/online_service.h"

#include <Bites/OgreBitesConfigDialog.h>
#include <OgreConfigFile.h>
#include <OgreLogManager.h>
#include <OgreRenderWindow.h>
#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace {

application* the_instance = nullptr;
// A menu that shows a still picture needs no more; input is still read every
// frame, 33 ms apart.
constexpr int still_rate = 30;
// See make_root: never destroyed.
std::exception_ptr* kept_plugin_error = nullptr;

}

application::application()
{
    the_instance = this;
}

application::~application()
{
    // Its thread ends before anything it may answer into.
    online.reset();
    if (scene_manager) {
        scene_manager->destroyAllCameras();
        scene_manager->destroyAllLights();
        scene_manager->destroyAllEntities();
        window->removeAllViewports();
        world->destroy_all_scenes();
        sound.reset();
        input.reset();
        pads.reset();
        world.reset();
    }
    modes.reset();
    events.reset();
    state_stack.clear();
    states.clear();
    // The root goes last so that nothing above still uses OGRE; ending the
    // process with it alive would leave the window and plug-ins unreleased.
    delete root;
    root = nullptr;
    log_manager.reset();
    the_instance = nullptr;
}

application* application::instance()
{
    return the_instance;
}

bool application::start(std::string app_name, const std::string& video_mode)
{
    this->app_name = app_name;
    folders = std::make_unique<game_folders>(game_folders::prepare(
        data_root::executable_folder(), [](const char* name) -> const char* { return std::getenv(name); }));
    const std::string log_file = folders->user().log_file().string();
    // The log goes to ogre.log only; OGRE would echo every line to the console.
    log_manager = std::make_unique<Ogre::LogManager>();
    log_manager->createLog(log_file, true, false, false);
    if (!folders->log_problem().empty())
        std::cerr << folders->log_problem() << std::endl;
    settings_file = std::make_unique<settings_store>(folders->user().settings_file());
    const game_settings& settings = settings_file->loaded();
    context = std::make_unique<game_context>();
    context->settings = settings;
    context->settings_file = settings_file.get();
    check_x_display();
    root = make_root(log_file);
    if (!configure(video_mode))
        return false;
    // The game's setting decides over config.cfg's VSync, which only OGRE's dialog shows.
    window->setVSyncEnabled(settings.vsync);
    play_rate = display_rate(window);
    redraw = idle_redraw(settings.frame_cap);
    if (settings.frame_cap)
        log_line("At most " + std::to_string(play_rate) + " frames a second in play, " +
                 std::to_string(still_rate) + " in still menus");
    scene_manager = root->createSceneManager();
    input = std::make_unique<input_manager>();
    pads = std::make_unique<gamepad>();
    input->set_gamepad(pads.get(), [this](gamepad::button b) { return pad_key(b); });
    modes = std::make_unique<window_mode>(window, input.get(), screen_modes);
    world = std::make_unique<physics_world>();
    sound = sound_device::create();
    context->root = root;
    context->scene_manager = scene_manager;
    context->window = window;
    context->world = world.get();
    context->input = input.get();
    context->window_changer = modes.get();
    context->sound = sound.get();
    sound->set_music_volume(settings.music_gain());
    sound->set_effects_volume(settings.effects_gain());
    input->set_button_answer([this] { sound->play_effect(sound_device::effect_file("menu_click"), 1.0f, 0.0f); });
    context->screenshot_folder = folders->user().screenshot_folder().string();
    context->progress_folder = folders->user().progress_folder().string();
    const std::filesystem::path addons = folders->user().addon_level_folder();
    if (const std::string problem = user_folders::try_create(addons); !problem.empty())
        log_line("The add-on level folder cannot be made: " + problem);
    level_files::set_addon_folder(addons);
    context->gui_log_file = (folders->user().log_file().parent_path() / "MyGUI.log").string();
    load_resources();
    return true;
}

Ogre::Root* application::make_root(const std::string& log_file)
{
    const std::string plugins = (folders->data().folder() / "plugins.cfg").string();
    Ogre::Root* made = nullptr;
    try {
        made = new Ogre::Root("plugins.cfg", folders->user().config_file().string(), log_file);
    } catch (const Ogre::Exception& e) {
        // A plug-in that failed to install threw this, and the half-built
        // root has unloaded it already: destroying the exception would run
        // code no longer mapped, so it is kept until the process ends.
        kept_plugin_error = new std::exception_ptr(std::current_exception());
        throw std::runtime_error("OGRE could not start the plug-ins that " + plugins + " names (" +
                                 e.getDescription() + "): check its PluginFolder, or " + folders->data().cure());
    }
    if (made->getAvailableRenderers().empty()) {
        delete made;
        throw std::runtime_error("The plug-in list " + plugins + " loads no render system: it needs "
                                 "Plugin=RenderSystem_GL; " + folders->data().cure());
    }
    return made;
}

bool application::configure(const std::string& video_mode)
{
    if (!root->restoreConfig()) {
        // Scripted runs have nobody to answer the dialog.
        if (std::getenv("QUILLAX_NO_DIALOG"))
            throw std::runtime_error("config.cfg is missing or names no usable render system; " +
                                     folders->settings_cure());
        if (!root->showConfigDialog(OgreBites::getNativeConfigDialog()))
            return false;
    }
    apply_video_settings(video_mode);
    const std::string problem = render_settings_problem(root->getRenderSystem()->getConfigOptions());
    if (!problem.empty())
        throw std::runtime_error(problem + "; " + folders->settings_cure());
    report_x_errors();
    window = root->initialise(true, app_name, Ogre::BLANKSTRING);
    events = std::make_unique<window_events>(window);
    return true;
}

void application::apply_video_settings(const std::string& video_mode)
{
    Ogre::RenderSystem* renderer = root->getRenderSystem();
    // Setting an option may rebuild the render system's table: look it up afresh each time.
    const auto option = [renderer](const std::string& name) {
        const Ogre::ConfigOptionMap& options = renderer->getConfigOptions();
        const auto found = options.find(name);
        return found == options.end() ? Ogre::ConfigOption() : found->second;
    };
    const game_settings& settings = context->settings;
    const Ogre::StringVector x_modes = option("Video Mode").possibleValues;
    screen_modes.assign(x_modes.begin(), x_modes.end());
    // For this run only: OGRE writes config.cfg from its dialog alone.
    if (settings.fullscreen)
        renderer->setConfigOption("Full Screen", *settings.fullscreen ? "Yes" : "No");
    const bool fullscreen = option("Full Screen").currentValue == "Yes";
    const bool offered = std::find(x_modes.begin(), x_modes.end(), settings.window_size) != x_modes.end();
    if (!video_mode.empty())
        renderer->setConfigOption("Video Mode", video_mode);
    else if (!settings.window_size.empty() && fullscreen && !offered)
        log_line("The screen does not offer the window size " + settings.window_size + "; using config.cfg's");
    else if (!settings.window_size.empty())
        renderer->setConfigOption("Video Mode", settings.window_size);
    context->fullscreen_now = fullscreen;
    context->window_size_now = option("Video Mode").currentValue;
    context->window_sizes = window_sizes({x_modes.begin(), x_modes.end()}, context->window_size_now);
}

key_code application::pad_key(gamepad::button b) const
{
    switch (b) {
    case gamepad::button::a: return KC_RETURN;
    case gamepad::button::b: return KC_ESCAPE;
    case gamepad::button::start: return context->settings.keys.key(key_bindings::menu);
    case gamepad::button::up: return KC_UP;
    case gamepad::button::down: return KC_DOWN;
    case gamepad::button::left: return KC_LEFT;
    case gamepad::button::right: return KC_RIGHT;
    }
    return KC_RETURN;
}

void application::add_resource_locations(const std::string& file, const std::string& cure)
{
    Ogre::ConfigFile config;
    config.load(file, "\t:=", true);
    for (const auto& section : config.getSettingsBySection())
        for (const auto& setting : section.second) {
            // OGRE would carry on without the folder and the game would show
            // nothing where its meshes or menus should be.
            if (setting.first == "FileSystem" && !std::filesystem::is_directory(setting.second))
                throw std::runtime_error("The folder " + std::filesystem::absolute(setting.second).string() +
                                         " named in " + std::filesystem::absolute(file).string() +
                                         " is missing: the game's media are incomplete; " + cure);
            Ogre::ResourceGroupManager::getSingleton().addResourceLocation(
                setting.second, setting.first, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME, false);
        }
}

void application::load_resources()
{
    add_resource_locations("resources.cfg", folders->data().cure());
    Ogre::ResourceGroupManager::getSingleton().initialiseAllResourceGroups();
}

void application::run(std::string app_name)
{
    if (!start(app_name))
        return;
    online = std::make_unique<online_service>(folders->user().config_folder(), folders->user().data_folder(),
                                              [] { return std::make_shared<curl_transport>(); });
    context->online = online.get();
    gs_main_menu main_menu(context.get());
    gs_game game(context.get());
    push_state("main_menu", state_params());
    main_loop();
}

void application::run_level(std::string level_file)
{
    if (!start(level_file))
        return;
    context->scout = true;
    // mapscout plays drafts: a run of one is no record of the level's.
    context->progress_folder.clear();
    gs_game game(context.get());
    state_params params;
    params["level"] = level_file;
    push_state("game", params);
    main_loop();
}

void application::main_loop()
{
    frame_limiter limiter(context->settings.frame_cap);
    while (!state_stack.empty()) {
        run_frame();
        if (!state_stack.empty())
            limiter.wait(state_stack.back()->is_still() ? still_rate : play_rate);
    }
}

void application::run_frame()
{
    const float frame_time = frames.begin_frame();
    context->frame_time = frame_time;
    if (online)
        online->frame(frame_time);
    state_stack.back()->update();
    input->capture(frame_time);
    const game_state* top = state_stack.back();
    const bool drawn = redraw.draw(top->is_still(), input->acted(), frame_time, top->idle_frame_rate());
    if (drawn && window->isActive())
        root->renderOneFrame();
    else if (drawn && window->isVisible())
        window->update(true);
    frames.end_frame();
    events->pump();
    if (events->destroyed()) {
        exit_all_states();
        return;
    }
    if (events->take_close_request()) {
        window_closing();
        if (state_stack.empty())
            return;
    }
    if (events->take_focus_loss())
        state_stack.back()->focus_lost();
    if (events->take_resize())
        modes->follow();
    process_requests();
}

void application::process_requests()
{
    if (state_stack.empty())
        return;
    std::string name;
    bool push = true;
    game_state* top = state_stack.back();
    if (top->get_transition(name, push)) {
        // The presses of this frame were the leaving state's: the state that
        // comes must not take the same Escape or Return again.
        if (input)
            input->forget_presses();
        const state_params params = top->get_params();
        if (push)
            push_state(name, params);
        else
            change_state(name, params);
    }
    if (state_stack.empty())
        return;
    top = state_stack.back();
    if (!top->running) {
        top->running = true;
        if (input)
            input->forget_presses();
        pop_state();
    }
}

void application::exit_all_states()
{
    while (!state_stack.empty()) {
        game_state* top = state_stack.back();
        top->exit();
        state_stack.pop_back();
    }
}

void application::window_closing()
{
    if (!may_close || may_close())
        exit_all_states();
}

int application::register_state(std::string name, game_state* state)
{
    if (find_state(name)) {
        log_line("***Spielzustand " + name + " ist bereits registriert***");
        return 1;
    }
    states[name] = state;
    log_line("***Spielzustand " + name + " wurde erfoglreich registriert***");
    return 0;
}

int application::unregister_state(std::string name)
{
    if (!find_state(name))
        return 1;
    states.erase(name);
    log_line("***Spielzustand " + name + " wurde erfoglreich gelöscht***");
    return 0;
}

game_state* application::find_state(std::string name)
{
    const auto found = states.find(name);
    return found == states.end() ? nullptr : found->second;
}

int application::push_state(std::string name, const state_params& params)
{
    game_state* target = find_state(name);
    if (!target)
        return 1;
    if (!state_stack.empty())
        state_stack.back()->pause();
    state_stack.push_back(target);
    target->enter(params);
    frames.restart();
    return 0;
}

int application::change_state(std::string name, const state_params& params)
{
    game_state* target = find_state(name);
    if (!target)
        return 1;
    if (!state_stack.empty()) {
        state_stack.back()->exit();
        state_stack.pop_back();
    }
    state_stack.push_back(target);
    target->enter(params);
    frames.restart();
    return 0;
}

int application::pop_state()
{
    if (!state_stack.empty()) {
        state_stack.back()->exit();
        state_stack.pop_back();
    }
    if (!state_stack.empty())
        state_stack.back()->resume();
    frames.restart();
    return 0;
}
