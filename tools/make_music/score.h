#pragma once

// What the composer writes and the renderer plays: notes and drum hits on a
// grid of sixteenth-note steps counted from the start of the loop. Times may
// run past the loop's end; the renderer wraps the overhang to the start.

#include "drum_kit.h"
#include "instrument.h"

#include <string>
#include <vector>

struct note {
    double step;   // start, in sixteenths
    double length; // held, in sixteenths
    int pitch;     // MIDI note number
    float velocity;
};

struct drum_hit {
    double step;
    drum kind;
    float velocity;
};

// One line of the arrangement, played by one instrument.
struct part {
    std::string name;
    timbre sound;
    float gain;
    float pan;    // -1 left .. 1 right
    float width;  // > 0 plays each note twice, spread this far left and right
    float reverb; // send level into the room
    float echo;   // send level into the ping-pong echo
    std::vector<note> notes;
};

struct score {
    int total_steps = 0;
    double tempo = 120;  // quarter notes a minute
    double swing = 0;    // 0 straight; 1/3 plays off-beat eighths as triplets
    float room = 0.5f;   // reverb size, 0 .. 1
    std::vector<part> parts;
    std::vector<drum_hit> drums;
};
