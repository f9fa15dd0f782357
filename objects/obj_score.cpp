#include "obj_score.h"

#include "app/game_context.h"
#include "app/physics/physics_body.h"
#include "level/level.h"

#include <tinyxml.h>

#include <cmath>

obj_score::obj_score(level* owner, const TiXmlElement* element)
    : trigger_object(owner, element, owner->get_context()->scout, "score.mesh", "")
{
    position.y += 5.0f;
    // In mapscout coins stand still as static bodies and are all worth 10.
    if (context->scout) {
        create_body(shape_desc::make_cube(5.0f, 5.0f, 2.0f));
        actor->raise_actor_flag(AF_DISABLE_COLLISION);
        create_trigger(Ogre::Vector3(5.0f, 5.0f, 2.0f));
        rotation_speed = 0.0f;
        points = 10;
        return;
    }
    set_mass(100.0f);
    set_density(1.0f);
    create_body(shape_desc::make_cube(5.0f, 5.0f, 2.0f));
    actor->raise_actor_flag(AF_DISABLE_COLLISION);
    actor->raise_body_flag(BF_DISABLE_GRAVITY);
    create_trigger(Ogre::Vector3(5.0f, 5.0f, 2.0f));

    int score_type = 0;
    if (element) {
        element->QueryFloatAttribute("rot_speed", &rotation_speed);
        element->QueryIntAttribute("score_type", &score_type);
    }
    if (!std::isfinite(rotation_speed))
        rotation_speed = 2.0f;
    points = score_type == 1 ? 100 : 10;
    if (score_type == 1)
        set_material("score_blue");
}

obj_score::~obj_score()
{
    remove();
}

bool obj_score::acts_each_frame() const
{
    return !context->scout;
}

void obj_score::update()
{
    if (!removed && actor && !context->scout)
        actor->set_angular_velocity(Ogre::Vector3(0, 1, 0) * rotation_speed);
}

void obj_score::on_level_loaded()
{
    owner->add_coin();
}

void obj_score::on_remove()
{
    destroy_trigger();
}

void obj_score::on_enter(physics_trigger&, physics_body& body)
{
    game_object* visitor = object_of(body);
    if (!visitor || visitor->type_name() != "player")
        return;
    owner->take_coin(points);
    owner->report({points == 100 ? level_event::blue_coin : level_event::coin, get_id(), get_position()});
    remove();
}
