// What the level reports of the ball, once per happening, and the cue the
// player reads for it: a coin and a blue coin, a checkpoint (again only once
// it has stopped being the place to come back to), and falls back to the
// checkpoint or the start.

#include "app/physics/physics_body.h"
#include "level/level.h"
#include "objects/obj_player.h"
#include "play/event_cues.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

#include <map>

namespace {

// A line of blocks along -Z: coins at -20 and -30 (the second blue), two checkpoints.
const char* const course = R"(
    <Object type="start" pos="0 100 0"/>
    <Object type="block" pos="0 99 -10"/><Object type="block" pos="0 99 -20"/>
    <Object type="block" pos="0 99 -30"/><Object type="block" pos="0 99 -40"/>
    <Object type="block" pos="0 99 -50"/><Object type="block" pos="0 99 -60"/>
    <Object type="score" id="gold" pos="0 104 -20"/><Object type="score" id="blue" score_type="1" pos="0 104 -30"/>
    <Object type="checkpoint" id="cp_a" pos="0 100 -50"/><Object type="checkpoint" id="cp_b" pos="0 100 -70"/>)";

class cues_in_play : public level_fixture {
protected:
    // The ball set at `at`, then `seconds` of play, or less when the ball
    // falls and `until_fall` is set; counts every event and feeds the cues.
    void roll_from(const Ogre::Vector3& at, float seconds, bool until_fall = false)
    {
        ball->get_actor()->set_position(at);
        ball->get_actor()->set_linear_velocity(Ogre::Vector3::ZERO);
        for (int i = 0; i < int(seconds * 60.0f); ++i) {
            frame(*lvl, 1.0f / 60.0f);
            for (const level_event& event : lvl->get_events())
                ++seen[event.kind];
            cues.take(*lvl);
            cues.update(1.0f / 60.0f);
            if (until_fall && seen[level_event::fall] > falls)
                break;
        }
        falls = seen[level_event::fall];
    }

    headless_gui gui;
    std::unique_ptr<level> lvl = load_course(course);
    obj_player* ball = lvl->get_player();
    event_cues cues{gui.get()};
    std::map<level_event::kind_type, int> seen;
    int falls = 0;
};

}

TEST_F(cues_in_play, each_coin_and_each_new_checkpoint_is_reported_once_and_read_on_screen)
{
    roll_from(Ogre::Vector3(0, 104, -20), 0.3f);
    EXPECT_EQ(seen[level_event::coin], 1);
    EXPECT_EQ(cues.get_text(), "1 / 2");
    roll_from(Ogre::Vector3(0, 104, -30), 0.3f);
    EXPECT_EQ(seen[level_event::blue_coin], 1);
    EXPECT_EQ(cues.get_text(), "2 / 2");

    // Resting on a checkpoint, leaving it and touching it again says it once.
    roll_from(Ogre::Vector3(0, 104, -50), 1.0f);
    roll_from(Ogre::Vector3(0, 104, -40), 0.5f);
    roll_from(Ogre::Vector3(0, 104, -50), 0.5f);
    EXPECT_EQ(seen[level_event::checkpoint], 1);
    EXPECT_EQ(cues.get_text(), "Checkpoint");
    auto* panel = gui.get()->findWidgetT("cue_panel", false);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->getVisible());
    // Clear of the counters and the banners below them at the top of the view.
    EXPECT_GT(panel->getTop(), 768 / 2);

    // It goes after two seconds.
    roll_from(Ogre::Vector3(0, 104, -50), 2.0f);
    EXPECT_EQ(cues.get_text(), "");
    EXPECT_FALSE(panel->getVisible());
}

TEST_F(cues_in_play, a_fall_says_where_the_ball_comes_back_once_per_fall)
{
    roll_from(Ogre::Vector3(40, 104, 0), 3.0f, true);
    roll_from(Ogre::Vector3(0, 105, 0), 0.5f);
    EXPECT_EQ(seen[level_event::fall], 1);
    EXPECT_EQ(cues.get_text(), "Back to the start");

    roll_from(Ogre::Vector3(0, 104, -50), 0.5f);
    roll_from(Ogre::Vector3(40, 104, -50), 3.0f, true);
    roll_from(Ogre::Vector3(0, 110, -50), 0.5f);
    EXPECT_EQ(seen[level_event::fall], 2);
    EXPECT_EQ(cues.get_text(), "Back to the checkpoint");
    EXPECT_EQ(ball->get_respawn_object(), "cp_a");
    // The panel grows to hold the longest cue.
    const auto* words = gui.get()->findWidget<MyGUI::TextBox>("cue_text", false);
    ASSERT_NE(words, nullptr);
    EXPECT_LE(words->getTextSize().width, words->getWidth());
}
