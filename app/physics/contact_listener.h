#pragma once

// Receives the contact reports of a scene's registered pairs, synchronously
// inside simulate(). `event` is one of the NOTIFY_ON_* values.

class physics_body;

class contact_listener {
public:
    virtual ~contact_listener() = default;
    virtual void on_contact(physics_body& first, physics_body& second, int event) = 0;
};
