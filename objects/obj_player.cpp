#include "obj_player.h"

#include "app/game_camera.h"
#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "level/level.h"

#include <OgreSceneNode.h>

#include <boost/bind/bind.hpp>

using namespace boost::placeholders;

obj_player::obj_player(level* owner)
    : game_object(owner, nullptr, false, "player.mesh", "player"), input("player_input")
{
    input.bind_key(KC_W, boost::bind(&obj_player::move_forward, this, _1));
    input.bind_key(KC_S, boost::bind(&obj_player::move_backward, this, _1));
    input.bind_key(KC_A, boost::bind(&obj_player::move_left, this, _1));
    input.bind_key(KC_D, boost::bind(&obj_player::move_right, this, _1));
    if (context->scout) {
        move_strength = 7000000.0f;
        input.bind_key(KC_Q, boost::bind(&obj_player::move_down, this, _1));
        input.bind_key(KC_E, boost::bind(&obj_player::move_up, this, _1));
    }
    context->input->add_listener(input);

    // A level without a start still gets a ball, above the origin.
    game_object* start = owner->find_object("start");
    if (!start)
        log_line(owner->get_file_name() +
                 ": Kein Startobjekt gefunden, die Kugel wird über dem Ursprung erstellt");
    set_position((start ? start->get_position() : Ogre::Vector3::ZERO) + Ogre::Vector3(0, 5, 0));
    respawn_point = position;
    fall_reference_height = position.y;

    create_body(ball_params(context->scout), "player", "player.mesh", ball_shape(*owner->get_scene()));
    if (context->scout) {
        if (Ogre::SceneNode* node = get_scene_node())
            node->setVisible(false, true);
        actor->raise_body_flag(BF_DISABLE_GRAVITY);
        actor->raise_actor_flag(AF_DISABLE_COLLISION);
        actor->set_linear_damping(4.0f);
    }
}

shape_desc obj_player::ball_shape(physics_scene& scene)
{
    physics_material* material = scene.create_material("player_material");
    material->restitution = 1.0f;
    material->dynamic_friction = 0.5f;
    material->static_friction = 0.5f;
    shape_desc sphere = shape_desc::make_sphere(4.0f);
    sphere.material = "player_material";
    return sphere;
}

actor_params obj_player::ball_params(bool scout)
{
    actor_params params;
    params.mass = 2000.0f;
    params.density = 6.0f;
    params.linear_damping = 0.5f;
    params.angular_damping = scout ? 2.0f : 1.8f;
    return params;
}

obj_player::~obj_player()
{
    remove();
}

void obj_player::on_remove()
{
    context->input->remove_listener(input);
    input.key_bindings.clear();
}

Ogre::Quaternion obj_player::heading() const
{
    game_camera* camera = owner->get_camera();
    if (!camera || !camera->get_camera_node())
        return Ogre::Quaternion::IDENTITY;
    const Ogre::Radian yaw = camera->get_camera_node()->getOrientation().getYaw(true);
    return Ogre::Quaternion(yaw, Ogre::Vector3::UNIT_Y);
}

void obj_player::push(const Ogre::Vector3& force, const Ogre::Vector3& torque)
{
    move_force += force;
    move_torque += torque;
    move_requested = true;
}

void obj_player::move_forward(float)
{
    const Ogre::Quaternion r = heading();
    push(-(r * Ogre::Vector3::UNIT_Z), -(r * Ogre::Vector3::UNIT_X));
}

void obj_player::move_backward(float)
{
    const Ogre::Quaternion r = heading();
    push(r * Ogre::Vector3::UNIT_Z, r * Ogre::Vector3::UNIT_X);
}

void obj_player::move_left(float)
{
    const Ogre::Quaternion r = heading();
    push(-(r * Ogre::Vector3::UNIT_X), r * Ogre::Vector3::UNIT_Z);
}

void obj_player::move_right(float)
{
    const Ogre::Quaternion r = heading();
    push(r * Ogre::Vector3::UNIT_X, -(r * Ogre::Vector3::UNIT_Z));
}

void obj_player::move_down(float)
{
    push(-Ogre::Vector3::UNIT_Y, Ogre::Vector3::ZERO);
}

void obj_player::move_up(float)
{
    push(Ogre::Vector3::UNIT_Y, Ogre::Vector3::ZERO);
}

void obj_player::update()
{
    if (move_requested && actor) {
        // Opposite keys cancel; two keys at right angles push no harder than one.
        const float scale = move_strength * context->frame_time;
        Ogre::Vector3 force = move_force.isZeroLength() ? Ogre::Vector3::ZERO : move_force.normalisedCopy();
        Ogre::Vector3 torque = move_torque.isZeroLength() ? Ogre::Vector3::ZERO : move_torque.normalisedCopy();
        actor->add_force(force * scale * (context->scout ? 5.0f : 1.0f));
        actor->add_torque(torque * scale);
    }
    move_force = Ogre::Vector3::ZERO;
    move_torque = Ogre::Vector3::ZERO;
    move_requested = false;
    if (!context->scout && get_position().y <= fall_reference_height - 30.0f)
        respawn();
}

void obj_player::respawn()
{
    if (owner->is_completed() || !actor)
        return;
    move_force = Ogre::Vector3::ZERO;
    move_torque = Ogre::Vector3::ZERO;
    actor->set_linear_velocity(Ogre::Vector3::ZERO);
    actor->set_angular_velocity(Ogre::Vector3::ZERO);
    actor->set_position(respawn_point);
    // The limit of the block it fell from would send a ball put back far
    // below that block back again every frame.
    fall_reference_height = respawn_point.y;
}
