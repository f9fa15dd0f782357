#pragma once

// The building stone of a course. `block_type` picks the kind: 0 a plain
// fixed block, 1 a block that gives way 0.35 s of touch after the ball first
// stands on it and falls for a second before it is gone (kept out of sight
// and reach, so that the ball being put back after a fall finds it standing
// again as the level began), 2 a speed block that
// shoves whatever starts touching it along its local -Z, 3 a block the ball can
// push about but never turn; any other value a plain block in the mesh's own
// material. `scale="x y z"` stretches the block's mesh and body along its own
// axes (from level_limits' min_block_scale to max_block_scale; without it,
// or with a scale out of range, the block keeps its mesh's size). Every
// block tells the ball the height of the surface it touched last, which sets
// the ball's fall limit.

#include "level/game_object.h"

class obj_block : public game_object {
public:
    obj_block(level* owner, const TiXmlElement* element);
    ~obj_block() override;

    std::string type_name() const override { return "block"; }
    bool acts_each_frame() const override;
    void update() override;
    void on_contact_start(game_object* other) override;
    void on_contact_end(game_object* other) override;
    void on_level_loaded() override;
    void on_remove() override;
    void on_ball_put_back() override;

    int get_block_type() const { return block_type; }
    const Ogre::Vector3& get_scale() const { return scale; }
    // The scale `element` asks for, or 1 1 1 (logged when it is out of range).
    static Ogre::Vector3 scale_of(const TiXmlElement* element, const std::string& id);
    bool is_falling() const { return falling; }

private:
    // Out of sight and reach once the fall is over.
    void vanish();

    int block_type = 0;
    Ogre::Vector3 scale = Ogre::Vector3::UNIT_SCALE;
    pose start;
    bool gone = false;
    bool touched = false;
    bool falling = false;
    float touch_time = 0.0f;
    float fall_time = 0.0f;
};
