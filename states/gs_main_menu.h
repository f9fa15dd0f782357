#pragma once

// The first state of the game, registered as "main_menu": the title screen
// and the level selection, over a level seen from a circling camera
// (title_scenery; a plain white screen when the settings turn it off), with
// menu music. It makes
// the program's GUI each time it is entered and hands it to the in-game state
// with the campaign and level chosen on the level selection (level_selection). The arrow keys and Return drive every
// screen (menu_navigation); Return on the highlighted level list, like a
// double click on a level, starts that level. Escape on the level selection goes back
// to the title screen; on the title screen Escape asks whether to quit, and
// Quit leaves the state at once, which ends the program when it is the only
// one. Return starts the first level, as the first of its campaign, while no
// control is highlighted; Print Screen writes a screenshot. Entered with
// "chosen_campaign" and "chosen_level" (back from watching a run), it opens
// on the level selection with that level chosen.
//
// The campaigns it reads are kept for the whole run: the in-game state plays
// on with the campaign it was given after the menu has gone.

#include "app/game_state.h"
#include "app/input_listener.h"
#include "level_selection.h"
#include "menus/menu_navigation.h"
#include "menus/more_levels_screen.h"
#include "menus/options_screen.h"
#include "menus/quit_question.h"
#include "menus/screen_notice.h"
#include "online/level_sharing.h"
#include "scenery/title_scenery.h"
#include "screenshot_key.h"

#include <memory>
#include <string>

namespace MyGUI {
class OgrePlatform;
class Widget;
}
namespace Ogre {
class Camera;
class Viewport;
}

class gs_main_menu : public game_state {
public:
    explicit gs_main_menu(game_context* context);
    ~gs_main_menu() override;

    void enter(const state_params& params) override;
    void pause() override;
    void resume() override;
    void exit() override;
    void update() override;
    // The title screen and the level selection only change when clicked.
    bool is_still() const override;
    // The scenery behind them moves slowly.
    int idle_frame_rate() const override;

    void on_button_click(MyGUI::Widget* sender);

private:
    void setup_menu_camera();
    void leave();
    void start_music();
    void show_main_menu();
    // The selection, with the level `level_file` of `campaign_name` chosen
    // when they are listed.
    void show_level_selection(const std::string& campaign_name = "", const std::string& level_file = "");
    void show_options();
    void show_help_page();
    void show_more_levels();
    // Each frame: plays a level fetched on More levels, and tells what
    // became of sharing one.
    void follow_sharing();
    // Made when first needed: the online service comes after the states.
    level_sharing* sharing();
    void attach(const std::string& button);
    // A key pressed on a menu screen that the arrows' navigation left.
    void take_key(key_code key);
    void go_back();
    // The campaign played in one go from its first level.
    void start_challenge(campaign_object& campaign);
    void close_question();
    void quick_start();
    void take_screenshot(float);

    Ogre::Camera* menu_camera = nullptr;
    Ogre::Viewport* menu_viewport = nullptr;
    input_listener input;
    menu_navigation navigation;
    // The screen on show; Escape goes back from any other to the title screen.
    enum class screen { title, selection, options, help, more };
    screen shown = screen::title;
    // Keeps the campaigns: the in-game state plays on with the one it was given.
    level_selection selection;
    // While the options are shown.
    std::unique_ptr<options_screen> options;
    // While More levels is shown.
    std::unique_ptr<more_levels_screen> more_levels;
    std::unique_ptr<level_sharing> shared_levels;
    screen_notice notice;
    unsigned noticed_changes = 0;
    // While Escape on the title screen asks whether to quit.
    std::unique_ptr<quit_question> question;
    std::unique_ptr<MyGUI::OgrePlatform> platform;
    screenshot_key screenshots{context};
    title_scenery scenery{*context};
};
