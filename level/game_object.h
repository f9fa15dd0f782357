#pragma once

// Base of every object in a level: an id, a mesh, a pose, mass and density,
// and the physics body. It reads the attributes every `Object` element shares
// and defines the operations through which the level drives each object:
// update once per frame, contact events, the after-load step, the ball being
// put back after a fall, and removal.
//
// The level's registry owns registered objects. Objects built without an
// element (the ground and the ball) register themselves on construction;
// the factory registers the others. remove() takes the body out of play at
// once and tells the level, which drops the object from its registry at the
// end of its next update.
// Every concrete destructor calls remove() first, so that its own on_remove
// runs while the object is still of its class.

#include "app/physics/physics_types.h"

#include <OgreQuaternion.h>
#include <OgreVector.h>

#include <string>

class TiXmlElement;
class level;
class physics_body;
struct game_context;
namespace Ogre {
class Entity;
class SceneNode;
}

class game_object {
public:
    game_object(level* owner, const TiXmlElement* element, bool static_default, const std::string& default_mesh,
                std::string id);
    virtual ~game_object();
    game_object(const game_object&) = delete;
    game_object& operator=(const game_object&) = delete;

    virtual std::string type_name() const = 0;
    // Whether update does anything: the level calls update only on objects
    // that say so. The answer must not change once the object is built.
    virtual bool acts_each_frame() const { return false; }
    virtual void update() {}
    virtual void on_contact_start(game_object* other) {}
    virtual void on_contact(game_object* other) {}
    virtual void on_contact_end(game_object* other) {}
    virtual void on_level_loaded() {}
    virtual void on_remove() {}
    // The ball fell and was put back at the start or a checkpoint: what play
    // wore away that a player needs to try again (crumbled tiles) stands
    // again as the level began.
    virtual void on_ball_put_back() {}

    // Takes the object out of play: on_remove, then the body goes. Once only.
    void remove();

    const std::string& get_id() const { return id; }
    physics_body* get_actor() const { return actor; }
    // The body's position once it exists, else the element's.
    Ogre::Vector3 get_position() const;
    void set_position(const Ogre::Vector3& position);
    // Turn about the object's own X, Y or Z axis, in degrees.
    void pitch(float degrees);
    void yaw(float degrees);
    void roll(float degrees);

    Ogre::SceneNode* get_scene_node() const { return get_scene_node(actor); }
    Ogre::Entity* get_entity() const { return get_entity(actor); }
    static Ogre::SceneNode* get_scene_node(physics_body* body);
    static Ogre::Entity* get_entity(physics_body* body);

    void set_mass(float value) { mass = value; }
    void set_density(float value) { density = value; }
    bool is_static() const { return static_body; }
    // Where the object's element begins in the level file (0 without one):
    // mapscout's editor finds the object's text by it.
    int get_source_line() const { return source_line; }
    int get_source_column() const { return source_column; }
    bool is_removed() const { return removed; }

protected:
    // Default actor parameters from the object's flags, mass and density;
    // the pose is position and orientation.
    void create_body(const shape_desc& shape);
    // The caller's parameters; the pose is the position alone.
    void create_body(const actor_params& params, const shape_desc& shape);
    void create_body(const actor_params& params, const std::string& name, const std::string& mesh_name,
                     const shape_desc& shape);

    // Sets the material of the body's entity, if it has one.
    void set_material(const std::string& material);
    // A body seen and touched, or neither (an open door's slab, a crumbled tile).
    static void set_present(physics_body* body, bool present);

    // Ask the scene for contact reports with the ball (with the NOTIFY_*
    // flags), and withdraw them again.
    void pair_with_player(int flags);
    void unpair_from_player();

    physics_body* actor = nullptr;
    std::string id;
    std::string mesh;
    Ogre::Vector3 position = Ogre::Vector3::ZERO;
    Ogre::Quaternion orientation = Ogre::Quaternion::IDENTITY;
    level* owner;
    game_context* context;
    float mass = 0.0f;
    float density = 0.0f;
    bool static_body;
    bool removed = false;
    int source_line = 0;
    int source_column = 0;

private:
    void turn(const Ogre::Vector3& axis, float degrees);
};
