#include "gs_main_menu.h"

#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/sound_device.h"
#include "addon_campaigns.h"
#include "level/level_files.h"
#include "level_entry.h"
#include "menus/help_card.h"
#include "menus/quit_question.h"
#include "play/challenge_run.h"

#include <MyGUI.h>
#include <MyGUI_OgrePlatform.h>
#include <OgreCamera.h>
#include <OgreRenderWindow.h>
#include <OgreResourceGroupManager.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreViewport.h>

#include <boost/bind/bind.hpp>

using namespace boost::placeholders;

namespace {

const std::string group = Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME;

}

gs_main_menu::gs_main_menu(game_context* context)
    : game_state(context, "main_menu"), input("gs_main_menu_input"),
      navigation(*context->input)
{
    input.bind_key(KC_SYSRQ, boost::bind(&gs_main_menu::take_screenshot, this, _1));
}

gs_main_menu::~gs_main_menu()
{
    // A destructor must not throw: a GUI that failed half-way through its
    // set-up (missing media) is released as far as it got.
    try {
        options.reset();
        if (gui) {
            gui->shutdown();
            delete gui;
            gui = nullptr;
        }
        if (platform)
            platform->shutdown();
    } catch (const std::exception& e) {
        log_line(std::string("The GUI could not be shut down completely: ") + e.what());
    }
}

void gs_main_menu::setup_menu_camera()
{
    Ogre::SceneManager* scene_manager = context->scene_manager;
    scenery.hide();
    scene_manager->clearScene();
    scene_manager->destroyAllCameras();
    context->window->removeAllViewports();
    menu_camera = scene_manager->createCamera("main_menu_camera");
    Ogre::SceneNode* node = scene_manager->getRootSceneNode()->createChildSceneNode();
    node->attachObject(menu_camera);
    node->lookAt(Ogre::Vector3(1, 1, 1), Ogre::Node::TS_WORLD);
    menu_viewport = context->window->addViewport(menu_camera, 0, 0, 0, 1, 1);
    menu_viewport->setBackgroundColour(Ogre::ColourValue(1, 1, 1, 1));
    menu_camera->setAspectRatio(Ogre::Real(menu_viewport->getActualWidth()) /
                                Ogre::Real(menu_viewport->getActualHeight()));
    menu_camera->setNearClipDistance(0.5);
    menu_camera->setFarClipDistance(100);
    scenery.show(menu_viewport);
}

void gs_main_menu::enter(const state_params& given)
{
    setup_menu_camera();
    context->input->add_listener(input);
    if (gui) {
        gui->shutdown();
        delete gui;
    }
    // The platform is made once: it outlives every GUI the menu makes.
    if (!platform) {
        platform = std::make_unique<MyGUI::OgrePlatform>();
        platform->initialise(context->window, context->scene_manager, group, context->gui_log_file);
        // MyGUI.log keeps its messages; the console stays quiet.
        MyGUI::LogManager::getInstance().setSTDOutputEnabled(false);
    }
    gui = new MyGUI::Gui();
    gui->initialise("core.xml");
    MyGUI::LayoutManager::getInstance().loadLayout("level_selection.layout");
    gui->destroyAllChildWidget();
    navigation.start(gui);
    // Back from watching a run: where the player chose it.
    const std::string chosen = param_or<std::string>(given, "chosen_level", "");
    if (chosen.empty())
        show_main_menu();
    else
        show_level_selection(param_or<std::string>(given, "chosen_campaign", ""), chosen);
    start_music();
}

void gs_main_menu::resume()
{
    setup_menu_camera();
    context->input->add_listener(input);
    navigation.start(gui);
    show_main_menu();
    start_music();
}

void gs_main_menu::pause()
{
    leave();
}

void gs_main_menu::exit()
{
    leave();
}

