// Checkpoints show how far the ball has come: dim before the ball reaches
// them, lit after, and the one it comes back to brightest, with its flag up.

#include "app/physics/physics_body.h"
#include "objects/obj_checkpoint.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreEntity.h>
#include <OgreSubEntity.h>

namespace {

// A straight course along -Z far above the ground, two checkpoints on it.
const char* const course = R"(
    <Object type="start" pos="0 100 0"/>
    <Object type="block" pos="0 99 -10"/><Object type="block" pos="0 99 -20"/>
    <Object type="checkpoint" id="first" pos="0 100 -30"/>
    <Object type="block" pos="0 99 -40"/><Object type="block" pos="0 99 -50"/>
    <Object type="checkpoint" id="second" pos="0 100 -60"/>
    <Object type="block" pos="0 99 -70"/>)";

class checkpoints : public level_fixture {
protected:
    std::unique_ptr<level> lvl = load_course(course);
    obj_player* ball = lvl->get_player();

    obj_checkpoint* checkpoint(const std::string& id) { return static_cast<obj_checkpoint*>(lvl->find_object(id)); }

    // What the checkpoint shows: its pad's material, and "flag" while its flag stands.
    std::string looks(const std::string& id)
    {
        const Ogre::Entity* entity = checkpoint(id)->get_entity();
        std::string seen = entity->getSubEntity(0)->getMaterialName();
        const bool flag = entity->getNumSubEntities() == 3 && entity->getSubEntity(1)->isVisible() &&
                          entity->getSubEntity(2)->isVisible();
        return flag ? seen + " flag" : seen;
    }

    // The ball dropped onto the pad at `z`.
    void reach(float z)
    {
        ball->get_actor()->set_position(Ogre::Vector3(0, 104, z));
        run(*lvl, 0.2f, 60.0f);
    }

    // Off the side, until the ball is put back: where it was put back.
    std::string fall()
    {
        ball->get_actor()->set_position(Ogre::Vector3(40, 104, -60));
        for (int i = 0; i < 600; ++i) {
            frame(*lvl, 1.0f / 60.0f);
            for (const level_event& e : lvl->get_events())
                if (e.kind == level_event::fall)
                    return e.object;
        }
        return "(no fall)";
    }
};

}

TEST_F(checkpoints, each_lights_up_when_reached_and_the_newest_before_it_steps_back)
{
    EXPECT_EQ(looks("first"), "checkpoint");
    EXPECT_EQ(looks("second"), "checkpoint");

    reach(-30);
    EXPECT_EQ(looks("first"), "checkpoint_newest flag");
    EXPECT_EQ(looks("second"), "checkpoint");

    reach(-60);
    EXPECT_EQ(looks("first"), "checkpoint_reached");
    EXPECT_EQ(looks("second"), "checkpoint_newest flag");

    // Back on the first: it is the one the ball comes back to again.
    reach(-30);
    EXPECT_EQ(ball->get_respawn_object(), "first");
    EXPECT_EQ(looks("first"), "checkpoint_newest flag");
    EXPECT_EQ(looks("second"), "checkpoint_reached");
}

TEST_F(checkpoints, a_fall_leaves_them_as_they_were)
{
    reach(-30);
    reach(-60);
    ASSERT_EQ(fall(), "second");
    EXPECT_EQ(looks("first"), "checkpoint_reached");
    EXPECT_EQ(looks("second"), "checkpoint_newest flag");
    run(*lvl, 0.5f, 60.0f);
    EXPECT_EQ(looks("second"), "checkpoint_newest flag") << "landing on it again";
}

TEST_F(checkpoints, one_with_a_mesh_of_its_own_wears_the_looks_on_all_of_it)
{
    auto own = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="checkpoint" id="slab" mesh="block_10_10.mesh" pos="0 99 -30"/>)",
                           "own_mesh.map");
    const Ogre::Entity* slab = own->find_object("slab")->get_entity();
    EXPECT_EQ(slab->getSubEntity(0)->getMaterialName(), "checkpoint");
    own->get_player()->get_actor()->set_position(Ogre::Vector3(0, 105, -30));
    run(*own, 0.2f, 60.0f);
    EXPECT_EQ(slab->getSubEntity(0)->getMaterialName(), "checkpoint_newest");
}
