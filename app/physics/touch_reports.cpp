#include "touch_reports.h"

#include "contact_listener.h"
#include "physics_body.h"
#include "physics_trigger.h"
#include "physics_types.h"
#include "trigger_listener.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>

namespace {

// Contact points closer than this count as touching.
constexpr float touch_distance = 0.05f;

}

touch_reports::touch_reports(const btCollisionDispatcher& dispatcher, const body_map& bodies,
                             const trigger_map& triggers)
    : dispatcher(dispatcher), bodies(bodies), triggers(triggers)
{
}

void touch_reports::add_pair(const physics_body& first, const physics_body& second, int flags)
{
    pairs.add(first.serial, second.serial, flags);
    // Touches are recorded for registered pairs only; a pair made while its
    // bodies touch has not started touching.
    const serial_pair key = contact_pairs::ordered(first.serial, second.serial);
    const auto place = std::lower_bound(last_touching.begin(), last_touching.end(), key);
    if ((place == last_touching.end() || *place != key) && touch(first, second))
        last_touching.insert(place, key);
}

void touch_reports::remove_pair(const physics_body& first, const physics_body& second)
{
    pairs.remove(contact_pairs::ordered(first.serial, second.serial));
}

void touch_reports::forget_body(unsigned long serial)
{
    pairs.remove_all_of(serial);
    last_touching.erase(std::remove_if(last_touching.begin(), last_touching.end(),
                                       [&](const serial_pair& p) { return p.first == serial || p.second == serial; }),
                        last_touching.end());
    for (auto& entry : last_inside)
        entry.second.erase(serial);
}

void touch_reports::forget_trigger(unsigned long serial)
{
    last_inside.erase(serial);
}

void touch_reports::note_step()
{
    const int manifolds = dispatcher.getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        const btPersistentManifold* manifold = dispatcher.getManifoldByIndexInternal(i);
        float closest = touch_distance;
        for (int c = 0; c < manifold->getNumContacts(); ++c)
            closest = std::min(closest, float(manifold->getContactPoint(c).getDistance()));
        if (manifold->getNumContacts() == 0)
            continue;
        const btCollisionObject* a = manifold->getBody0();
        const btCollisionObject* b = manifold->getBody1();
        if (physics_trigger::of(*a))
            std::swap(a, b);
        if (const physics_trigger* trigger = physics_trigger::of(*b)) {
            if (const physics_body* body = physics_body::of(*a); body && closest < 0.0f)
                inside[trigger->serial].insert(body->serial);
            continue;
        }
        if (closest >= touch_distance)
            continue;
        // Only registered pairs can report, and a course has thousands of
        // bodies resting against each other.
        const serial_pair key = contact_pairs::ordered(physics_body::of(*a)->serial, physics_body::of(*b)->serial);
        if (pairs.registered(key))
            touching.push_back(key);
    }
}

bool touch_reports::touch(const physics_body& first, const physics_body& second) const
{
    const int manifolds = dispatcher.getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        const btPersistentManifold* manifold = dispatcher.getManifoldByIndexInternal(i);
        const btCollisionObject* a = manifold->getBody0();
        const btCollisionObject* b = manifold->getBody1();
        if (!((a == first.rigid.get() && b == second.rigid.get()) || (a == second.rigid.get() && b == first.rigid.get())))
            continue;
        for (int c = 0; c < manifold->getNumContacts(); ++c)
            if (manifold->getContactPoint(c).getDistance() < touch_distance)
                return true;
    }
    return false;
}

void touch_reports::deliver(bool stepped)
{
    std::sort(touching.begin(), touching.end());
    touching.erase(std::unique(touching.begin(), touching.end()), touching.end());
    if (!stepped) {
        touching = last_touching;
        inside = last_inside;
    }
    const std::vector<event> events = events_since_last();
    last_touching = std::move(touching);
    last_inside = std::move(inside);
    touching.clear();
    inside.clear();
    dispatch(events);
}

std::vector<touch_reports::event> touch_reports::events_since_last() const
{
    // Only pairs that touch now or touched before can report; they are few,
    // however many pairs a course registers.
    std::vector<event> events;
    for (const contact_pairs::pair& pair : pairs.registered_among(touching, last_touching)) {
        const auto key = contact_pairs::ordered(pair.first, pair.second);
        const bool now = std::binary_search(touching.begin(), touching.end(), key);
        const bool before = std::binary_search(last_touching.begin(), last_touching.end(), key);
        if (now && !before && (pair.flags & NOTIFY_ON_START_TOUCH))
            events.push_back({event::contact, pair.first, pair.second, NOTIFY_ON_START_TOUCH});
        if (now && (pair.flags & NOTIFY_ON_TOUCH))
            events.push_back({event::contact, pair.first, pair.second, NOTIFY_ON_TOUCH});
        if (!now && before && (pair.flags & NOTIFY_ON_END_TOUCH))
            events.push_back({event::contact, pair.first, pair.second, NOTIFY_ON_END_TOUCH});
    }
    // Only triggers with a body inside now or before have news.
    std::set<unsigned long> occupied;
    for (const inside_map* map : {&inside, &last_inside})
        for (const auto& entry : *map)
            if (triggers.count(entry.first))
                occupied.insert(entry.first);
    static const std::set<unsigned long> nobody;
    for (unsigned long serial : occupied) {
        const auto now_found = inside.find(serial);
        const auto before_found = last_inside.find(serial);
        const std::set<unsigned long>& now = now_found == inside.end() ? nobody : now_found->second;
        const std::set<unsigned long>& before = before_found == last_inside.end() ? nobody : before_found->second;
        for (unsigned long body : now)
            events.push_back({before.count(body) ? event::trigger_inside : event::trigger_enter, serial, body, 0});
        for (unsigned long body : before)
            if (!now.count(body))
                events.push_back({event::trigger_leave, serial, body, 0});
    }
    return events;
}

void touch_reports::dispatch(const std::vector<event>& events)
{
    for (const event& e : events) {
        if (e.kind == event::contact) {
            physics_body* first = body_by_serial(e.first);
            physics_body* second = body_by_serial(e.second);
            if (contacts && first && second)
                contacts->on_contact(*first, *second, e.flag);
            continue;
        }
        const auto trigger = triggers.find(e.first);
        physics_body* body = body_by_serial(e.second);
        if (trigger == triggers.end() || !body || !trigger->second->listener)
            continue;
        physics_trigger& t = *trigger->second;
        if (e.kind == event::trigger_enter)
            t.listener->on_enter(t, *body);
        else if (e.kind == event::trigger_inside)
            t.listener->on_inside(t, *body);
        else
            t.listener->on_leave(t, *body);
    }
}

physics_body* touch_reports::body_by_serial(unsigned long serial) const
{
    const auto found = bodies.find(serial);
    return found == bodies.end() ? nullptr : found->second.get();
}
