#include "obj_block.h"

#include "app/game_context.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "level/level.h"
#include "level/level_limits.h"
#include "level/level_values.h"
#include "obj_player.h"

#include <OgreSceneNode.h>
#include <tinyxml.h>

namespace {

constexpr int plain = 0;
constexpr int falling_block = 1;
constexpr int speed = 2;
constexpr int push = 3;

// The speed block's kick is one push per start of touch. It is scaled by a
// fixed sixtieth of a second, not the frame time, so that it is equally strong
// at every frame rate.
constexpr float speed_push = 300000000.0f;
constexpr float speed_push_time = 1.0f / 60.0f;

// Raised on a falling block since the game's first engine; ours keeps it
// without effect, and a block put back clears it to stand as it began.
constexpr int falling_actor_flag = 16;

}

obj_block::obj_block(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "block_10_10.mesh", "")
{
    if (element)
        element->QueryIntAttribute("block_type", &block_type);
    scale = scale_of(element, get_id());
    const shape_desc shape = shape_desc::make_convex(mesh, scale);
    if (block_type == falling_block || block_type == push) {
        actor_params params;
        params.mass = 1000.0f;
        params.density = 5.0f;
        params.gravity_disabled = true;
        create_body(params, shape);
        actor->raise_body_flag(block_type == falling_block ? BF_FROZEN : BF_FROZEN_ROT);
        start = actor->get_pose();
    } else {
        create_body(shape);
    }
    if (Ogre::SceneNode* node = get_scene_node(); node && scale != Ogre::Vector3::UNIT_SCALE)
        node->setScale(scale);
    switch (block_type) {
    case plain:
        set_material("block");
        break;
    case falling_block:
    case push:
        set_material("block_dest");
        break;
    case speed:
        set_material("block_speed");
        break;
    }
}

Ogre::Vector3 obj_block::scale_of(const TiXmlElement* element, const std::string& id)
{
    const char* written = element ? element->Attribute("scale") : nullptr;
    if (!written)
        return Ogre::Vector3::UNIT_SCALE;
    const Ogre::Vector3 asked = parse_vector(written);
    for (float along : {asked.x, asked.y, asked.z})
        if (!(along >= level_limits::min_block_scale && along <= level_limits::max_block_scale)) {
            log_line(id + ": scale=\"" + written + "\" is not three numbers from 0.1 to 20; the block keeps its size");
            return Ogre::Vector3::UNIT_SCALE;
        }
    return asked;
}

obj_block::~obj_block()
{
    remove();
}

void obj_block::on_contact_start(game_object* other)
{
    const bool is_player = other && other->type_name() == "player";
    if (block_type == falling_block && is_player)
        touched = true;
    if (block_type == speed && other && !other->is_static() && other->get_actor() && actor) {
        const Ogre::Vector3 along = actor->get_orientation() * Ogre::Vector3::UNIT_Z;
        other->get_actor()->add_force(along * speed_push_time * speed_push * -1.0f);
        owner->report({level_event::speed_kick, get_id(), get_position()});
    }
    if (block_type == push && is_player)
        owner->report({level_event::scrape, get_id(), get_position()});
    if (is_player && actor)
        static_cast<obj_player*>(other)->set_fall_reference_height(actor->get_position().y);
}

void obj_block::on_contact_end(game_object* other)
{
    if (block_type == falling_block && other && other->type_name() == "player")
        touched = false;
}

bool obj_block::acts_each_frame() const
{
    return block_type == falling_block;
}

void obj_block::update()
{
    if (block_type != falling_block || !actor || gone)
        return;
    const float dt = context->frame_time;
    if (touched)
        touch_time += dt;
    if (touch_time >= 0.35f && !falling) {
        falling = true;
        owner->report({level_event::crumble, get_id(), get_position()});
    }
    if (falling) {
        actor->clear_body_flag(BF_DISABLE_GRAVITY);
        actor->clear_body_flag(BF_FROZEN);
        fall_time += dt;
        actor->raise_actor_flag(falling_actor_flag);
    }
    if (fall_time >= 1.0f)
        vanish();
}

void obj_block::vanish()
{
    gone = true;
    touched = false;
    actor->raise_body_flag(BF_FROZEN | BF_DISABLE_GRAVITY);
    set_present(actor, false);
}

void obj_block::on_ball_put_back()
{
    if (block_type != falling_block || !actor || (touch_time == 0.0f && !falling))
        return;
    touched = falling = gone = false;
    touch_time = fall_time = 0.0f;
    actor->raise_body_flag(BF_FROZEN | BF_DISABLE_GRAVITY);
    actor->clear_actor_flag(falling_actor_flag);
    actor->set_position(start.position);
    actor->set_orientation(start.orientation);
    set_present(actor, true);
}

void obj_block::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_START_TOUCH | NOTIFY_ON_END_TOUCH);
}

void obj_block::on_remove()
{
    unpair_from_player();
}
