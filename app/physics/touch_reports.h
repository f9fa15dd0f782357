#pragma once

// What a scene tells its listeners: the contact reports of registered pairs
// and what happens in trigger volumes. After each fixed step it notes which
// registered pairs touch and which bodies are inside which triggers; at the
// end of simulate() it compares that with the last simulate call and delivers
// the differences, synchronously. Listeners may destroy bodies and triggers
// meanwhile: bodies and triggers are named by serial until delivery, so one
// that is gone is skipped. The scene must call forget_body and forget_trigger
// as it destroys one.

#include "contact_pairs.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

class btCollisionDispatcher;
class contact_listener;
class physics_body;
class physics_trigger;

class touch_reports {
public:
    using body_map = std::map<unsigned long, std::unique_ptr<physics_body>>;
    using trigger_map = std::map<unsigned long, std::unique_ptr<physics_trigger>>;

    // The scene's dispatcher, bodies and triggers, which must outlive this.
    touch_reports(const btCollisionDispatcher& dispatcher, const body_map& bodies, const trigger_map& triggers);

    void add_pair(const physics_body& first, const physics_body& second, int flags);
    void remove_pair(const physics_body& first, const physics_body& second);
    // Null stops every contact report.
    void set_listener(contact_listener* listener) { contacts = listener; }

    void forget_body(unsigned long serial);
    void forget_trigger(unsigned long serial);

    // After each fixed step: what touches and what is inside now.
    void note_step();
    // At the end of simulate(): delivers what changed since the call before.
    // A call without steps saw nothing new, and repeats what touched and was
    // inside before.
    void deliver(bool stepped);

private:
    using serial_pair = contact_pairs::serial_pair;
    // Registered pairs that touch, sorted and without repeats.
    using touch_set = std::vector<serial_pair>;
    using inside_map = std::map<unsigned long, std::set<unsigned long>>;

    // A notification to deliver once stepping is over.
    struct event {
        enum kind_type { contact, trigger_enter, trigger_inside, trigger_leave };
        kind_type kind;
        unsigned long first;
        unsigned long second;
        int flag;
    };

    // Whether the two bodies touch as of the last step.
    bool touch(const physics_body& first, const physics_body& second) const;
    std::vector<event> events_since_last() const;
    void dispatch(const std::vector<event>& events);
    physics_body* body_by_serial(unsigned long serial) const;

    const btCollisionDispatcher& dispatcher;
    const body_map& bodies;
    const trigger_map& triggers;
    contact_pairs pairs;
    contact_listener* contacts = nullptr;
    // What touched and what was inside during this simulate call's steps.
    touch_set touching;
    inside_map inside;
    // What touched and what was inside as of the last simulate call.
    touch_set last_touching;
    inside_map last_inside;
};
