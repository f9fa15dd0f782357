#include "app/physics/contact_listener.h"
#include "app/physics/physics_trigger.h"
#include "app/physics/trigger_listener.h"
#include "physics_fixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

struct contact_log : contact_listener {
    void on_contact(physics_body& first, physics_body& second, int event) override
    {
        events.push_back(first.get_name() + "+" + second.get_name() + ":" + std::to_string(event));
        if (on_event)
            on_event(first, second, event);
    }
    int count(int event) const
    {
        int n = 0;
        for (const std::string& e : events)
            n += e.size() > 2 && e.substr(e.rfind(':') + 1) == std::to_string(event);
        return n;
    }
    std::vector<std::string> events;
    std::function<void(physics_body&, physics_body&, int)> on_event;
};

struct trigger_log : trigger_listener {
    void on_enter(physics_trigger& t, physics_body& b) override { record("enter", t, b); }
    void on_inside(physics_trigger& t, physics_body& b) override { record("inside", t, b); }
    void on_leave(physics_trigger& t, physics_body& b) override { record("leave", t, b); }
    void record(const std::string& what, physics_trigger& t, physics_body& b)
    {
        events.push_back(what + ":" + b.get_name());
        if (on_event)
            on_event(what, t, b);
    }
    int count(const std::string& what) const
    {
        int n = 0;
        for (const std::string& e : events)
            n += e.rfind(what + ":", 0) == 0;
        return n;
    }
    std::vector<std::string> events;
    std::function<void(const std::string&, physics_trigger&, physics_body&)> on_event;
};

class physics_contract : public physics_fixture {
protected:
    physics_body* dynamic_cube(const std::string& name, const Ogre::Vector3& at, float size, float mass,
                               float density = 0.0f)
    {
        actor_params params;
        params.mass = mass;
        params.density = density;
        return scene->create_body(name, "block_10_10.mesh", shape_desc::make_cube(size, size, size), {at}, params);
    }
};

}

TEST_F(physics_contract, cubes_are_full_edge_lengths_centred_on_their_pose)
{
    make_static_cube("floor", Ogre::Vector3(0, 0, 0), Ogre::Vector3(10, 2, 10));
    physics_body* box = dynamic_cube("box", Ogre::Vector3(0, 10, 0), 2.0f, 10.0f);
    physics_body* ball = make_ball(Ogre::Vector3(20, 10, 0));
    make_static_cube("floor2", Ogre::Vector3(20, 0, 0), Ogre::Vector3(10, 2, 10));
    run(4.0f, 60.0f);
    EXPECT_NEAR(box->get_position().y, 2.0f, 0.1f);
    EXPECT_NEAR(ball->get_position().y, 5.0f, 0.1f);
}

TEST_F(physics_contract, a_body_is_dynamic_when_mass_or_density_is_given_and_mass_wins)
{
    actor_params flagged_static;
    flagged_static.is_static = true;
    flagged_static.mass = 5.0f;
    physics_body* heavy_static = scene->create_body("s", "m", shape_desc::make_cube(2, 2, 2), {Ogre::Vector3(0, 50, 0)},
                                                    flagged_static);
    physics_body* none = dynamic_cube("none", Ogre::Vector3(10, 50, 0), 2.0f, 0.0f);
    EXPECT_TRUE(heavy_static->is_dynamic());
    EXPECT_FALSE(none->is_dynamic());

    // Same push: a mass of 10 against density 5 over a 2 × 2 × 2 cube (mass 40),
    // and a body carrying both, whose mass of 10 wins.
    physics_body* by_mass = dynamic_cube("by_mass", Ogre::Vector3(0, 100, 0), 2.0f, 10.0f);
    physics_body* by_density = dynamic_cube("by_density", Ogre::Vector3(10, 100, 0), 2.0f, 0.0f, 5.0f);
    physics_body* both = dynamic_cube("both", Ogre::Vector3(20, 100, 0), 2.0f, 10.0f, 5.0f);
    for (physics_body* b : {by_mass, by_density, both}) {
        b->raise_body_flag(BF_DISABLE_GRAVITY);
        b->add_force(Ogre::Vector3(1000, 0, 0));
    }
    frame(1.0f / 60.0f);
    EXPECT_NEAR(by_mass->get_linear_velocity().x / by_density->get_linear_velocity().x, 4.0f, 0.01f);
    EXPECT_FLOAT_EQ(both->get_linear_velocity().x, by_mass->get_linear_velocity().x);
    run(1.0f, 60.0f);
    EXPECT_LT(heavy_static->get_position().y, 45.0f);
    EXPECT_FLOAT_EQ(none->get_position().y, 50.0f);
}

