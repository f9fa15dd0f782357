#include "route_bot.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

bool route_bot::load(const std::string& path, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string command;
        if (!(words >> command))
            continue;
        step s{};
        bool ok = true;
        if (command == "go") {
            s.kind = step::go;
            s.value = 3.0f;
            ok = bool(words >> s.x >> s.z);
            words >> s.value;
        } else if (command == "speed") {
            s.kind = step::speed;
            ok = bool(words >> s.value);
        } else if (command == "wait") {
            s.kind = step::wait;
            ok = bool(words >> s.value);
        } else if (command == "enter") {
            s.kind = step::enter;
            ok = bool(words >> s.x >> s.z);
        } else if (command == "ride") {
            s.kind = step::ride;
            ok = bool(words >> s.object >> s.value);
        } else if (command == "until") {
            s.kind = step::until;
            ok = bool(words >> s.object >> s.x >> s.z >> s.value);
        } else {
            ok = false;
        }
        if (!ok) {
            error = path + ":" + std::to_string(number) + ": cannot read '" + line + "'";
            return false;
        }
        steps.push_back(s);
    }
    return true;
}

void route_bot::set_steps(std::vector<step> route)
{
    steps = std::move(route);
    resume_at(1, last_position);
}

void route_bot::resume_at(size_t step, const Ogre::Vector3& position)
{
    current = std::min(std::max(step, size_t(1)) - 1, steps.size());
    top_speed = default_speed;
    for (size_t i = 0; i < current; ++i)
        if (steps[i].kind == step::speed)
            top_speed = steps[i].value;
    waited = 0.0f;
    holding = false;
    // The jump back is no teleporter carrying the ball away.
    last_position = position;
}

std::set<key_code> route_bot::keys(const Ogre::Vector3& position, const Ogre::Vector3& velocity, float dt)
{
    while (!finished() && steps[current].kind == step::speed) {
        top_speed = steps[current].value;
        ++current;
    }
    if (finished())
        return {};
    const step& s = steps[current];
    if (s.kind == step::wait) {
        waited += dt;
        if (waited >= s.value) {
            waited = 0.0f;
            ++current;
        }
        return {};
    }

    const Ogre::Vector2 moving(velocity.x, velocity.z);
    if (s.kind == step::ride) {
        Ogre::Vector3 object;
        waited += dt;
        if (!find(s.object, object) || waited >= s.value) {
            waited = 0.0f;
            holding = false;
            ++current;
            return {};
        }
        const Ogre::Vector3 object_velocity = holding && dt > 0.0f ? (object - last_object) / dt : Ogre::Vector3::ZERO;
        holding = true;
        last_object = object;
        return steer(Ogre::Vector2(object.x - position.x, object.z - position.z), moving,
                     Ogre::Vector2(object_velocity.x, object_velocity.z));
    }
    if (s.kind == step::until) {
        Ogre::Vector3 object;
        if (!holding) {
            hold_at = position;
            holding = true;
        }
        if (!find(s.object, object) || Ogre::Vector2(object.x - s.x, object.z - s.z).length() < s.value) {
            holding = false;
            ++current;
            return {};
        }
        return steer(Ogre::Vector2(hold_at.x - position.x, hold_at.z - position.z), moving);
    }

    const Ogre::Vector2 to_target(s.x - position.x, s.z - position.z);
    const bool carried_away = position.distance(last_position) > 20.0f;
    last_position = position;
    if (s.kind == step::enter) {
        if (carried_away) {
            ++current;
            return {};
        }
        return steer(to_target, moving);
    }
    if (s.rolling && to_target.length() < s.value) {
        // Straight on to the next point in the same frame, as a player does.
        ++current;
        return keys(position, velocity, dt);
    }
    if (to_target.length() < s.value && moving.length() < 6.0f) {
        ++current;
        return {};
    }
    return steer(to_target, moving, Ogre::Vector2::ZERO, s.rolling);
}

std::set<key_code> route_bot::steer(const Ogre::Vector2& to_target, const Ogre::Vector2& moving,
                                    const Ogre::Vector2& carried, bool rolling) const
{
    // Approach at a speed that still allows braking on arrival, on top of
    // the motion of whatever carries the target; at full speed when rolling through.
    Ogre::Vector2 wanted = rolling ? to_target.normalisedCopy() * top_speed : to_target * 1.5f;
    if (wanted.length() > top_speed)
        wanted = wanted.normalisedCopy() * top_speed;
    wanted += carried;
    const Ogre::Vector2 change = wanted - moving;
    if (change.length() < 1.0f)
        return {};
    const Ogre::Vector2 along = change.normalisedCopy();
    std::set<key_code> held;
    if (along.x > 0.38f)
        held.insert(KC_D);
    else if (along.x < -0.38f)
        held.insert(KC_A);
    if (along.y > 0.38f)
        held.insert(KC_S);
    else if (along.y < -0.38f)
        held.insert(KC_W);
    return held;
}
