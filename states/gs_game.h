#pragma once

// The in-game state, registered as "game": plays one level. Entering builds
// the level named by the "level" parameter and the camera that follows the
// ball, and shows the heads-up display on the "gui" parameter's GUI. Every
// frame advances the level, the camera and the physics until the target is
// reached; then the completed screen offers the next level of the
// "campaign" (Return takes it, unless the arrow keys highlighted another
// button). Escape fades in the in-game menu (resume, restart, options, back
// to the main menu) and freezes play, as does the window losing the focus; R
// restarts at once; Tab leaves the level for the title screen (in
// mapscout it ends the program); Print Screen writes screenshots. Without a
// GUI the level plays without display and menu. Each play is recorded and
// raced against the level's best run (or its gold run: the "gold" parameter,
// and on a first play); with the "watch" parameter that run plays instead,
// and Escape or Tab leaves it for the level selection. The campaign's medal
// times for the level go with the run. Play begins at "Go!" after the start
// card and "Ready" (race_start); the "start" parameter (a race_start::phase)
// begins a restart at Ready.

#include "app/game_state.h"
#include "app/input_listener.h"
#include "app/single_press.h"
#include "mapscout/editor/level_editor.h"
#include "mapscout/scout_reload.h"
#include "menus/challenge_screen.h"
#include "menus/finish_screen.h"
#include "menus/ingame_menu.h"
#include "menus/menu_navigation.h"
#include "play/race_start.h"
#include "screenshot_key.h"

#include <memory>
#include <string>

class campaign_object;
class challenge_run;
class game_camera;
class level;
class level_run;
struct run_plan;
namespace MyGUI {
class Widget;
}

class gs_game : public game_state {
public:
    enum hud_mode_type { hud_none = 0, hud_playing = 1, hud_completed = 2 };

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
    // A click skips the start card.
    void skip_card(float, const mouse_state&);
    // Return on the completed screen presses its first button.
    void go_on();
    void focus_lost() override;
    void on_button_click(MyGUI::Widget* sender);
    // The same, by the button's name.
    void press(const std::string& button);

    level* get_level() const { return current_level.get(); }
    level_run* get_run() const { return run.get(); }
    const race_start* get_start() const { return start.get(); }
    const scout_reload* get_scout() const { return scout.get(); }
    level_editor* get_editor() const { return editor.get(); }
    int get_hud_mode() const { return hud_mode; }
    const ingame_menu& get_menu() const { return menu; }

private:
    // The keys of this state as the settings bind them now.
    void bind_keys();
    // Fades the in-game menu in, or out once it is fully open.
    void open_or_close_menu();
    // The keys as the options bound them anew.
    void rebind_keys();
    bool load_level(const std::string& file, const run_plan& plan);
    // The start card, Ready and Go of the level just loaded.
    void begin_race(const state_params& params, const std::string& file);
    // Forgets the menu and the completed screen of the level being left.
    void close_screens();
    // Replaces this level by `file` (restart or the next level), racing the
    // gold run when `gold`, its start beginning at `first`.
    void play_level(const std::string& file, bool gold, race_start::phase first);
    void play_frame();
    // mapscout: the level built again from its file, the probe's view kept.
    void rebuild_level();
    // mapscout's editor: its frame, and what it asks for carried out.
    void editor_frame();
    // A player's own level before its finish: not mapscout, not a watched run.
    bool in_play() const;
    void show_completed_screen();
    // R or the menu's Restart: the level again (in a challenge, for a ball).
    void start_again();
    // A challenge's level finished: the next one, or the end.
    void next_in_challenge();
    // Keeps the challenge's record and shows its end.
    void end_challenge();
    // Leaving the level in a challenge ends it, counted as far as it got.
    void leave_challenge();
    void load_hud();
    void update_captions(unsigned int total_seconds);
    void show_pointer(bool shown);

    std::unique_ptr<game_camera> camera;
    std::unique_ptr<level> current_level;
    std::unique_ptr<level_run> run;
    std::unique_ptr<race_start> start;
    int hud_mode = hud_none;
    // The player chose to race the gold run (the "gold" parameter).
    bool race_gold = false;
    // The world record's run (the "world" parameter).
    bool race_world = false;
    input_listener input;
    campaign_object* campaign = nullptr;
    screenshot_key screenshots{context};
    single_press restart_key;
    single_press menu_key;
    // Arrows and Return in the in-game menu, the options and the completed screen.
    menu_navigation navigation;
    ingame_menu menu;
    finish_screen completed;
    // The campaign played in one go (the "challenge" parameter), if it is.
    std::shared_ptr<challenge_run> challenge;
    challenge_screen challenge_end;
    // mapscout's watch on the level file, made with its first level.
    std::unique_ptr<scout_reload> scout;
    // mapscout's editor, which keeps the level being edited across builds.
    std::unique_ptr<level_editor> editor;
};