TEST_F(physics_contract, flags_hold_their_axes_and_gravity)
{
    physics_body* no_gravity = dynamic_cube("a", Ogre::Vector3(0, 50, 0), 2.0f, 10.0f);
    no_gravity->raise_body_flag(BF_DISABLE_GRAVITY);
    physics_body* frozen_y = dynamic_cube("b", Ogre::Vector3(10, 50, 0), 2.0f, 10.0f);
    frozen_y->raise_body_flag(BF_FROZEN_POS_Y);
    physics_body* frozen = dynamic_cube("c", Ogre::Vector3(20, 50, 0), 2.0f, 10.0f);
    frozen->raise_body_flag(BF_FROZEN);
    physics_body* no_turn = dynamic_cube("d", Ogre::Vector3(30, 50, 0), 2.0f, 10.0f);
    no_turn->raise_body_flag(BF_FROZEN_ROT | BF_DISABLE_GRAVITY);
    run(1.0f, 60.0f, [&](float dt) {
        frozen_y->add_force(Ogre::Vector3(1000, 1000, 0) * dt);
        frozen->add_force(Ogre::Vector3(1000, 1000, 1000) * dt);
        frozen->add_torque(Ogre::Vector3(1000, 1000, 1000) * dt);
        no_turn->add_torque(Ogre::Vector3(1000, 1000, 1000) * dt);
    });
    EXPECT_FLOAT_EQ(no_gravity->get_position().y, 50.0f);
    EXPECT_FLOAT_EQ(frozen_y->get_position().y, 50.0f);
    EXPECT_GT(frozen_y->get_position().x, 10.5f);
    EXPECT_EQ(frozen->get_position(), Ogre::Vector3(20, 50, 0));
    EXPECT_EQ(frozen->get_orientation(), Ogre::Quaternion::IDENTITY);
    EXPECT_EQ(no_turn->get_orientation(), Ogre::Quaternion::IDENTITY);

    // Clearing the flags lets gravity act again (a falling block).
    frozen->clear_body_flag(BF_FROZEN);
    run(0.5f, 60.0f);
    EXPECT_LT(frozen->get_position().y, 45.0f);
}

TEST_F(physics_contract, damping_above_one_slows_smoothly_without_reversing)
{
    physics_body* body = dynamic_cube("a", Ogre::Vector3(0, 0, 0), 2.0f, 10.0f);
    body->raise_body_flag(BF_DISABLE_GRAVITY);
    body->set_linear_damping(10.0f);
    body->set_linear_velocity(Ogre::Vector3(100, 0, 0));
    float last = 100.0f;
    for (int i = 0; i < 60; ++i) {
        frame(1.0f / 60.0f);
        const float v = body->get_linear_velocity().x;
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, last);
        last = v;
    }
    EXPECT_LT(last, 0.1f);
}

TEST_F(physics_contract, materials_meet_with_their_average_restitution)
{
    auto rebound = [&](const std::string& floor_material, float x) {
        physics_material* m = scene->create_material(floor_material);
        m->restitution = floor_material == "bouncy" ? 1.0f : 0.0f;
        shape_desc floor = shape_desc::make_cube(10, 2, 10);
        floor.material = floor_material;
        actor_params fixed;
        scene->create_body(floor_material, "m", floor, {Ogre::Vector3(x, 0, 0)}, fixed);
        physics_body* ball = make_ball(Ogre::Vector3(x, 45, 0));
        float highest = 0.0f;
        bool bounced = false;
        for (int i = 0; i < 240; ++i) {
            frame(1.0f / 60.0f);
            bounced = bounced || ball->get_linear_velocity().y > 0.0f;
            if (bounced)
                highest = std::max(highest, ball->get_position().y - 5.0f);
        }
        return highest;
    };
    const float on_dead = rebound("dead", 0.0f);
    const float on_bouncy = rebound("bouncy", 100.0f);
    // Ball 1.0 with floor 0.0 gives 0.5: a quarter of the 40-unit drop, less damping.
    EXPECT_GT(on_dead, 4.0f);
    EXPECT_LT(on_dead, 12.0f);
    EXPECT_GT(on_bouncy, 2.0f * on_dead);
}

