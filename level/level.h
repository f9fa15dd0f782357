#pragma once

// One running level, built from a level file in media/levels/. It owns its
// physics scene, its lights and, through the registry, every level object
// including the ground and the ball; objects hold plain pointers to it and to
// each other. It is the hub through which objects find each other by id,
// reach the scene, the camera and the GUI, and receive contact events.
//
// The constructor never fails: a missing or broken file gives an empty level
// (scene, no objects, no ball), so callers that need a ball check get_player.

#include "app/physics/contact_listener.h"
#include "level_event.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TiXmlElement;
class game_camera;
class level_document;
class game_object;
class obj_player;
class physics_scene;
struct game_context;
namespace MyGUI {
class Gui;
}
namespace Ogre {
class Light;
}

class level : public contact_listener {
public:
    level(const std::string& file_name, game_context* context, MyGUI::Gui* gui);
    // The level from `text` instead of its file (mapscout's editor plays and
    // shows the text it holds before it is saved); named `file_name` as ever.
    level(const std::string& file_name, const std::string& text, game_context* context, MyGUI::Gui* gui);
    ~level() override;
    level(const level&) = delete;
    level& operator=(const level&) = delete;

    // Advances the objects by the context's frame time and forgets the events
    // of the frame before.
    void update();

    game_object* find_object(const std::string& id) const;
    const std::map<std::string, game_object*>& get_objects() const { return objects; }
    // Enters the object under its id; false (and a log line) when it is taken.
    bool register_object(game_object* object);
    // Called by an object as it leaves play; the registry lets it go at the
    // end of the next update.
    void object_removed(const game_object* object);
    std::string make_unique_name();
    // Called by the ball as it is put back after a fall: every object hears
    // of it (on_ball_put_back), so the course can be tried again.
    void ball_put_back();
    // Coins: each one that is in the level counts itself once it is loaded;
    // the ball taking one adds its points to the score.
    void add_coin() { ++coin_total; }
    void take_coin(int points)
    {
        ++coins_taken;
        score += points;
    }

    obj_player* get_player() const { return player; }
    void set_player(obj_player* ball) { player = ball; }
    game_camera* get_camera() const { return camera; }
    void set_camera(game_camera* c) { camera = c; }
    physics_scene* get_scene() const { return scene; }
    const std::string& get_file_name() const { return file_name; }
    float get_elapsed_time() const { return float(elapsed_time); }
    // The play clock as it is summed, for comparing runs to the millisecond.
    double get_play_time() const { return elapsed_time; }
    // What happened since the last update (the physics step reports contacts).
    void report(level_event event) { events.push_back(std::move(event)); }
    const std::vector<level_event>& get_events() const { return events; }
    int get_score() const { return score; }
    int get_coin_total() const { return coin_total; }
    int get_coins_taken() const { return coins_taken; }
    bool is_completed() const { return completed; }
    void set_completed(bool done) { completed = done; }
    MyGUI::Gui* get_gui() const { return gui; }
    game_context* get_context() const { return context; }
    // Why the level stayed empty, to follow the file name, or empty when it
    // loaded: the logged message, but for a file that is there and cannot be
    // read, its line and the reason (":4: not well-formed XML (...)").
    const std::string& get_load_problem() const { return load_problem; }

    // Where the level file of that name is read from.
    static std::string path_of(const std::string& file_name);
    // Name and description of a level file, for the level selection; both
    // empty when the file or the values are missing.
    static void read_level_info(const std::string& file_name, std::string& name, std::string& description);

    void on_contact(physics_body& first, physics_body& second, int event) override;

private:
    void build(const level_document& read);
    void load(const TiXmlElement* root);
    void setup_scene(const TiXmlElement* root);
    Ogre::Light* create_light(const TiXmlElement* element);
    bool register_light(Ogre::Light* light);
    game_object* create_object(const TiXmlElement* element);
    void add_ground_and_ball();
    void log(const std::string& text) const;
    void retire_removed();

    game_context* context;
    MyGUI::Gui* gui;
    std::string file_name;
    std::string load_problem;
    obj_player* player = nullptr;
    unsigned int name_counter = 0;
    // Summed in double: a float sum of frame times runs two seconds ahead
    // after half an hour at 60 frames a second.
    double elapsed_time = 0.0;
    int score = 0;
    int coin_total = 0;
    int coins_taken = 0;
    bool completed = false;
    std::vector<level_event> events;
    game_camera* camera = nullptr;
    physics_scene* scene = nullptr;
    std::map<std::string, Ogre::Light*> lights;
    std::map<std::string, game_object*> objects;
    // The registered objects whose update does something, in id order: a
    // large course is mostly blocks that never act, and walking the whole
    // registry each frame cost more than the objects' own work. Rebuilt from
    // the registry when an object joins it.
    std::vector<game_object*> acting;
    bool acting_stale = true;
    // Objects removed since the last update, by id (the object itself may be
    // gone already: one whose id was taken is freed as it is refused).
    std::vector<std::pair<std::string, const game_object*>> removed_objects;
    // Objects that left the registry (removed during play, or a ball whose id
    // a level object took); freed with the level.
    std::vector<std::unique_ptr<game_object>> retired;
};
