#pragma once

// A heavy platform that travels back and forth along its `Waypoint` children,
// carrying the ball: pushed each frame towards the next waypoint and snapped
// onto it on arrival. `platform_type` 0 moves all the time, 1 only while the
// ball rides it (it stops at the next waypoint when left alone), any other
// value never moves. A waiting one goes back to its first waypoint when the
// ball falls, or a ball put back behind it could never reach it again.
// A platform without usable waypoints stays inert: no
// body, no motion, no contacts; with one waypoint it rests there.

#include "level/game_object.h"

#include <vector>

class obj_platform : public game_object {
public:
    obj_platform(level* owner, const TiXmlElement* element);
    ~obj_platform() override;

    std::string type_name() const override { return "platform"; }
    bool acts_each_frame() const override;
    void update() override;
    void on_contact(game_object* other) override;
    void on_level_loaded() override;
    void on_remove() override;
    void on_ball_put_back() override;

    int get_next_waypoint() const { return next_waypoint; }
    const std::vector<Ogre::Vector3>& get_waypoints() const { return waypoints; }

private:
    bool arrived(const Ogre::Vector3& at, const Ogre::Vector3& target) const;

    int platform_type = 0;
    bool touched = false;
    std::vector<Ogre::Vector3> waypoints;
    int current_waypoint = 0;
    int next_waypoint = 1;
    int travel_direction = 1;
    float speed = 150.0f;
    static constexpr float max_speed = 100000.0f;
};
