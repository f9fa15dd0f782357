#pragma once

// The root of the running program: finds its folders (game_folders.h), starts
// OGRE from plugins.cfg, config.cfg and resources.cfg, opens the render window, creates the scene manager, the
// input manager, the physics world and the sound device, gathers them in the
// game_context and runs the main loop until no game state is left. When X
// has resized the window, what depends on its size follows between frames.
//
// It also holds the state manager: the registry of named states and the state
// stack (top at the back). Neither owns the states; run() and run_level()
// construct them as locals. There is one application per process; states
// reach it through instance().

#include "frame_timer.h"
#include "game_context.h"
#include "gamepad.h"
#include "idle_redraw.h"
#include "input_codes.h"
#include "state_params.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class game_folders;
class online_service;
class settings_store;
class game_state;
class window_events;
class window_mode;
namespace Ogre {
class LogManager;
}

class application {
public:
    application();
    ~application();
    application(const application&) = delete;
    application& operator=(const application&) = delete;

    static application* instance();

    // The game: main menu first. Returns when the stack is empty, or at once
    // when set-up fails (configuration dialog cancelled).
    void run(std::string app_name);
    // mapscout: the in-game state alone, on one level file.
    void run_level(std::string level_file);
    // Set-up alone, for a program that drives the frames itself (the render
    // benchmark): false when the configuration dialog was cancelled. A
    // `video_mode` such as "800 x 600" replaces config.cfg's for this run and
    // leaves the file as it is.
    bool start(std::string app_name, const std::string& video_mode = "");
    // One frame of the main loop: the top state's update, input, the render,
    // window events and the states' requests. There must be a state.
    void run_frame();

    int register_state(std::string name, game_state* state);
    int unregister_state(std::string name);
    game_state* find_state(std::string name);
    int push_state(std::string name, const state_params& params);
    int change_state(std::string name, const state_params& params);
    int pop_state();

    // Between two frames: at most one transition request of the top state,
    // then at most one pop if the (new) top state cleared its running flag.
    void process_requests();

    // Ends every state on the stack (each gets its exit), top first.
    void exit_all_states();
    // The window's close button was pressed: every state ends, unless
    // may_close says not yet.
    void window_closing();

    const std::vector<game_state*>& get_state_stack() const { return state_stack; }
    game_context* get_context() const { return context.get(); }

    // Adds every location of a resources.cfg-style file to OGRE's default
    // resource group, whatever section it stands in. A missing folder ends
    // set-up with a message that names it and then says `cure`.
    static void add_resource_locations(const std::string& file, const std::string& cure);

    Ogre::Root* root = nullptr;
    Ogre::SceneManager* scene_manager = nullptr;
    Ogre::RenderWindow* window = nullptr;
    std::unique_ptr<physics_world> world;
    std::unique_ptr<input_manager> input;
    // The pads, read with the keyboard and the mouse.
    std::unique_ptr<gamepad> pads;
    std::unique_ptr<sound_device> sound;
    // Restarted by every change of the state stack.
    frame_timer frames;
    std::string app_name;
    std::unique_ptr<game_context> context;
    // Asked when the window's close button is pressed: false keeps the
    // program running (mapscout's editor first asks about unsaved changes,
    // as its Escape does). Without one the program ends at once.
    std::function<bool()> may_close;

private:
    Ogre::Root* make_root(const std::string& log_file);
    bool configure(const std::string& video_mode);
    // The key a pad's button stands for: A Return, B Escape, Start the menu key, the d-pad the arrows.
    key_code pad_key(gamepad::button b) const;
    // The settings file's window size and full screen over config.cfg's, and the sizes to offer.
    void apply_video_settings(const std::string& video_mode);
    void load_resources();
    void main_loop();

    std::map<std::string, game_state*> states;
    std::vector<game_state*> state_stack;
    std::unique_ptr<game_folders> folders;
    std::unique_ptr<settings_store> settings_file;
    // The game's online side (not mapscout's).
    std::unique_ptr<online_service> online;
    // The frame limiter's rate in play: the display's.
    int play_rate = 60;
    // The render system's video modes, for full screen at run time.
    std::vector<std::string> screen_modes;
    // Which frames of a still menu are drawn.
    idle_redraw redraw{true};
    std::unique_ptr<window_events> events;
    std::unique_ptr<window_mode> modes;
    std::unique_ptr<Ogre::LogManager> log_manager;
};