TEST_F(physics_contract, a_sliding_body_stops_as_the_average_dynamic_friction_of_both_materials_says)
{
    // Static friction is high on both, so only the dynamic one decides how
    // far a crate pushed at 40 units a second slides: v² / (2 g µ).
    auto slide = [&](const std::string& name, float floor_friction, float crate_friction, float z) {
        physics_material* floor_material = scene->create_material(name + "_floor");
        floor_material->static_friction = 0.9f;
        floor_material->dynamic_friction = floor_friction;
        physics_material* crate_material = scene->create_material(name + "_crate");
        crate_material->static_friction = 0.9f;
        crate_material->dynamic_friction = crate_friction;

        shape_desc floor = shape_desc::make_cube(200, 2, 10);
        floor.material = name + "_floor";
        actor_params fixed;
        fixed.is_static = true;
        scene->create_body(name + "_floor", "m", floor, {Ogre::Vector3(80, 0, z)}, fixed);
        shape_desc cube = shape_desc::make_cube(4, 4, 4);
        cube.material = name + "_crate";
        actor_params params;
        params.mass = 10.0f;
        physics_body* crate = scene->create_body(name, "m", cube, {Ogre::Vector3(0, 3, z)}, params);
        crate->raise_body_flag(BF_FROZEN_ROT);
        run(0.5f, 60.0f);
        crate->set_linear_velocity(Ogre::Vector3(40, 0, 0));
        run(3.0f, 60.0f);
        EXPECT_LT(crate->get_linear_velocity().length(), 0.01f) << name;
        return crate->get_position().x;
    };
    const float mixed = slide("mixed", 0.2f, 0.4f, 0.0f);
    const float rough = slide("rough", 0.4f, 0.8f, 50.0f);
    EXPECT_NEAR(mixed, 1600.0f / (2.0f * 100.0f * 0.3f), 2.0f);
    EXPECT_NEAR(rough, 1600.0f / (2.0f * 100.0f * 0.6f), 1.0f);
}

TEST_F(physics_contract, only_registered_pairs_report_and_with_their_flags)
{
    contact_log log;
    scene->set_contact_listener(&log);
    physics_body* floor = make_static_cube("floor", Ogre::Vector3(0, 0, 0), Ogre::Vector3(10, 2, 10));
    physics_body* other_floor = make_static_cube("other", Ogre::Vector3(30, 0, 0), Ogre::Vector3(10, 2, 10));
    physics_body* ball = make_ball(Ogre::Vector3(0, 6, 0));
    physics_body* stranger = dynamic_cube("stranger", Ogre::Vector3(30, 3, 0), 2.0f, 10.0f);
    scene->create_contact_pair(floor, ball, NOTIFY_ON_START_TOUCH | NOTIFY_ON_END_TOUCH | NOTIFY_ON_TOUCH);
    (void)other_floor;
    (void)stranger;

    run(1.0f, 60.0f);
    EXPECT_EQ(log.count(NOTIFY_ON_START_TOUCH), 1);
    EXPECT_GE(log.count(NOTIFY_ON_TOUCH), 50);
    EXPECT_EQ(log.count(NOTIFY_ON_END_TOUCH), 0);
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.front(), "floor+player:2");

    ball->set_position(Ogre::Vector3(0, 100, 0));
    ball->set_linear_velocity(Ogre::Vector3::ZERO);
    frame(1.0f / 60.0f);
    EXPECT_EQ(log.count(NOTIFY_ON_END_TOUCH), 1);

    // A pair registered for start of touch alone reports nothing else (the
    // ball bounces, so it may start touching more than once).
    log.events.clear();
    scene->create_contact_pair(floor, ball, NOTIFY_ON_START_TOUCH);
    run(3.0f, 60.0f);
    EXPECT_FALSE(log.events.empty());
    EXPECT_EQ(log.count(NOTIFY_ON_START_TOUCH), int(log.events.size()));
}

