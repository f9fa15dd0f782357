#pragma once

// A coloured door: a tall slab that is visible and collides while the door
// is closed, and is neither once it is open, so an open doorway is empty.
// A level file may give `open_mesh`, something that stands at the door's
// pose only while it is open (a lintel, a raised gate); it then looks and
// collides as that mesh's hull. Switches of its colour flip it; white is a
// wildcard on both sides.

#include "level/game_object.h"

class obj_door : public game_object {
public:
    obj_door(level* owner, const TiXmlElement* element);
    ~obj_door() override;

    std::string type_name() const override { return "door"; }
    void on_remove() override;

    // Flips the door when the switch's colour answers to it.
    void toggle(int switch_colour);
    bool is_open() const { return open; }
    int get_colour() const { return colour; }
    // The body of the level's `open_mesh`, or null when it gives none.
    physics_body* get_open_body() const { return open_body; }

private:
    void apply_state();

    int colour = 3;
    bool open = false;
    physics_body* open_body = nullptr;
};
