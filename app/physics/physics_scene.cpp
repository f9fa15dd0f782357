#include "physics_scene.h"

#include "awake_dynamics_world.h"
#include "contact_listener.h"
#include "log.h"
#include "physics_body.h"
#include "physics_trigger.h"
#include "physics_world.h"
#include "trigger_listener.h"

#include <OgreEntity.h>
#include <OgreSceneManager.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>

namespace {

// Collision groups: dynamic bodies meet everything, static ones only dynamic
// ones, triggers only dynamic bodies, and a body with collision disabled
// nothing at all.
constexpr int group_dynamic = 1;
constexpr int group_static = 2;
constexpr int group_trigger = 4;

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

}

physics_scene::physics_scene(physics_world& world, std::string name, Ogre::SceneManager* scene_manager)
    : world(world), name(std::move(name)), scene_manager(scene_manager),
      configuration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<btCollisionDispatcher>(configuration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamics(std::make_unique<awake_dynamics_world>(dispatcher.get(), broadphase.get(), solver.get(),
                                                         configuration.get()))
{
    gCalculateCombinedFrictionCallback = average;
    gCalculateCombinedRestitutionCallback = average_restitution;
    dynamics->setGravity(btVector3(0, 0, 0));
    dynamics->getSolverInfo().m_numIterations = 12;
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
    for (physics_body* body : moving)
        body->apply_flags();
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
    body->angular_damping = std::max(params.angular_damping, 0.0f);
    if (params.gravity_disabled)
        body->body_flags |= BF_DISABLE_GRAVITY;

    if (scene_manager) {
        body->node = scene_manager->getRootSceneNode()->createChildSceneNode(at.position, at.orientation);
        try {
            body->entity = scene_manager->createEntity(mesh);
            body->node->attachObject(body->entity);
        } catch (const Ogre::Exception&) {
            log_line(body_name + ": Mesh " + mesh + " kann nicht geladen werden");
            body->entity = nullptr;
        }
    }

    physics_body* created = body.get();
    bodies[created->serial] = std::move(body);
    if (dynamic)
        moving.push_back(created);
    add_to_world(*created);
    created->apply_flags();
    return created;
}

void physics_scene::add_to_world(physics_body& body)
{
    if (!body.collides() || body.disabled)
        dynamics->addRigidBody(body.rigid.get(), 0, 0);
    else if (body.dynamic)
        dynamics->addRigidBody(body.rigid.get(), group_dynamic, group_dynamic | group_static | group_trigger);
    else
        dynamics->addRigidBody(body.rigid.get(), group_static, group_dynamic);
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
    pairs.erase(std::remove_if(pairs.begin(), pairs.end(),
                               [&](const contact_pair& p) { return p.first == serial || p.second == serial; }),
                pairs.end());
    for (auto it = last_touching.begin(); it != last_touching.end();)
        it = (it->first == serial || it->second == serial) ? last_touching.erase(it) : std::next(it);
    for (auto& inside : last_inside)
        inside.second.erase(serial);
    moving.erase(std::remove(moving.begin(), moving.end(), body), moving.end());
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
    remove_contact_pair(first, second);
    pairs.push_back({first->serial, second->serial, flags, false});
}

void physics_scene::remove_contact_pair(physics_body* first, physics_body* second)
{
    if (!first || !second)
        return;
    const auto key = ordered(first->serial, second->serial);
    pairs.erase(std::remove_if(pairs.begin(), pairs.end(),
                               [&](const contact_pair& p) { return ordered(p.first, p.second) == key; }),
                pairs.end());
}

physics_trigger* physics_scene::create_trigger(const Ogre::Vector3& size, const pose& at, trigger_listener* listener)
{
    std::unique_ptr<physics_trigger> trigger(new physics_trigger(next_serial++, size, at, listener));
    trigger->object->setUserPointer(trigger.get());
    trigger->object->setUserIndex(kind_trigger);
    dynamics->addCollisionObject(trigger->object.get(), group_trigger, group_dynamic);
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

void physics_scene::simulate(float dt)
{
    if (!(dt > 0.0f) || !std::isfinite(dt))
        dt = 0.0f;
    for (physics_body* body : moving)
        body->apply_pending_push();

    accumulator += dt;
    int steps = int(accumulator / step);
    accumulator -= float(steps) * step;
    steps = std::min(steps, max_steps_per_simulate);

    touch_set touching;
    inside_map inside;
    for (int i = 0; i < steps; ++i) {
        for (physics_body* body : moving)
            body->damp(step);
        dynamics->stepSimulation(step, 0, step);
        apply_rolling_friction();
        collect_touches(touching, inside);
    }
    if (steps == 0) {
        touching = last_touching;
        inside = last_inside;
    }
    const std::vector<event> events = events_since_last(touching, inside);
    last_touching = std::move(touching);
    last_inside = std::move(inside);
    dispatch(events);
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
        touching.insert(ordered(static_cast<physics_body*>(a->getUserPointer())->serial,
                                static_cast<physics_body*>(b->getUserPointer())->serial));
    }
}

std::vector<physics_scene::event> physics_scene::events_since_last(const touch_set& touching,
                                                                   const inside_map& inside) const
{
    std::vector<event> events;
    for (const contact_pair& pair : pairs) {
        const auto key = ordered(pair.first, pair.second);
        const bool now = touching.count(key) > 0;
        const bool before = last_touching.count(key) > 0;
        if (now && !before && (pair.flags & NOTIFY_ON_START_TOUCH))
            events.push_back({event::contact, pair.first, pair.second, NOTIFY_ON_START_TOUCH});
        if (now && (pair.flags & NOTIFY_ON_TOUCH))
            events.push_back({event::contact, pair.first, pair.second, NOTIFY_ON_TOUCH});
        if (!now && before && (pair.flags & NOTIFY_ON_END_TOUCH))
            events.push_back({event::contact, pair.first, pair.second, NOTIFY_ON_END_TOUCH});
    }
    static const std::set<unsigned long> nobody;
    for (const auto& trigger : triggers) {
        const unsigned long serial = trigger.first;
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
    for (physics_body* body : moving)
        body->sync_node();
}
