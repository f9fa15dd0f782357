#pragma once

// Something that happened in a level during one frame, for those that answer
// it outside the level: split times, sounds and on-screen cues.

#include <OgreVector.h>

#include <string>

struct level_event {
    enum kind_type {
        // The ball touched a checkpoint and will come back to it after a fall
        // (only when it was not its place to come back to already).
        checkpoint,
        // The ball took a coin; a blue one.
        coin,
        blue_coin,
        // The ball fell and was put back: at the checkpoint `object`, or at the start when `object` is empty.
        fall,
        // The ball pressed a switch, which flipped its colour's doors.
        door,
        // A teleporter sent something to `place`.
        teleport,
        // A speed block kicked something that started touching it.
        speed_kick,
        // A crumbling block gave way under the ball.
        crumble,
        // The ball leant on a push block.
        scrape,
    };
    kind_type kind;
    // The id of the object it happened at.
    std::string object;
    // Where in the level it happened.
    Ogre::Vector3 place = Ogre::Vector3::ZERO;
};
