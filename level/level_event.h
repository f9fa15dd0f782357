#pragma once

// Something that happened in a level during one frame, for those that answer
// it outside the level (split times now, sounds and messages later).

#include <string>

struct level_event {
    enum kind_type {
        // The ball touched a checkpoint and will come back to it after a fall.
        checkpoint,
    };
    kind_type kind;
    // The id of the object it happened at.
    std::string object;
};
