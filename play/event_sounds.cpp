#include "event_sounds.h"

#include "app/game_camera.h"
#include "app/game_context.h"
#include "app/sound_device.h"
#include "level/level.h"
#include "objects/obj_player.h"

#include <OgreCamera.h>

#include <algorithm>

namespace {

// Within about six blocks of the ball an event is heard at full strength
// and almost in the middle; beyond, it fades with distance.
constexpr float near_distance = 60.0f;
constexpr float widest_pan = 0.8f;
constexpr float quietest = 0.05f;

const char* effect_of(level_event::kind_type kind)
{
    switch (kind) {
    case level_event::checkpoint: return "checkpoint";
    case level_event::coin: return "coin";
    case level_event::blue_coin: return "blue_coin";
    case level_event::fall: return "fall";
    case level_event::door: return "door";
    case level_event::teleport: return "teleporter";
    case level_event::speed_kick: return "speed_kick";
    case level_event::crumble: return "crumble";
    case level_event::scrape: return "scrape";
    }
    return nullptr;
}

}

event_sounds::placing event_sounds::place(const Ogre::Vector3& ball, const Ogre::Vector3& right,
                                          const Ogre::Vector3& place)
{
    const Ogre::Vector3 away = place - ball;
    const float distance = std::max(away.length(), near_distance);
    const float across = away.dotProduct(right.normalisedCopy()) / distance;
    return {near_distance / distance, std::clamp(across, -1.0f, 1.0f) * widest_pan};
}

void event_sounds::take(const level& lvl, const game_camera& camera)
{
    const obj_player* ball = lvl.get_player();
    if (!ball || !camera.get_camera())
        return;
    const Ogre::Vector3 right = camera.get_camera()->getDerivedRight();
    for (const level_event& event : lvl.get_events())
        if (const char* effect = effect_of(event.kind))
            play(effect, place(ball->get_position(), right, event.place));
}

void event_sounds::finish(bool new_best)
{
    play(new_best ? "new_best" : "complete", {1.0f, 0.0f});
}

void event_sounds::play(const char* effect, placing at)
{
    if (at.gain >= quietest)
        context->sound->play_effect(sound_device::effect_file(effect), at.gain, at.pan);
}
