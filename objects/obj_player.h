#pragma once

// The ball the player steers with W, A, S and D (or the keys the settings
// bind), relative to the heading of the game camera. The keys are gathered
// during the input capture; the next update pushes the ball, scaled by the
// frame time. A ball that falls
// 30 units below the last surface that counts, or touches the ground, is put
// back at its respawn point, which checkpoints move forward. Built by the
// level after every other object, under the id "player".
//
// In mapscout the ball is a probe instead: invisible, colliding with nothing,
// without gravity, flying down and up with Q and E, never respawned.

#include "app/input_listener.h"
#include "level/game_object.h"

class physics_scene;

class obj_player : public game_object {
public:
    explicit obj_player(level* owner);
    ~obj_player() override;

    std::string type_name() const override { return "player"; }
    bool acts_each_frame() const override { return true; }
    void update() override;
    void on_remove() override;

    // The rolling keys held for the next update, one bit each; a replay sets
    // them instead of the keys.
    enum move_bit : unsigned {
        move_forward_bit = 1,
        move_left_bit = 2,
        move_backward_bit = 4,
        move_right_bit = 8,
        // The probe's extra keys in mapscout (Q and E).
        move_down_bit = 16,
        move_up_bit = 32,
    };
    unsigned get_moves() const { return moves; }
    void set_moves(unsigned bits) { moves = bits; }
    void hold(unsigned bit) { moves |= bit; }
    // A pad's stick for the next update: forward and right, from -1 to 1;
    // full tilt pushes as hard as a held key, half tilt half as hard.
    void set_roll(float forward, float right)
    {
        roll_forward = forward;
        roll_right = right;
    }

    // Takes the keys the settings bind now, after the player changed them.
    void bind_keys();

    // Back to the respawn point at rest, falling from there on, and the
    // level's crumbled tiles stand again; nothing once the level is completed.
    void respawn();
    // `object`: the checkpoint that set it; empty for the start.
    void set_respawn_point(const Ogre::Vector3& point, const std::string& object = "")
    {
        respawn_point = point;
        respawn_object = object;
    }
    const std::string& get_respawn_object() const { return respawn_object; }
    void set_fall_reference_height(float height) { fall_reference_height = height; }
    Ogre::Vector3 get_respawn_point() const { return respawn_point; }
    float get_fall_reference_height() const { return fall_reference_height; }

    // The ball's body: a bouncy sphere (its material made in the scene) and
    // its mass and damping; the physics tests roll the same ball.
    static shape_desc ball_shape(physics_scene& scene);
    static actor_params ball_params(bool scout);

private:
    // The camera's heading as a rotation about the world's up axis.
    Ogre::Quaternion heading() const;
    void push_held();

    input_listener input;
    unsigned moves = 0;
    float roll_forward = 0.0f;
    float roll_right = 0.0f;
    float move_strength = 10000000.0f;
    Ogre::Vector3 respawn_point = Ogre::Vector3::ZERO;
    std::string respawn_object;
    float fall_reference_height = 0.0f;
};
