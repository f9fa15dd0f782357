#include "physics_scene.h"

#include "awake_dynamics_world.h"
#include "contact_listener.h"
#include "log.h"
#include "physics_body.h"
#include "physics_trigger.h"
#include "physics_world.h"
#include "still_pair_dispatcher.h"
#include "trigger_listener.h"

#include <OgreEntity.h>
#include <OgreSceneManager.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>

namespace {

// Collision groups: dynamic bodies meet everything, static ones only dynamic
// ones, triggers only dynamic bodies, and a body with collision disabled
// nothing at all. A dynamic body frozen in place (a falling block before it
// falls) is static to the solver, so it meets only bodies that move and the
// triggers: courses are full of them, flush with their neighbours.
constexpr int group_dynamic = 1;
constexpr int group_static = 2;
constexpr int group_trigger = 4;
constexpr int group_frozen = 8;

// At most this many fixed steps per frame: after a long hitch the world
// slows down for a moment instead of stalling on catch-up work.
constexpr int max_steps_per_simulate = 12;

// Contact points closer than this count as touching.
constexpr float touch_distance = 0.05f;

enum object_kind { kind_body = 1, kind_trigger = 2 };

// Two materials meet with the average of their values, as the game's levels
// were tuned with.
btScalar average(const btCollisionObject* a, const btCollisionObject* b)
{
    return (a->getFriction() + b->getFriction()) * 0.5f;
}

btScalar average_restitution(const btCollisionObject* a, const btCollisionObject* b)
{
    return (a->getRestitution() + b->getRestitution()) * 0.5f;
}

// A contact point whose surfaces move across each other faster than this
// slides, and meets with the dynamic friction of the two materials.
constexpr float sliding_speed = 0.1f;

std::pair<unsigned long, unsigned long> ordered(unsigned long a, unsigned long b)
{
    return a < b ? std::make_pair(a, b) : std::make_pair(b, a);
}

float shape_volume(const shape_desc& shape, const btCollisionShape* collision)
{
    switch (shape.kind) {
    case shape_desc::sphere:
        return 4.0f / 3.0f * float(M_PI) * shape.radius * shape.radius * shape.radius;
    case shape_desc::cube:
        return shape.size.x * shape.size.y * shape.size.z;
    case shape_desc::convex:
        break;
    }
    btVector3 low, high;
    collision->getAabb(btTransform::getIdentity(), low, high);
    const btVector3 extent = high - low;
    return extent.x() * extent.y() * extent.z();
}

bool finite(const Ogre::Vector3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

pose to_pose(const btTransform& transform)
{
    const btVector3& p = transform.getOrigin();
    const btQuaternion q = transform.getRotation();
    return {Ogre::Vector3(p.x(), p.y(), p.z()), Ogre::Quaternion(q.w(), q.x(), q.y(), q.z())};
}

}

physics_scene::physics_scene(physics_world& world, std::string name, Ogre::SceneManager* scene_manager)
    : world(world), name(std::move(name)), scene_manager(scene_manager),
      configuration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<still_pair_dispatcher>(configuration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamics(std::make_unique<awake_dynamics_world>(dispatcher.get(), broadphase.get(), solver.get(),
                                                         configuration.get()))
{
    gCalculateCombinedFrictionCallback = average;
    gCalculateCombinedRestitutionCallback = average_restitution;
    dynamics->setGravity(btVector3(0, 0, 0));
    dynamics->getSolverInfo().m_numIterations = 12;
    dynamics->set_before_step(&physics_scene::damp_body);
    dynamics->set_before_solve(&physics_scene::mix_friction);
    // While the level is built, new bodies look for their pairs all at once
    // in settle(), not each on its own in a tree that grows with every block.
    broadphase->m_deferedcollide = true;
    materials[""] = physics_material();
}

physics_scene::~physics_scene()
{
    destroy_actors();
    triggers.clear();
}

void physics_scene::set_gravity(const Ogre::Vector3& g)
{
    gravity = finite(g) ? g : Ogre::Vector3::ZERO;
    dynamics->setGravity(btVector3(gravity.x, gravity.y, gravity.z));
    for (auto& body : bodies)
        body.second->apply_flags();
}

physics_material* physics_scene::create_material(const std::string& material)
{
    return &materials[material];
}

const physics_material& physics_scene::material_of(const std::string& material) const
{
    const auto found = materials.find(material);
    return found == materials.end() ? materials.at("") : found->second;
}

physics_body* physics_scene::create_body(const std::string& body_name, const std::string& mesh,
                                         const shape_desc& shape, const pose& at, const actor_params& params)
{
    const bool dynamic = params.mass != 0.0f || params.density != 0.0f;
    std::unique_ptr<physics_body> body(new physics_body(*this, next_serial++, body_name, dynamic));

    btCollisionShape* collision = nullptr;
    switch (shape.kind) {
    case shape_desc::sphere:
        body->own_shape = std::make_unique<btSphereShape>(std::max(shape.radius, 0.01f));
        collision = body->own_shape.get();
        break;
    case shape_desc::cube:
        body->own_shape = std::make_unique<btBoxShape>(
            btVector3(std::max(shape.size.x, 0.01f), std::max(shape.size.y, 0.01f), std::max(shape.size.z, 0.01f)) *
            0.5f);
        collision = body->own_shape.get();
        break;
    case shape_desc::convex:
        collision = world.convex_hull(shape.mesh);
        break;
    }
    if (shape.offset != Ogre::Vector3::ZERO) {
        auto compound = std::make_unique<btCompoundShape>();
        compound->addChildShape(btTransform(btQuaternion::getIdentity(),
                                            btVector3(shape.offset.x, shape.offset.y, shape.offset.z)),
                                collision);
        body->offset_shape = std::move(compound);
        collision = body->offset_shape.get();
    }

    float mass = 0.0f;
    if (dynamic)
        mass = params.mass != 0.0f ? std::fabs(params.mass) : std::fabs(params.density) * shape_volume(shape, collision);
    btVector3 inertia(0, 0, 0);
    if (mass > 0.0f)
        collision->calculateLocalInertia(mass, inertia);
    btRigidBody::btRigidBodyConstructionInfo info(mass, nullptr, collision, inertia);
    const physics_material& material = material_of(shape.material);
    info.m_restitution = material.restitution;
    info.m_friction = material.static_friction;
    info.m_startWorldTransform = btTransform(
        btQuaternion(at.orientation.x, at.orientation.y, at.orientation.z, at.orientation.w),
        btVector3(at.position.x, at.position.y, at.position.z));
    body->rigid = std::make_unique<btRigidBody>(info);
    body->rigid->setUserPointer(body.get());
    body->rigid->setUserIndex(kind_body);
    if (dynamic) {
        body->rigid->setActivationState(DISABLE_DEACTIVATION);
        // Fast small bodies are swept so they cannot pass through thin walls.
        btVector3 centre;
        btScalar radius;
        collision->getBoundingSphere(centre, radius);
        body->rigid->setCcdMotionThreshold(radius * 0.25f);
        body->rigid->setCcdSweptSphereRadius(radius * 0.5f);
    }
    body->linear_damping = std::max(params.linear_damping, 0.0f);
    body->rolling_friction = std::max(material.rolling_friction, 0.0f);
    body->dynamic_friction = material.dynamic_friction;
    body->angular_damping = std::max(params.angular_damping, 0.0f);
    if (params.gravity_disabled)
        body->body_flags |= BF_DISABLE_GRAVITY;

    if (scene_manager) {
        body->node = scene_manager->getRootSceneNode()->createChildSceneNode(at.position, at.orientation);
        try {
            body->entity = scene_manager->createEntity(mesh);
            body->node->attachObject(body->entity);
        } catch (const Ogre::Exception&) {
            log_line(body_name + ": mesh " + mesh + " cannot be loaded");
            body->entity = nullptr;
        }
    }

    physics_body* created = body.get();
    bodies[created->serial] = std::move(body);
    add_to_world(*created);
    created->apply_flags();
    // While a level is built every body lands in the broadphase's tree for
    // moving things, one after the other along the course; rebuilt whenever
    // it has doubled, the tree stays balanced and adding stays cheap.
    btDbvt& growing = broadphase->m_sets[btDbvtBroadphase::DYNAMIC_SET];
    if (broadphase->m_deferedcollide && growing.m_leaves >= 2 * balanced_leaves) {
        growing.optimizeTopDown(8);
        balanced_leaves = growing.m_leaves;
    }
    return created;
}

std::pair<int, int> physics_scene::collision_filter(const physics_body& body) const
{
    if (!body.collides() || body.disabled)
        return {0, 0};
    if (!body.dynamic)
        return {group_static, group_dynamic};
    if (body.has_body_flag(BF_FROZEN))
        return {group_frozen, group_dynamic | group_trigger};
    return {group_dynamic, group_dynamic | group_static | group_trigger | group_frozen};
}

void physics_scene::add_to_world(physics_body& body)
{
    const auto [group, mask] = collision_filter(body);
    dynamics->addRigidBody(body.rigid.get(), group, mask);
}

void physics_scene::update_collision_filter(physics_body& body)
{
    btBroadphaseProxy* proxy = body.rigid->getBroadphaseHandle();
    const auto [group, mask] = collision_filter(body);
    if (!proxy || (proxy->m_collisionFilterGroup == group && proxy->m_collisionFilterMask == mask))
        return;
    proxy->m_collisionFilterGroup = group;
    proxy->m_collisionFilterMask = mask;
    // A new proxy finds the pairs the new filter allows and drops the others.
    dynamics->refreshBroadphaseProxy(body.rigid.get());
    dispatcher->mark_moved(*body.rigid);
}

void physics_scene::remove_from_world(physics_body& body)
{
    dynamics->removeRigidBody(body.rigid.get());
}

physics_body* physics_scene::find_body(const std::string& body_name) const
{
    for (const auto& body : bodies)
        if (body.second->name == body_name)
            return body.second.get();
    return nullptr;
}

physics_body* physics_scene::body_by_serial(unsigned long serial) const
{
    const auto found = bodies.find(serial);
    return found == bodies.end() ? nullptr : found->second.get();
}

void physics_scene::destroy_body(const std::string& body_name)
{
    destroy_body(find_body(body_name));
}

void physics_scene::destroy_body(physics_body* body)
{
    if (!body || body_by_serial(body->serial) != body)
        return;
    const unsigned long serial = body->serial;
    const auto partnered = partners.find(serial);
    if (partnered != partners.end()) {
        const std::set<unsigned long> others = partnered->second;
        for (unsigned long other : others)
            remove_pair(ordered(serial, other));
    }
    last_touching.erase(std::remove_if(last_touching.begin(), last_touching.end(),
                                       [&](const serial_pair& p) { return p.first == serial || p.second == serial; }),
                        last_touching.end());
    for (auto& inside : last_inside)
        inside.second.erase(serial);
    if (body->push_listed)
        pushed.erase(std::remove(pushed.begin(), pushed.end(), body), pushed.end());
    if (body->awaiting_sync)
        to_sync.erase(std::remove(to_sync.begin(), to_sync.end(), body), to_sync.end());
    if (body->in_motion)
        in_motion.erase(std::remove(in_motion.begin(), in_motion.end(), body), in_motion.end());
    remove_from_world(*body);
    if (body->node) {
        if (body->entity)
            scene_manager->destroyEntity(body->entity);
        scene_manager->destroySceneNode(body->node);
    }
    bodies.erase(serial);
}

void physics_scene::destroy_actors()
{
    while (!bodies.empty())
        destroy_body(bodies.begin()->second.get());
}

void physics_scene::create_contact_pair(physics_body* first, physics_body* second, int flags)
{
    if (!first || !second || first == second)
        return;
    const serial_pair key = ordered(first->serial, second->serial);
    remove_pair(key);
    const unsigned long number = next_pair_number++;
    pairs[number] = {first->serial, second->serial, flags};
    pair_numbers[key] = number;
    partners[key.first].insert(key.second);
    partners[key.second].insert(key.first);
    // Touches are recorded for registered pairs only; a pair made while its
    // bodies touch has not started touching.
    const auto place = std::lower_bound(last_touching.begin(), last_touching.end(), key);
    if ((place == last_touching.end() || *place != key) && touch(*first, *second))
        last_touching.insert(place, key);
}

void physics_scene::remove_contact_pair(physics_body* first, physics_body* second)
{
    if (first && second)
        remove_pair(ordered(first->serial, second->serial));
}

void physics_scene::remove_pair(const serial_pair& key)
{
    const auto found = pair_numbers.find(key);
    if (found == pair_numbers.end())
        return;
    pairs.erase(found->second);
    pair_numbers.erase(found);
    for (const auto& [one, other] : {key, serial_pair(key.second, key.first)}) {
        const auto list = partners.find(one);
        list->second.erase(other);
        if (list->second.empty())
            partners.erase(list);
    }
}

physics_trigger* physics_scene::create_trigger(const Ogre::Vector3& size, const pose& at, trigger_listener* listener)
{
    std::unique_ptr<physics_trigger> trigger(new physics_trigger(next_serial++, size, at, listener));
    trigger->object->setUserPointer(trigger.get());
    trigger->object->setUserIndex(kind_trigger);
    dynamics->addCollisionObject(trigger->object.get(), group_trigger, group_dynamic | group_frozen);
    physics_trigger* created = trigger.get();
    triggers[created->serial] = std::move(trigger);
    return created;
}

void physics_scene::destroy_trigger(physics_trigger* trigger)
{
    if (!trigger)
        return;
    const auto found = triggers.find(trigger->serial);
    if (found == triggers.end() || found->second.get() != trigger)
        return;
    dynamics->removeCollisionObject(trigger->object.get());
    last_inside.erase(trigger->serial);
    triggers.erase(found);
}

void physics_scene::settle()
{
    // New proxies start in the tree for moving things; these passes find
    // their pairs and move the still ones to the tree for still things. That
    // tree grew one block at a time along the course, so it is built anew,
    // balanced, instead of by a percent in each step of play.
    for (int i = 0; i <= btDbvtBroadphase::STAGECOUNT; ++i)
        broadphase->calculateOverlappingPairs(dispatcher.get());
    broadphase->m_sets[btDbvtBroadphase::FIXED_SET].optimizeTopDown(8);
    broadphase->m_fixedleft = 0;
    broadphase->m_deferedcollide = false;
}

void physics_scene::simulate(float dt)
{
    if (!(dt > 0.0f) || !std::isfinite(dt))
        dt = 0.0f;
    if (broadphase->m_deferedcollide)
        settle();
    for (physics_body* body : pushed) {
        body->apply_pending_push();
        body->push_listed = false;
    }
    pushed.clear();

    accumulator += dt;
    int steps = int(accumulator / step);
    accumulator -= float(steps) * step;
    steps = std::min(steps, max_steps_per_simulate);

    touch_set touching;
    inside_map inside;
    for (int i = 0; i < steps; ++i) {
        dynamics->stepSimulation(step, 0, step);
        note_moved();
        apply_rolling_friction();
        collect_touches(touching, inside);
    }
    std::sort(touching.begin(), touching.end());
    touching.erase(std::unique(touching.begin(), touching.end()), touching.end());
    if (steps == 0) {
        touching = last_touching;
        inside = last_inside;
    }
    const std::vector<event> events = events_since_last(touching, inside);
    last_touching = std::move(touching);
    last_inside = std::move(inside);
    dispatch(events);
}

void physics_scene::note_pushed(physics_body& body)
{
    if (!body.push_listed) {
        body.push_listed = true;
        pushed.push_back(&body);
    }
}

void physics_scene::damp_body(btRigidBody& rigid, btScalar step)
{
    static_cast<physics_body*>(rigid.getUserPointer())->damp(step);
}

void physics_scene::mix_friction(btPersistentManifold& manifold)
{
    const btRigidBody* a = btRigidBody::upcast(manifold.getBody0());
    const btRigidBody* b = btRigidBody::upcast(manifold.getBody1());
    if (!a || !b || a->getUserIndex() != kind_body || b->getUserIndex() != kind_body)
        return;
    const float sliding = (static_cast<const physics_body*>(a->getUserPointer())->dynamic_friction +
                           static_cast<const physics_body*>(b->getUserPointer())->dynamic_friction) *
                          0.5f;
    const float resting = average(a, b);
    for (int i = 0; i < manifold.getNumContacts(); ++i) {
        btManifoldPoint& point = manifold.getContactPoint(i);
        const btVector3 velocity =
            a->getVelocityInLocalPoint(point.getPositionWorldOnA() - a->getCenterOfMassPosition()) -
            b->getVelocityInLocalPoint(point.getPositionWorldOnB() - b->getCenterOfMassPosition());
        const btVector3& normal = point.m_normalWorldOnB;
        const btVector3 across = velocity - normal * velocity.dot(normal);
        point.m_combinedFriction = across.length2() > sliding_speed * sliding_speed ? sliding : resting;
    }
}

void physics_scene::note_moved()
{
    // A body the step before moved and this one did not has stopped: the
    // next render draws it exactly where it rests.
    for (physics_body* body : in_motion) {
        body->in_motion = false;
        note_sync(*body);
    }
    in_motion.clear();
    const std::vector<btRigidBody*>& moved = dynamics->moved_in_step();
    const btAlignedObjectArray<btTransform>& before = dynamics->moved_from();
    for (size_t i = 0; i < moved.size(); ++i) {
        auto* body = static_cast<physics_body*>(moved[i]->getUserPointer());
        body->before_step = to_pose(before[int(i)]);
        body->in_motion = true;
        in_motion.push_back(body);
        note_sync(*body);
    }
}

void physics_scene::note_sync(physics_body& body)
{
    if (!body.awaiting_sync) {
        body.awaiting_sync = true;
        to_sync.push_back(&body);
    }
}

void physics_scene::apply_rolling_friction()
{
    // Bullet's own rolling friction is capped in absolute units that mean
    // nothing at the game's masses, so a surface's rolling friction damps
    // the spin of a body resting on it relative to the surface, here.
    const int manifolds = dispatcher->getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
        if (manifold->getNumContacts() == 0)
            continue;
        const btCollisionObject* a = manifold->getBody0();
        const btCollisionObject* b = manifold->getBody1();
        if (a->getUserIndex() != kind_body || b->getUserIndex() != kind_body)
            continue;
        auto* first = static_cast<physics_body*>(a->getUserPointer());
        auto* second = static_cast<physics_body*>(b->getUserPointer());
        first->damp_spin_against(*second, step);
        second->damp_spin_against(*first, step);
    }
}

void physics_scene::collect_touches(touch_set& touching, inside_map& inside) const
{
    const int manifolds = dispatcher->getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
        float closest = touch_distance;
        for (int c = 0; c < manifold->getNumContacts(); ++c)
            closest = std::min(closest, float(manifold->getContactPoint(c).getDistance()));
        if (manifold->getNumContacts() == 0)
            continue;
        const btCollisionObject* a = manifold->getBody0();
        const btCollisionObject* b = manifold->getBody1();
        if (a->getUserIndex() == kind_trigger)
            std::swap(a, b);
        if (b->getUserIndex() == kind_trigger) {
            if (a->getUserIndex() == kind_body && closest < 0.0f)
                inside[static_cast<physics_trigger*>(b->getUserPointer())->serial].insert(
                    static_cast<physics_body*>(a->getUserPointer())->serial);
            continue;
        }
        if (closest >= touch_distance)
            continue;
        // Only registered pairs can report, and a course has thousands of
        // bodies resting against each other.
        const serial_pair key = ordered(static_cast<physics_body*>(a->getUserPointer())->serial,
                                        static_cast<physics_body*>(b->getUserPointer())->serial);
        if (pair_numbers.count(key))
            touching.push_back(key);
    }
}

bool physics_scene::touch(const physics_body& first, const physics_body& second) const
{
    const int manifolds = dispatcher->getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
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

std::vector<physics_scene::event> physics_scene::events_since_last(const touch_set& touching,
                                                                   const inside_map& inside) const
{
    // Only pairs that touch now or touched before can report; they are few,
    // however many pairs a course registers.
    std::set<unsigned long> reporting;
    for (const touch_set* set : {&touching, &last_touching})
        for (const serial_pair& key : *set)
            if (const auto found = pair_numbers.find(key); found != pair_numbers.end())
                reporting.insert(found->second);
    std::vector<event> events;
    for (unsigned long number : reporting) {
        const contact_pair& pair = pairs.at(number);
        const auto key = ordered(pair.first, pair.second);
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

void physics_scene::dispatch(const std::vector<event>& events)
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

void physics_scene::render()
{
    // How far the frame's time has come into the next step.
    const float alpha = std::clamp(accumulator / step, 0.0f, 1.0f);
    for (physics_body* body : to_sync) {
        if (!body->in_motion)
            body->sync_node(alpha);
        body->awaiting_sync = false;
    }
    to_sync.clear();
    for (physics_body* body : in_motion)
        body->sync_node(alpha);
}
