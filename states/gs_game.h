#pragma once

// The in-game state, registered as "game": plays one level. Entering builds
// the level named by the "level" parameter and the camera that follows the
// ball, and shows the heads-up display on the "gui" parameter's GUI. Every
// frame advances the level, the camera and the physics until the target is
// reached; then the completed screen offers the next level of the
// "campaign" (Return takes it, unless the arrow keys highlighted another button). Escape fades in the in-game menu (resume, restart, options, back to the
// main menu) and freezes play, as does the window losing the focus; R
// restarts at once; Tab leaves the level for the title screen (in
// mapscout it ends the program); Print Screen writes screenshots. Without a
// GUI the level plays without display and menu. Each play is recorded and
// raced against the level's best run; with the "watch" parameter the best
// run plays instead, and Escape or Tab leaves it for the level selection.

#include "app/game_state.h"
#include "app/input_listener.h"
#include "app/single_press.h"
#include "mapscout/scout_reload.h"
#include "menus/menu_navigation.h"
#include "menus/options_screen.h"
#include "menus/screen_cover.h"
#include "screenshot_key.h"

#include <memory>
#include <string>

class campaign_object;
class game_camera;
class level;
class level_run;
namespace MyGUI {
class ImageBox;
class Widget;
}

class gs_game : public game_state {
public:
    enum hud_mode_type { hud_none = 0, hud_playing = 1, hud_completed = 2 };
    static constexpr unsigned short menu_closed = 0;
    static constexpr unsigned short menu_fading_in = 1;
    static constexpr unsigned short menu_open = 2;
    static constexpr unsigned short menu_fading_out = 4;

    explicit gs_game(game_context* context);
    ~gs_game() override;

    void enter(const state_params& params) override;
    void pause() override;
    void resume() override;
    void exit() override;
    void update() override;
    // The in-game menu once it is fully open, and the completed screen.
    bool is_still() const override;

    void end_state(float);
    void take_screenshot(float);
    void toggle_menu(float);
    // Starts the level again at once (R unless the settings bind another key).
    void restart(float);
    // Return on the completed screen presses its first button.
    void go_on();
    void focus_lost() override;
    void on_button_click(MyGUI::Widget* sender);
    // The same, by the button's name.
    void press(const std::string& button);

    level* get_level() const { return current_level.get(); }
    level_run* get_run() const { return run.get(); }
    const scout_reload* get_scout() const { return scout.get(); }
    int get_hud_mode() const { return hud_mode; }
    unsigned short get_menu_state() const { return menu_state; }
    float get_overlay_alpha() const { return overlay_alpha; }
    bool is_menu_loaded() const { return menu_loaded; }

private:
    // The keys of this state as the settings bind them now.
    void bind_keys();
    // Fades the in-game menu in, or out once it is fully open.
    void open_or_close_menu();
    void hide_menu();
    void menu_open_frame();
    // Back from the options to the menu, taking keys bound anew.
    void close_options();
    bool load_level(const std::string& file, bool watch);
    // Forgets the menu and the completed screen of the level being left.
    void close_screens();
    // Replaces this level by `file` (restart or the next level).
    void play_level(const std::string& file);
    void play_frame();
    // mapscout: the level built again from its file, the probe's view kept.
    void rebuild_level();
    // A player's own level before its finish: not mapscout, not a watched run.
    bool in_play() const;
    void menu_frame();
    void show_overlay(float alpha);
    void show_completed_screen();
    void load_hud();
    void update_captions(unsigned int total_seconds);
    void set_caption(const std::string& widget, const std::string& text);
    void attach(const std::string& button);
    void destroy_widget(const std::string& name);
    void show_pointer(bool shown);

    std::unique_ptr<game_camera> camera;
    std::unique_ptr<level> current_level;
    std::unique_ptr<level_run> run;
    int hud_mode = hud_none;
    unsigned short menu_state = menu_closed;
    bool menu_loaded = false;
    MyGUI::ImageBox* overlay = nullptr;
    float overlay_alpha = 0.0f;
    input_listener input;
    campaign_object* campaign = nullptr;
    screenshot_key screenshots{context};
    single_press restart_key;
    single_press menu_key;
    // Arrows and Return in the in-game menu, the options and the completed screen.
    menu_navigation navigation;
    // Over the paused game, from the menu's Options button.
    std::unique_ptr<options_screen> options;
    bool options_asked = false;
    // The menu key was last pressed for the options: it acts again once let go.
    bool menu_key_spent = false;
    // The play view's words, hidden while the menu covers the game.
    screen_cover cover;
    // mapscout's watch on the level file, made with its first level.
    std::unique_ptr<scout_reload> scout;
};
