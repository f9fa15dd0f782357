// Bodies at rest are not integrated, boxed or tested again, and a body frozen
// in place meets only what moves: none of that may lose a contact.

#include "app/physics/contact_listener.h"
#include "app/physics/trigger_listener.h"
#include "physics_fixture.h"

#include <string>
#include <vector>

namespace {

struct contact_log : contact_listener {
    void on_contact(physics_body&, physics_body&, int event) override { events.push_back(event); }
    int count(int event) const
    {
        int n = 0;
        for (int e : events)
            n += e == event;
        return n;
    }
    std::vector<int> events;
};

struct inside_log : trigger_listener {
    void on_inside(physics_trigger&, physics_body& body) override { names.push_back(body.get_name()); }
    std::vector<std::string> names;
};

class bodies_at_rest : public physics_fixture {
protected:
    // A slab like a falling block before it falls: dynamic, frozen, no gravity.
    physics_body* frozen_slab(const std::string& name, const Ogre::Vector3& at)
    {
        actor_params params;
        params.mass = 1000.0f;
        params.gravity_disabled = true;
        physics_body* slab =
            scene->create_body(name, "block_10_10.mesh", shape_desc::make_cube(10, 2, 10), {at}, params);
        slab->raise_body_flag(BF_FROZEN);
        return slab;
    }

    // A free 4 × 4 × 4 box without gravity, like a crate before it is pushed.
    physics_body* floating_box(const std::string& name, const Ogre::Vector3& at)
    {
        actor_params params;
        params.mass = 100.0f;
        params.gravity_disabled = true;
        return scene->create_body(name, "block_10_10.mesh", shape_desc::make_cube(4, 4, 4), {at}, params);
    }
};

}

TEST_F(bodies_at_rest, a_frozen_slab_holds_the_ball_keeps_its_pose_and_once_freed_rests_on_the_floor)
{
    make_static_cube("floor", Ogre::Vector3(0, 0, 0), Ogre::Vector3(10, 2, 10));
    // Flush on the floor, which a frozen slab does not meet.
    physics_body* slab = frozen_slab("slab", Ogre::Vector3(0, 2, 0));
    physics_body* ball = make_ball(Ogre::Vector3(0, 12, 0));
    run(3.0f, 60.0f);
    EXPECT_EQ(slab->get_position(), Ogre::Vector3(0, 2, 0));
    EXPECT_NEAR(ball->get_position().y, 7.0f, 0.2f);

    slab->clear_body_flag(BF_FROZEN | BF_DISABLE_GRAVITY);
    run(2.0f, 60.0f);
    EXPECT_NEAR(slab->get_position().y, 2.0f, 0.2f);
    EXPECT_NEAR(ball->get_position().y, 7.0f, 0.3f);
}

TEST_F(bodies_at_rest, a_body_set_to_a_new_pose_is_tested_again_against_one_at_rest)
{
    contact_log log;
    scene->set_contact_listener(&log);
    // Turned 45 degrees, the block's box reaches the ball's box while the
    // two stay apart, so their pair exists before anything touches.
    physics_body* block = make_static_cube("block", Ogre::Vector3(0, 0, 0), Ogre::Vector3(10, 2, 10));
    block->set_orientation(Ogre::Quaternion(Ogre::Degree(45), Ogre::Vector3::UNIT_Y));
    physics_body* ball = make_ball(Ogre::Vector3(8, 0, 8));
    ball->raise_body_flag(BF_DISABLE_GRAVITY);
    scene->create_contact_pair(block, ball, NOTIFY_ON_START_TOUCH);
    run(0.5f, 60.0f);
    EXPECT_TRUE(log.events.empty());

    block->set_position(Ogre::Vector3(2, 0, 2));
    frame(1.0f / 60.0f);
    EXPECT_EQ(log.count(NOTIFY_ON_START_TOUCH), 1);
}

TEST_F(bodies_at_rest, a_pair_made_while_its_bodies_touch_has_not_started_touching)
{
    contact_log log;
    scene->set_contact_listener(&log);
    physics_body* floor = make_static_cube("floor", Ogre::Vector3(0, 0, 0), Ogre::Vector3(10, 2, 10));
    physics_body* ball = make_ball(Ogre::Vector3(0, 5, 0));
    run(1.0f, 60.0f);
    scene->create_contact_pair(floor, ball, NOTIFY_ON_START_TOUCH | NOTIFY_ON_TOUCH);
    run(0.5f, 60.0f);
    EXPECT_EQ(log.count(NOTIFY_ON_START_TOUCH), 0);
    EXPECT_EQ(log.count(NOTIFY_ON_TOUCH), 30);
}

TEST_F(bodies_at_rest, triggers_see_frozen_bodies)
{
    inside_log log;
    scene->create_trigger(Ogre::Vector3(20, 20, 20), {Ogre::Vector3(0, 0, 0)}, &log);
    frozen_slab("slab", Ogre::Vector3(0, 0, 0));
    run(0.5f, 60.0f);
    ASSERT_EQ(log.names.size(), 29u);
    EXPECT_EQ(log.names.front(), "slab");
}

TEST_F(bodies_at_rest, a_body_that_waits_at_rest_moves_when_pushed_set_going_given_gravity_or_run_into)
{
    physics_body* pushed = floating_box("pushed", Ogre::Vector3(0, 50, 0));
    physics_body* set_going = floating_box("set_going", Ogre::Vector3(50, 50, 0));
    physics_body* dropped = floating_box("dropped", Ogre::Vector3(100, 50, 0));
    physics_body* run_into = floating_box("run_into", Ogre::Vector3(150, 50, 0));
    physics_body* ball = make_ball(Ogre::Vector3(135, 50, 0));
    ball->raise_body_flag(BF_DISABLE_GRAVITY);
    run(1.0f, 60.0f);
    EXPECT_EQ(pushed->get_position(), Ogre::Vector3(0, 50, 0));
    EXPECT_EQ(run_into->get_position(), Ogre::Vector3(150, 50, 0));

    pushed->add_force(Ogre::Vector3(0, 0, 1e6f));
    set_going->set_linear_velocity(Ogre::Vector3(0, 0, 10));
    dropped->clear_body_flag(BF_DISABLE_GRAVITY);
    ball->set_linear_velocity(Ogre::Vector3(40, 0, 0));
    run(1.0f, 60.0f);
    EXPECT_GT(pushed->get_position().z, 1.0f);
    EXPECT_NEAR(set_going->get_position().z, 10.0f, 0.5f);
    EXPECT_LT(dropped->get_position().y, 20.0f);
    EXPECT_GT(run_into->get_position().x, 155.0f);
}

TEST_F(bodies_at_rest, a_body_run_into_moves_by_its_new_speed_in_the_step_that_gives_it)
{
    physics_body* resting = floating_box("resting", Ogre::Vector3(0, 50, 0));
    physics_body* ball = make_ball(Ogre::Vector3(-20, 50, 0));
    ball->raise_body_flag(BF_DISABLE_GRAVITY);
    world.simulate(physics_scene::step);
    ball->set_linear_velocity(Ogre::Vector3(60, 0, 0));
    float speed = 0.0f;
    for (int i = 0; i < 120 && speed == 0.0f; ++i) {
        const float before = resting->get_position().x;
        world.simulate(physics_scene::step);
        speed = resting->get_linear_velocity().x;
        if (speed != 0.0f) {
            EXPECT_GT(resting->get_position().x - before, 0.5f * speed * physics_scene::step) << "step " << i;
        }
    }
    EXPECT_GT(speed, 10.0f);
}