TEST_F(physics_contract, removing_a_pair_or_the_listener_stops_reports)
{
    contact_log log;
    scene->set_contact_listener(&log);
    physics_body* floor = make_static_cube("floor", Ogre::Vector3(0, 0, 0), Ogre::Vector3(10, 2, 10));
    physics_body* ball = make_ball(Ogre::Vector3(0, 5, 0));
    scene->create_contact_pair(floor, ball, NOTIFY_ON_TOUCH);
    frame(1.0f / 60.0f);
    EXPECT_FALSE(log.events.empty());
    scene->remove_contact_pair(ball, floor);
    log.events.clear();
    run(0.5f, 60.0f);
    EXPECT_TRUE(log.events.empty());
    scene->create_contact_pair(floor, ball, NOTIFY_ON_TOUCH);
    scene->remove_contact_listener();
    run(0.5f, 60.0f);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(physics_contract, disabled_collision_ignores_contacts_triggers_and_response)
{
    contact_log contacts;
    trigger_log triggers;
    scene->set_contact_listener(&contacts);
    physics_body* floor = make_static_cube("floor", Ogre::Vector3(0, 0, 0), Ogre::Vector3(10, 2, 10));
    physics_body* ghost = make_ball(Ogre::Vector3(0, 20, 0));
    ghost->raise_actor_flag(AF_DISABLE_COLLISION);
    ghost->raise_actor_flag(16);
    scene->create_contact_pair(floor, ghost, NOTIFY_ON_START_TOUCH | NOTIFY_ON_TOUCH);
    scene->create_trigger(Ogre::Vector3(10, 10, 10), {Ogre::Vector3(0, 10, 0)}, &triggers);
    run(2.0f, 60.0f);
    EXPECT_LT(ghost->get_position().y, -20.0f);
    EXPECT_TRUE(contacts.events.empty());
    EXPECT_TRUE(triggers.events.empty());
}

TEST_F(physics_contract, triggers_see_dynamic_colliding_bodies_enter_stay_and_leave)
{
    trigger_log log;
    scene->create_trigger(Ogre::Vector3(10, 10, 10), {Ogre::Vector3(0, 0, 0)}, &log);
    make_static_cube("static_inside", Ogre::Vector3(0, 0, 0), Ogre::Vector3(2, 2, 2));
    physics_body* ball = make_ball(Ogre::Vector3(-30, 0, 0));
    ball->raise_body_flag(BF_DISABLE_GRAVITY);
    ball->set_linear_damping(0.0f);
    ball->set_linear_velocity(Ogre::Vector3(30, 0, 0));
    run(0.8f, 60.0f);
    EXPECT_EQ(log.count("enter"), 1);
    EXPECT_EQ(log.count("leave"), 0);
    ball->set_linear_velocity(Ogre::Vector3::ZERO);
    ball->set_position(Ogre::Vector3(0, 0, 0));
    log.events.clear();
    run(0.5f, 60.0f);
    EXPECT_EQ(log.count("inside"), 30) << ::testing::PrintToString(log.events);
    ball->set_position(Ogre::Vector3(40, 0, 0));
    frame(1.0f / 60.0f);
    EXPECT_EQ(log.count("leave"), 1);
    for (const std::string& e : log.events)
        EXPECT_EQ(e.substr(e.find(':') + 1), "player");
}

TEST_F(physics_contract, listeners_may_destroy_bodies_and_triggers_and_hear_nothing_after)
{
    trigger_log coins;
    physics_trigger* coin = scene->create_trigger(Ogre::Vector3(5, 5, 2), {Ogre::Vector3(0, 0, 0)}, &coins);
    coins.on_event = [&](const std::string&, physics_trigger& t, physics_body&) { scene->destroy_trigger(&t); };
    physics_trigger* second = scene->create_trigger(Ogre::Vector3(5, 5, 2), {Ogre::Vector3(0, 0, 0)}, &coins);
    (void)coin;
    (void)second;

    contact_log contacts;
    scene->set_contact_listener(&contacts);
    physics_body* floor = make_static_cube("floor", Ogre::Vector3(0, -10, 0), Ogre::Vector3(10, 2, 10));
    physics_body* ball = make_ball(Ogre::Vector3(0, -4, 0));
    scene->create_contact_pair(floor, ball, NOTIFY_ON_START_TOUCH | NOTIFY_ON_TOUCH | NOTIFY_ON_END_TOUCH);
    contacts.on_event = [&](physics_body&, physics_body& second_body, int) { scene->destroy_body(&second_body); };

    ball->raise_body_flag(BF_DISABLE_GRAVITY);
    ball->set_position(Ogre::Vector3(0, 0, 0));
    frame(1.0f / 60.0f);
    // Each trigger heard the ball enter once, and both are gone.
    EXPECT_EQ(coins.events.size(), 2u);
    ball->clear_body_flag(BF_DISABLE_GRAVITY);
    ball->set_position(Ogre::Vector3(0, -4, 0));
    run(1.0f, 60.0f);
    EXPECT_EQ(coins.events.size(), 2u);
    EXPECT_EQ(contacts.events.size(), 1u);
    EXPECT_EQ(scene->find_body("player"), nullptr);
}

TEST_F(physics_contract, a_body_destroyed_with_a_push_pending_or_a_move_not_yet_drawn_is_forgotten)
{
    physics_body* pushed = make_ball(Ogre::Vector3(0, 50, 0));
    pushed->add_force(Ogre::Vector3(0, 0, 1e6f));
    scene->destroy_body(pushed);
    physics_body* falling = make_ball(Ogre::Vector3(20, 50, 0));
    physics_body* kept = make_ball(Ogre::Vector3(40, 50, 0));
    world.simulate(1.0f / 60.0f);
    scene->destroy_body(falling);
    world.render(1.0f / 60.0f);
    kept->add_force(Ogre::Vector3(0, 0, 1e6f));
    frame(1.0f / 60.0f);
    EXPECT_EQ(scene->body_count(), 1u);
    EXPECT_GT(kept->get_linear_velocity().z, 0.0f);
}
