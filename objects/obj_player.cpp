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
    if (context->scout)
        move_strength = 7000000.0f;
    bind_keys();

    // A level without a start still gets a ball, above the origin.
    game_object* start = owner->find_object("start");
    if (!start)
        log_line(owner->get_file_name() +
                 ": no start object; the ball is made above the origin");
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

void obj_player::bind_keys()
{
    context->input->remove_listener(input);
    input.key_bindings.clear();
    const key_bindings& keys = context->settings.keys;
    input.bind_key(keys.key(key_bindings::forward), boost::bind(&obj_player::hold, this, move_forward_bit));
    input.bind_key(keys.key(key_bindings::backward), boost::bind(&obj_player::hold, this, move_backward_bit));
    input.bind_key(keys.key(key_bindings::left), boost::bind(&obj_player::hold, this, move_left_bit));
    input.bind_key(keys.key(key_bindings::right), boost::bind(&obj_player::hold, this, move_right_bit));
    if (context->scout) {
        input.bind_key(KC_Q, boost::bind(&obj_player::hold, this, move_down_bit));
        input.bind_key(KC_E, boost::bind(&obj_player::hold, this, move_up_bit));
    }
    context->input->add_listener(input);
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

void obj_player::push_held()
{
    const Ogre::Quaternion r = heading();
    const Ogre::Vector3 back = r * Ogre::Vector3::UNIT_Z;
    const Ogre::Vector3 side = r * Ogre::Vector3::UNIT_X;
    Ogre::Vector3 force = Ogre::Vector3::ZERO;
    Ogre::Vector3 torque = Ogre::Vector3::ZERO;
    const auto add = [&](unsigned bit, const Ogre::Vector3& f, const Ogre::Vector3& t) {
        if (moves & bit) {
            force += f;
            torque += t;
        }
    };
    // In the order of the keys' codes (Q, W, E, A, S, D), in which the key
    // bindings have always run: the sums round the same way.
    add(move_down_bit, -Ogre::Vector3::UNIT_Y, Ogre::Vector3::ZERO);
    add(move_forward_bit, -back, -side);
    add(move_up_bit, Ogre::Vector3::UNIT_Y, Ogre::Vector3::ZERO);
    add(move_left_bit, -side, back);
    add(move_backward_bit, back, side);
    add(move_right_bit, side, -back);
    // Opposite keys cancel; two keys at right angles push no harder than one.
    const float scale = move_strength * context->frame_time;
    force = force.isZeroLength() ? Ogre::Vector3::ZERO : force.normalisedCopy();
    torque = torque.isZeroLength() ? Ogre::Vector3::ZERO : torque.normalisedCopy();
    if (roll_forward != 0.0f || roll_right != 0.0f) {
        // A stick adds its tilt the way the keys point; together they push no harder than a key.
        force += -back * roll_forward + side * roll_right;
        torque += -side * roll_forward - back * roll_right;
        force = force.length() > 1.0f ? force.normalisedCopy() : force;
        torque = torque.length() > 1.0f ? torque.normalisedCopy() : torque;
    }
    actor->add_force(force * scale * (context->scout ? 5.0f : 1.0f));
    actor->add_torque(torque * scale);
}

void obj_player::update()
{
    if ((moves != 0 || roll_forward != 0.0f || roll_right != 0.0f) && actor)
        push_held();
    moves = 0;
    roll_forward = roll_right = 0.0f;
    if (!context->scout && get_position().y <= fall_reference_height - 30.0f)
        respawn();
}

void obj_player::respawn()
{
    if (owner->is_completed() || !actor)
        return;
    moves = 0;
    actor->set_linear_velocity(Ogre::Vector3::ZERO);
    actor->set_angular_velocity(Ogre::Vector3::ZERO);
    actor->set_position(respawn_point);
    // The limit of the block it fell from would send a ball put back far
    // below that block back again every frame.
    fall_reference_height = respawn_point.y;
    owner->ball_put_back();
    owner->report({level_event::fall, respawn_object, respawn_point});
}
