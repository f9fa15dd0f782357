#pragma once

// Receives what happens in a trigger volume, synchronously inside simulate():
// a dynamic, colliding body entering, staying inside (every simulate call) or
// leaving. The listener may destroy the trigger or the body from here.

class physics_body;
class physics_trigger;

class trigger_listener {
public:
    virtual ~trigger_listener() = default;
    virtual void on_enter(physics_trigger& trigger, physics_body& body) {}
    virtual void on_inside(physics_trigger& trigger, physics_body& body) {}
    virtual void on_leave(physics_trigger& trigger, physics_body& body) {}
};