void gs_main_menu::leave()
{
    question.reset();
    options.reset();
    more_levels.reset();
    navigation.stop();
    scenery.hide();
    context->scene_manager->destroyAllCameras();
    context->window->removeAllViewports();
    if (gui) {
        gui->destroyAllChildWidget();
        MyGUI::PointerManager::getInstance().setVisible(false);
    }
    context->input->set_gui(nullptr);
    context->input->remove_listener(input);
    context->scene_manager->clearScene();
    context->sound->stop_all();
}

void gs_main_menu::update()
{
    if (options && options->is_closed())
        show_main_menu();
    navigation.update(options && options->takes_keys(), [this](key_code key) { take_key(key); });
    if (question && question->get_answer() == quit_question::answer::quit)
        running = false;
    else if (question && question->get_answer() == quit_question::answer::stay)
        close_question();
    if (shown == screen::selection)
        selection.frame();
    follow_sharing();
    screenshots.update(gui, context->frame_time);
    scenery.update();
}

void gs_main_menu::take_key(key_code key)
{
    // Return presses whatever the arrows highlighted, on any screen.
    if (key == KC_RETURN && navigation.press())
        return;
    if (question)
        question->key(key);
    else if (key == KC_ESCAPE)
        go_back();
    else if (key == KC_RETURN)
        quick_start();
}

bool gs_main_menu::is_still() const
{
    return true;
}

int gs_main_menu::idle_frame_rate() const
{
    return scenery.frame_rate();
}

void gs_main_menu::start_music()
{
    music = context->sound->play_looped("media/audio/main_menu_bg.ogg");
    if (!music)
        log_line("Sound: main_menu_bg.ogg in media/audio/ nicht gefunden");
}

void gs_main_menu::attach(const std::string& button)
{
    if (auto* found = gui->findWidget<MyGUI::Button>(button, false))
        found->eventMouseButtonClick += MyGUI::newDelegate(this, &gs_main_menu::on_button_click);
}

void gs_main_menu::show_main_menu()
{
    question.reset();
    options.reset();
    more_levels.reset();
    gui->destroyAllChildWidget();
    MyGUI::LayoutManager::getInstance().loadLayout("main_menu.layout");
    navigation.forget();
    attach("main_menu_start");
    attach("main_menu_options");
    attach("main_menu_help");
    attach("main_menu_more");
    attach("main_menu_quit");
    shown = screen::title;
    context->input->set_gui(gui);
    context->input->show_pointer(true);
}

void gs_main_menu::show_options()
{
    gui->destroyAllChildWidget();
    options = std::make_unique<options_screen>(*context, *gui);
    navigation.forget();
    shown = screen::options;
}

void gs_main_menu::show_help_page()
{
    gui->destroyAllChildWidget();
    show_help(*gui, context->settings.keys);
    attach("help_back");
    navigation.forget();
    shown = screen::help;
}

level_sharing* gs_main_menu::sharing()
{
    if (!shared_levels && context->online)
        shared_levels = std::make_unique<level_sharing>(*context->online, level_files::addon_folder(), ".");
    return shared_levels.get();
}

void gs_main_menu::show_more_levels()
{
    if (!sharing())
        return;
    gui->destroyAllChildWidget();
    more_levels = std::make_unique<more_levels_screen>(*gui, *sharing());
    attach("more_levels_back");
    navigation.forget();
    shown = screen::more;
}

void gs_main_menu::follow_sharing()
{
    if (!shared_levels)
        return;
    if (more_levels) {
        more_levels->frame();
        const std::string fetched = more_levels->take_level();
        if (!fetched.empty()) {
            more_levels.reset();
            show_level_selection(addon_campaigns::loose_levels_name, fetched);
            if (selection.chosen_level() && selection.chosen_level()->get_file_name() == fetched)
                if (MyGUI::Widget* start = gui->findWidgetT("level_start", false))
                    on_button_click(start);
            return;
        }
    }
    // The selection's Share answers in a notice; More levels has its own line.
    if (shared_levels->changes() != noticed_changes) {
        noticed_changes = shared_levels->changes();
        if (shown == screen::selection)
            notice.show(gui, shared_levels->status(), 6.0f);
    }
    notice.update(gui, context->frame_time);
}

