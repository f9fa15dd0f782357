#include "game_object.h"

#include "app/log.h"
#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "level.h"
#include "level_values.h"

#include <OgreEntity.h>
#include <OgreSceneNode.h>

#include <tinyxml.h>

#include <cmath>

game_object::game_object(level* owner, const TiXmlElement* element, bool static_default,
                         const std::string& default_mesh, std::string id)
    : id(std::move(id)), mesh(default_mesh), owner(owner), context(owner->get_context()),
      static_body(static_default)
{
    if (this->id.empty()) {
        const char* given = element ? element->Attribute("id") : nullptr;
        this->id = given ? given : owner->make_unique_name();
    }
    if (element) {
        source_line = element->Row();
        source_column = element->Column();
        if (const char* m = element->Attribute("mesh"))
            mesh = m;
        element->QueryFloatAttribute("mass", &mass);
        element->QueryFloatAttribute("density", &density);
        // Bullet takes a negative mass as a negative inverse mass and flings
        // the body away; such an object stands still instead.
        if (!std::isfinite(mass) || mass < 0.0f || !std::isfinite(density) || density < 0.0f) {
            log_line(this->id + ": invalid mass or density; the object is static");
            mass = 0.0f;
            density = 0.0f;
        }
        if (mass == 0.0f && density == 0.0f)
            static_body = true;
        if (const char* pos = element->Attribute("pos"))
            position = parse_vector(pos);
        if (const char* rot = element->Attribute("rot")) {
            const Ogre::Vector3 r = parse_vector(rot);
            pitch(r.x);
            yaw(r.y);
            roll(r.z);
        }
    } else {
        owner->register_object(this);
    }
}

game_object::~game_object()
{
    remove();
}

void game_object::remove()
{
    if (removed)
        return;
    removed = true;
    owner->object_removed(this);
    on_remove();
    if (actor) {
        actor->disable();
        owner->get_scene()->destroy_body(actor);
        actor = nullptr;
    }
}

Ogre::Vector3 game_object::get_position() const
{
    return actor ? actor->get_position() : position;
}

void game_object::set_position(const Ogre::Vector3& p)
{
    position = p;
    if (actor)
        actor->set_position(p);
}

void game_object::turn(const Ogre::Vector3& axis, float degrees)
{
    orientation = orientation * Ogre::Quaternion(Ogre::Degree(degrees), axis);
    if (actor)
        actor->set_orientation(orientation);
}

void game_object::pitch(float degrees)
{
    turn(Ogre::Vector3::UNIT_X, degrees);
}

void game_object::yaw(float degrees)
{
    turn(Ogre::Vector3::UNIT_Y, degrees);
}

void game_object::roll(float degrees)
{
    turn(Ogre::Vector3::UNIT_Z, degrees);
}

Ogre::SceneNode* game_object::get_scene_node(physics_body* body)
{
    return body ? body->get_scene_node() : nullptr;
}

Ogre::Entity* game_object::get_entity(physics_body* body)
{
    return body ? body->get_entity() : nullptr;
}

void game_object::create_body(const shape_desc& shape)
{
    actor_params params;
    params.is_static = static_body;
    params.mass = mass;
    params.density = density;
    actor = owner->get_scene()->create_body(id, mesh, shape, {position, orientation}, params);
}

void game_object::create_body(const actor_params& params, const shape_desc& shape)
{
    create_body(params, id, mesh, shape);
}

void game_object::create_body(const actor_params& params, const std::string& name, const std::string& mesh_name,
                              const shape_desc& shape)
{
    actor = owner->get_scene()->create_body(name, mesh_name, shape, {position, Ogre::Quaternion::IDENTITY}, params);
}

void game_object::set_material(const std::string& material)
{
    if (Ogre::Entity* entity = get_entity())
        entity->setMaterialName(material);
}

void game_object::set_present(physics_body* body, bool present)
{
    if (!body)
        return;
    if (present)
        body->clear_actor_flag(AF_DISABLE_COLLISION);
    else
        body->raise_actor_flag(AF_DISABLE_COLLISION);
    if (Ogre::SceneNode* node = get_scene_node(body))
        node->setVisible(present, true);
}

void game_object::pair_with_player(int flags)
{
    game_object* player = owner->find_object("player");
    if (player && player->get_actor() && actor)
        owner->get_scene()->create_contact_pair(actor, player->get_actor(), flags);
}

void game_object::unpair_from_player()
{
    game_object* player = owner->find_object("player");
    if (player && player->get_actor() && actor)
        owner->get_scene()->remove_contact_pair(actor, player->get_actor());
}
