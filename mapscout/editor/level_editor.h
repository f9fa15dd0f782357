#pragma once

// mapscout as a level editor. It holds the level being edited (level_draft)
// for the whole session, across every build of the level on screen: the
// in-game state builds each level from get_text(), calls entered() after
// each build and frame() once a frame, and carries out what frame() asks
// (build again, play, back to editing, end). The pointer is free: a click
// picks the object under it, the right button held turns the view; the
// keys are listed in the strip at the top (key_help) and never take the
// probe's W, A, S, D, Q and E.
//
// Play from here runs inside mapscout, with the game's own play classes, on
// the same state: the level is built from the draft's text (unsaved changes
// included) with mapscout's differences switched off, the ball put at the
// probe. The editor, its history and the probe's place simply live on
// beside it. Starting the game program instead would need the game to take
// a level text and a start point on its command line, a second window, and
// the draft saved first.

#include "attribute_list.h"
#include "draft_problems.h"
#include "editor_panel.h"
#include "level_draft.h"
#include "scene_objects.h"
#include "unsaved_guard.h"

#include "app/input_listener.h"

#include <OgreQuaternion.h>
#include <OgreVector.h>

#include <memory>
#include <optional>
#include <string>

class game_camera;
class game_object;
class level;
struct game_context;
namespace MyGUI {
class Gui;
}

class level_editor {
public:
    enum class request { none, rebuild, play, edit, quit };

    // `file_name` as given to mapscout; `path` where it is read and written.
    level_editor(game_context& context, const std::string& path);
    ~level_editor();
    level_editor(const level_editor&) = delete;
    level_editor& operator=(const level_editor&) = delete;

    // Where a level of that name is edited: its file, or for a new level the
    // add-on folder (the game's own folder when there is none); empty for a
    // missing file named with a folder.
    static std::string path_for(const std::string& file_name);
    static const char* key_help();

    const std::string& get_text() const { return draft.get_text(); }
    const std::string& get_path() const { return draft.get_path(); }
    bool is_playing() const { return playing; }
    // Typing a value or answering a question: the state's own keys wait.
    bool takes_keys() const;

    // After each build of the level; `gui` draws the editor's panel.
    void entered(level& shown, game_camera& view, MyGUI::Gui* gui);
    // Before the level on screen goes.
    void leaving();
    request frame(float dt);
    // The level file changed on disk: true when the level is to be built
    // again from it now; with unsaved changes the author is asked first.
    bool file_changed();

    // The window's close button: true when mapscout may end now; with
    // unsaved changes it asks as Escape does (back from play first) and says no.
    bool may_close();

    // What the mouse and keys do, for tests without devices.
    void click(float x, float y, bool add);
    void press(key_code key);

    level_draft& get_draft() { return draft; }
    const editor_panel& get_panel() const { return panel; }
    // The checker's lines on the draft in the strip at the bottom.
    const std::vector<std::string>& get_problems() const;
    game_object* picked_object() const;

private:
    void bind_input();
    void on_click(float, const mouse_state& mouse);
    void edit_key(key_code key);
    void answer(key_code key);
    // `of_picked`: the change needs a picked object, which a missing pick explains.
    void after(level_draft::outcome done, const std::string& what, bool of_picked = true);
    void highlight(bool shown);
    void start_play(bool from_here);
    void leave();
    // Where the pointer points on the plane at `height`.
    std::optional<Ogre::Vector3> on_plane(float x, float y, float height) const;
    Ogre::Vector3 view_axis(int right, int forward) const;
    void refresh_panel();

    game_context& context;
    level_draft draft;
    unsaved_guard guard{draft};
    attribute_list attributes;
    editor_panel panel{nullptr};
    input_listener input{"level_editor_input"};
    level* shown = nullptr;
    game_camera* camera = nullptr;
    std::unique_ptr<scene_objects> objects;
    std::unique_ptr<draft_problems> problems;
    game_object* highlighted = nullptr;

    std::size_t palette_at = 0;
    bool control = false;
    bool shift = false;
    bool linking = false;
    std::optional<std::pair<float, float>> pending_click;
    request wanted = request::none;
    std::string message;
    // A move is shown at once; the level is built again once moves pause.
    float since_move = -1.0f;

    bool playing = false;
    bool back_from_play = false;
    Ogre::Vector3 probe_at = Ogre::Vector3::ZERO;
    Ogre::Quaternion heading = Ogre::Quaternion::IDENTITY;
    std::optional<Ogre::Vector3> play_at;
};