void gs_main_menu::show_level_selection(const std::string& campaign_name, const std::string& level_file)
{
    gui->destroyAllChildWidget();
    MyGUI::LayoutManager::getInstance().loadLayout("level_selection.layout");
    shown = screen::selection;
    navigation.forget();
    attach("level_start");
    attach("level_back");
    attach("level_watch");
    attach("level_watch_gold");
    attach("level_watch_world");
    attach("level_ghost");
    attach("level_challenge");
    attach("level_share");
    selection.go_online(context->online, sharing());
    selection.show(*gui, context->progress_folder, param_or<campaign_object*>(params, "campaign", nullptr),
                   campaign_name, level_file, [this] {
                       if (MyGUI::Widget* start = gui->findWidgetT("level_start", false))
                           on_button_click(start);
                   });
}

void gs_main_menu::on_button_click(MyGUI::Widget* sender)
{
    const std::string& name = sender->getName();
    if (name == "main_menu_start") {
        show_level_selection();
    } else if (name == "main_menu_options") {
        show_options();
    } else if (name == "main_menu_help") {
        show_help_page();
    } else if (name == "main_menu_more") {
        show_more_levels();
    } else if (name == "level_share") {
        selection.share();
    } else if (name == "main_menu_quit") {
        // The button says what it does: no question.
        running = false;
    } else if (name == "level_back" || name == "help_back" || name == "more_levels_back") {
        show_main_menu();
    } else if (name == "level_ghost") {
        selection.toggle_ghost();
    } else if (name == "level_challenge" && selection.chosen_campaign() &&
               !selection.chosen_campaign()->get_levels().empty()) {
        start_challenge(*selection.chosen_campaign());
    } else if ((name == "level_start" || name == "level_watch" || name == "level_watch_gold" ||
                name == "level_watch_world") &&
               selection.chosen_level()) {
        transition_requested = true;
        next_state = "game";
        transition_push = false;
        params["campaign"] = selection.chosen_campaign();
        params["level"] = selection.chosen_level()->get_file_name();
        params["gui"] = gui;
        params["watch"] = name != "level_start";
        params["gold"] = name == "level_watch_gold" || (name == "level_start" && selection.races_gold());
        params["world"] = name == "level_watch_world" || (name == "level_start" && selection.races_world());
        params["challenge"] = std::shared_ptr<challenge_run>();
    }
}

void gs_main_menu::start_challenge(campaign_object& campaign)
{
    auto challenge = std::make_shared<challenge_run>(campaign.get_name(), campaign.level_files());
    log_line("Challenge: " + campaign.get_name());
    transition_requested = true;
    next_state = "game";
    transition_push = false;
    params["campaign"] = &campaign;
    params["level"] = challenge->current_level();
    params["gui"] = gui;
    params["watch"] = false;
    params["gold"] = selection.races_gold();
    params["world"] = false;
    params["challenge"] = challenge;
}

void gs_main_menu::go_back()
{
    // Escape may be the key the options screen is taking.
    if (options && options->takes_keys())
        return;
    if (shown != screen::title) {
        show_main_menu();
        return;
    }
    question = std::make_unique<quit_question>(*gui);
    navigation.forget();
}

void gs_main_menu::close_question()
{
    question.reset();
    navigation.forget();
}

void gs_main_menu::quick_start()
{
    // Return belongs to the options and help screens while they are up.
    if (shown == screen::options || shown == screen::help || shown == screen::more)
        return;
    const std::string first = "level_01.map";
    transition_requested = true;
    next_state = "game";
    transition_push = true;
    // Played as the first level of its campaign, so the next one follows.
    params["campaign"] = selection.campaign_listing(first);
    params["level"] = first;
    params["gui"] = gui;
    params["watch"] = false;
    params["gold"] = false;
    params["world"] = false;
    params["challenge"] = std::shared_ptr<challenge_run>();
}

void gs_main_menu::take_screenshot(float)
{
    screenshots.held();
}
