#pragma once

// Plays a level the way a player does, with nothing but the W, A, S and D
// keys, following route points kept with the playthrough test
// (tests/playthrough/routes/<level>.route).
// Each frame it picks the keys that push the ball's velocity towards a
// speed-limited approach of the current point, brakes on arrival and moves
// on. The route optimiser edits the steps of a loaded route (moves points,
// changes speeds, lets the ball roll through points) and drives the bot on
// the result. A route is a text file, one command a line ('#' starts a
// comment):
//
//   go X Z [TOLERANCE]   roll to (X, Z) until within TOLERANCE (3)
//   speed S              approach later points at up to S units/s (25)
//   wait SECONDS         let go of every key (riding a platform, waiting)
//   enter X Z            roll onto (X, Z) until the ball is carried away
//                        (a teleporter); the next point follows from there
//   ride ID SECONDS      keep the ball over the object ID (a platform) as it
//                        moves, for SECONDS
//   until ID X Z R       hold the ball still until the object ID (say, a
//                        moving platform) is within R of (X, Z), as a player
//                        waits for a platform to come
//
// The camera keeps its starting heading, so W is -Z and D is +X.

#include "app/input_codes.h"

#include <OgreVector.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

class route_bot {
public:
    struct step {
        enum kind_type { go, speed, wait, until, enter, ride };
        kind_type kind;
        float x = 0.0f;
        float z = 0.0f;
        float value = 0.0f;
        std::string object;
        // A go point the ball rolls through at top speed, going on to the
        // next once within the tolerance, instead of braking on it.
        bool rolling = false;
    };
    // Where a level object is now; false when there is no such object.
    using object_finder = std::function<bool(const std::string& id, Ogre::Vector3& position)>;

    explicit route_bot(object_finder find) : find(std::move(find)) {}

    // Reads a route; false (with `error` set) for a line it cannot read.
    bool load(const std::string& path, std::string& error);
    const std::vector<step>& get_steps() const { return steps; }
    // Follows `route` from its start instead.
    void set_steps(std::vector<step> route);
    bool finished() const { return current >= steps.size(); }
    // The route line being followed, counted from 1 over the commands.
    size_t current_step() const { return current + 1; }
    // Follows the route again from `step` (as current_step counts), at the
    // speed set before it, for a ball put back at `position`.
    void resume_at(size_t step, const Ogre::Vector3& position);

    // The keys to hold this frame, given the ball's position and velocity.
    std::set<key_code> keys(const Ogre::Vector3& position, const Ogre::Vector3& velocity, float dt);

private:
    std::set<key_code> steer(const Ogre::Vector2& to_target, const Ogre::Vector2& moving,
                             const Ogre::Vector2& carried = Ogre::Vector2::ZERO, bool rolling = false) const;

    object_finder find;
    std::vector<step> steps;
    Ogre::Vector3 hold_at = Ogre::Vector3::ZERO;
    bool holding = false;
    Ogre::Vector3 last_position = Ogre::Vector3::ZERO;
    Ogre::Vector3 last_object = Ogre::Vector3::ZERO;
    size_t current = 0;
    static constexpr float default_speed = 25.0f;
    float top_speed = default_speed;
    float waited = 0.0f;
};
