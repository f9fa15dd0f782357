#pragma once

// The sound of what happens in a level: a coin taken, a checkpoint, a fall,
// a door, a teleporter, a speed block's kick, a tile giving way, a push
// block leant on, and the finish. Each reported event plays its effect once,
// louder the nearer it is to the ball and panned by where it lies across
// the camera's view.

#include <OgreVector.h>

struct game_context;
class game_camera;
class level;

class event_sounds {
public:
    struct placing {
        float gain;
        float pan;
    };

    explicit event_sounds(game_context* context) : context(context) {}

    // The effects for what `lvl` reported in its last update.
    void take(const level& lvl, const game_camera& camera);
    // The finish's fanfare, or the brighter one of a new best time.
    void finish(bool new_best);

    // How an event at `place` is heard by a ball at `ball`, the camera's
    // right hand pointing along `right`.
    static placing place(const Ogre::Vector3& ball, const Ogre::Vector3& right, const Ogre::Vector3& place);

private:
    void play(const char* effect, placing at);

    game_context* context;
};
