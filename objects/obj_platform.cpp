#include "obj_platform.h"

#include "app/game_context.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "level/level.h"
#include "level/level_values.h"

#include <tinyxml.h>

#include <cmath>
#include <cstdlib>

obj_platform::obj_platform(level* owner, const TiXmlElement* element)
    : game_object(owner, element, false, "block_2_2.mesh", "")
{
    const TiXmlElement* first = element ? element->FirstChildElement("Waypoint") : nullptr;
    for (const TiXmlElement* w = first; w; w = w->NextSiblingElement("Waypoint")) {
        if (const char* pos = w->Attribute("pos"))
            waypoints.push_back(parse_vector(pos));
        else
            log_line(id + ": a waypoint without a pos attribute is skipped");
    }
    if (waypoints.empty()) {
        log_line(id + ": Plattform enthält keine Wegpunkte und kann daher nicht erstellt werden");
        return;
    }

    physics_material* material = owner->get_scene()->create_material("platform_material");
    material->restitution = 0.2f;
    material->dynamic_friction = 2.0f;
    material->static_friction = 2.0f;
    // A rolling ball would otherwise spin in place while the platform moves
    // out from under it; holding its spin lets the ball ride along.
    material->rolling_friction = 20.0f;
    shape_desc shape = shape_desc::make_convex(mesh);
    shape.material = "platform_material";
    set_mass(1000000.0f);
    set_density(500000.0f);
    create_body(shape);
    actor->raise_body_flag(BF_DISABLE_GRAVITY);
    actor->raise_body_flag(BF_FROZEN_ROT);
    actor->raise_body_flag(BF_FROZEN_POS_Y);
    actor->set_linear_damping(10.0f);

    element->QueryFloatAttribute("speed", &speed);
    // Far beyond any sensible speed the pushing force overflows to infinity.
    if (!std::isfinite(speed) || std::fabs(speed) > max_speed) {
        log_line(id + ": invalid speed; using 150");
        speed = 150.0f;
    }
    actor->set_position(waypoints.front());
    element->QueryIntAttribute("platform_type", &platform_type);
}

obj_platform::~obj_platform()
{
    remove();
}

bool obj_platform::arrived(const Ogre::Vector3& p, const Ogre::Vector3& t) const
{
    return t.y - 5.0f <= p.y && p.y <= t.y + 5.0f && t.x - 1.0f <= p.x && p.x <= t.x + 1.0f && t.z - 1.0f <= p.z &&
           p.z <= t.z + 1.0f;
}

bool obj_platform::acts_each_frame() const
{
    // One waypoint leaves nowhere to go: the platform rests on it.
    return waypoints.size() >= 2 && (platform_type == 0 || platform_type == 1);
}

void obj_platform::update()
{
    if (!actor || !acts_each_frame() || (platform_type == 1 && !touched))
        return;
    const Ogre::Vector3& target = waypoints[size_t(next_waypoint)];
    if (arrived(actor->get_position(), target)) {
        if (!context->scout)
            actor->set_position(target);
        actor->set_linear_velocity(Ogre::Vector3::ZERO);
        actor->set_angular_velocity(Ogre::Vector3::ZERO);
        current_waypoint += travel_direction;
        if (next_waypoint == int(waypoints.size()) - 1 || next_waypoint == 0)
            travel_direction = -travel_direction;
        next_waypoint = current_waypoint + travel_direction;
        if (platform_type == 1)
            touched = false;
    }
    const Ogre::Vector3 leg = waypoints[size_t(next_waypoint)] - waypoints[size_t(current_waypoint)];
    actor->add_force(leg * 1000000.0f * context->frame_time * speed);
}

void obj_platform::on_contact(game_object*)
{
    touched = true;
}

void obj_platform::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_TOUCH);
}

void obj_platform::on_ball_put_back()
{
    if (!actor || platform_type != 1 || !acts_each_frame())
        return;
    actor->set_linear_velocity(Ogre::Vector3::ZERO);
    actor->set_position(waypoints.front());
    current_waypoint = 0;
    next_waypoint = 1;
    travel_direction = 1;
    touched = false;
}

void obj_platform::on_remove()
{
    unpair_from_player();
}
