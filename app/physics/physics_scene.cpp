#include "physics_scene.h"

#include "awake_dynamics_world.h"
#include "friction_mixer.h"
#include "log.h"
#include "node_follower.h"
#include "physics_body.h"
#include "physics_trigger.h"
#include "physics_world.h"
#include "still_pair_dispatcher.h"
#include "touch_reports.h"

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
      dispatcher(std::make_unique<still_pair_dispatcher>(configuration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamics(std::make_unique<awake_dynamics_world>(dispatcher.get(), broadphase.get(), solver.get(),
                                                         configuration.get())),
      friction(std::make_unique<friction_mixer>(*dynamics, *dispatcher)),
      reports(std::make_unique<touch_reports>(*dispatcher, bodies, triggers)),
      nodes(std::make_unique<node_follower>())
{
    dynamics->setGravity(btVector3(0, 0, 0));
    dynamics->getSolverInfo().m_numIterations = 12;
    dynamics->set_before_step(&physics_scene::damp_body);
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
        collision = world.convex_hull(shape.mesh, shape.scale);
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
    body->rigid->setUserIndex(physics_body::user_index);
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
    reports->forget_body(serial);
    if (body->push_listed)
        pushed.erase(std::remove(pushed.begin(), pushed.end(), body), pushed.end());
    nodes->forget(*body);
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
    if (first && second && first != second)
        reports->add_pair(*first, *second, flags);
}

void physics_scene::remove_contact_pair(physics_body* first, physics_body* second)
{
    if (first && second)
        reports->remove_pair(*first, *second);
}

void physics_scene::set_contact_listener(contact_listener* listener)
{
    reports->set_listener(listener);
}

void physics_scene::remove_contact_listener()
{
    reports->set_listener(nullptr);
}

physics_trigger* physics_scene::create_trigger(const Ogre::Vector3& size, const pose& at, trigger_listener* listener)
{
    std::unique_ptr<physics_trigger> trigger(new physics_trigger(next_serial++, size, at, listener));
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
    reports->forget_trigger(trigger->serial);
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

    for (int i = 0; i < steps; ++i) {
        dynamics->stepSimulation(step, 0, step);
        nodes->note_step(*dynamics);
        friction->roll(step);
        reports->note_step();
    }
    reports->deliver(steps > 0);
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

void physics_scene::render()
{
    // How far the frame's time has come into the next step.
    nodes->render(std::clamp(accumulator / step, 0.0f, 1.0f));
}
