#pragma once

// Moves the ball's respawn point to 10 above itself when the ball touches it.
// It stays active: touching it again sets the same point again.
//
// It shows whether the ball has reached it: a dim slate pad before, a lit one
// after, and the newest one reached (the one the ball comes back to) shines
// brightest and raises a flag. Reaching one steps the newest before it back
// to reached; a fall changes nothing. A checkpoint with a mesh of its own
// takes the looks' materials on the whole mesh, without the flag.

#include "level/game_object.h"

class obj_checkpoint : public game_object {
public:
    enum class look { unreached, reached, newest };

    obj_checkpoint(level* owner, const TiXmlElement* element);
    ~obj_checkpoint() override;

    std::string type_name() const override { return "checkpoint"; }
    void on_contact_start(game_object* other) override;
    void on_level_loaded() override;
    void on_remove() override;

    look get_look() const { return shown; }

private:
    void show(look now);

    look shown = look::unreached;
};
