#pragma once

// Something that happened in a level during one frame, for those that answer
// it outside the level (split times now, sounds and messages later).

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
    };
    kind_type kind;
    // The id of the object it happened at.
    std::string object;
};
