// The editor in mapscout, driven as the author drives it: a click picks the
// object under the pointer and an arrow moves it on screen at once; adding,
// deleting and undoing build the level again from the editor's text; F5
// plays the level with the ball at the probe and Escape comes back with the
// probe, the picked object and the history as they were; a change made
// outside while changes are unsaved is asked about, never taken silently;
// the panel changes an attribute by name.

#include "app/application.h"
#include "app/game_camera.h"
#include "app/physics/physics_body.h"
#include "level/game_object.h"
#include "mapscout/editor/level_editor.h"
#include "objects/obj_player.h"
#include "states/gs_game.h"
#include "support/level_fixture.h"

#include <OgreCamera.h>
#include <OgreSceneNode.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

const std::string course = "<Level name=\"Draft\">\n"
                           "  <Settings gravity=\"0 -100 0\"/>\n"
                           "  <Objects>\n"
                           "    <Object type=\"start\" pos=\"0 100 0\"/>\n"
                           "    <Object type=\"block\" pos=\"0 98.5 0\"/>\n"
                           "    <Object type=\"block\" id=\"b\" pos=\"40 95 0\"/>\n"
                           "    <Object type=\"target\" pos=\"0 100 -200\"/>\n"
                           "  </Objects>\n"
                           "</Level>\n";

constexpr key_code control = key_code(29);
constexpr key_code delete_key = key_code(211);
constexpr key_code z_key = key_code(44);
constexpr key_code end_key = key_code(207);
constexpr key_code f5 = key_code(63);
constexpr key_code g_key = key_code(34);
constexpr key_code n_key = key_code(49);

class editing : public level_fixture {
protected:
    editing()
    {
        context.scout = true;
        write_level("draft.map", course);
        state_params params;
        params["level"] = std::string("draft.map");
        app.change_state("game", params);
        frames(2);
    }

    void frames(int count, const std::set<key_code>& held = {})
    {
        for (int i = 0; i < count; ++i) {
            context.frame_time = 1.0f / 60.0f;
            app.get_state_stack().back()->update();
            input.capture(context.frame_time);
            input.run_key_bindings([&](key_code key) { return held.count(key) > 0; });
            app.process_requests();
        }
    }

    // Keys pressed in one frame, in order, then a frame to carry out what they asked.
    void tap(std::initializer_list<key_code> keys)
    {
        input.capture(1.0f / 60.0f);
        for (key_code key : keys)
            input.key_pressed(key, 0);
        app.get_state_stack().back()->update();
        input.forget_presses();
        app.process_requests();
        frames(1);
    }

    // Where `point` is in the view, as fractions of its width and height.
    std::pair<float, float> on_screen(const Ogre::Vector3& point)
    {
        Ogre::Camera* camera = game.get_level()->get_camera()->get_camera();
        camera->getParentSceneNode()->_update(true, true);
        const Ogre::Vector3 seen = camera->getProjectionMatrix() * (camera->getViewMatrix() * point);
        return {(seen.x + 1.0f) / 2.0f, (1.0f - seen.y) / 2.0f};
    }

    void click_on(const Ogre::Vector3& point, bool add = false)
    {
        const auto at = on_screen(point);
        editor().click(at.first, at.second, add);
        frames(1);
    }

    long builds() const
    {
        return std::count_if(log.lines.begin(), log.lines.end(), [](const std::string& line) {
            return line.rfind("draft.map: Es wurden", 0) == 0 && line.find("Objekte") != std::string::npos;
        });
    }
    std::string file() const
    {
        std::ifstream in("media/levels/draft.map", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    level_editor& editor() { return *game.get_editor(); }
    game_object* object(const std::string& id) const { return game.get_level()->find_object(id); }

    application app;
    gs_game game{&context};
};

}

TEST_F(editing, a_click_picks_the_object_under_the_pointer_and_an_arrow_moves_it_at_once)
{
    click_on({40, 95, 0});
    ASSERT_EQ(editor().picked_object(), object("b"));
    EXPECT_TRUE(object("b")->get_scene_node()->getShowBoundingBox()) << "the picked object is not outlined";
    click_on({-80, 95, 60});
    EXPECT_EQ(editor().picked_object(), nullptr);
    EXPECT_FALSE(object("b")->get_scene_node()->getShowBoundingBox());

    click_on({40, 95, 0});
    const long built = builds();
    tap({KC_RIGHT});
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(45, 95, 0));
    EXPECT_EQ(builds(), built) << "a move built the level again at once";
    EXPECT_NE(editor().get_text().find("id=\"b\" pos=\"45 95 0\""), std::string::npos);
    EXPECT_EQ(file(), course) << "the file changed before a save";
    // Once the moves pause, the level is built from the text, the object still picked.
    frames(40);
    EXPECT_EQ(builds(), built + 1);
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(45, 95, 0));
    EXPECT_EQ(editor().picked_object(), object("b"));
    EXPECT_TRUE(object("b")->get_scene_node()->getShowBoundingBox());
    tap({control, z_key});
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(40, 95, 0));
}

TEST_F(editing, deleting_adding_and_undoing_build_the_level_from_the_editor_s_text)
{
    click_on({40, 95, 0});
    tap({delete_key});
    EXPECT_EQ(object("b"), nullptr);
    tap({control, z_key});
    ASSERT_NE(object("b"), nullptr);
    EXPECT_EQ(editor().picked_object(), object("b"));

    const std::size_t before = game.get_level()->get_objects().size();
    click_on({-40, 95, -40}, true);
    EXPECT_EQ(game.get_level()->get_objects().size(), before + 1);
    EXPECT_NE(editor().get_text().find("<Object type=\"block\" pos=\"-40 95 -40\"/>"), std::string::npos)
        << editor().get_text();
    EXPECT_EQ(file(), course);
    tap({control, KC_S});
    EXPECT_EQ(file(), editor().get_text());
    tap({control, z_key});
    tap({control, KC_S});
    EXPECT_EQ(file(), course);
}

TEST_F(editing, play_from_here_puts_the_ball_at_the_probe_and_escape_comes_back_as_it_was)
{
    click_on({40, 95, 0});
    tap({KC_RIGHT});
    frames(30, {KC_D});
    frames(20);
    const Ogre::Vector3 probe = game.get_level()->get_player()->get_position();
    ASSERT_GT(probe.x, 5.0f);
    tap({f5});
    ASSERT_TRUE(editor().is_playing());
    EXPECT_FALSE(context.scout) << "the level is not played as the game plays it";
    EXPECT_LT(game.get_level()->get_player()->get_position().distance(probe), 0.5f);
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(45, 95, 0)) << "the unsaved move is not in play";
    frames(30);
    EXPECT_LT(game.get_level()->get_player()->get_position().y, probe.y - 1.0f) << "the ball does not fall";

    tap({KC_ESCAPE});
    EXPECT_FALSE(editor().is_playing());
    EXPECT_TRUE(context.scout);
    ASSERT_EQ(app.get_state_stack().size(), 1u) << "Escape in play ended mapscout";
    EXPECT_LT(game.get_level()->get_player()->get_position().distance(probe), 0.5f);
    EXPECT_EQ(editor().picked_object(), object("b"));
    tap({control, z_key});
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(40, 95, 0)) << "the history did not survive the play";
}

TEST_F(editing, a_change_made_outside_with_unsaved_changes_is_asked_about)
{
    click_on({40, 95, 0});
    tap({KC_RIGHT});
    frames(40);
    std::string outside = course;
    outside.replace(outside.find("40 95 0"), 7, "90 95 0");
    write_level("draft.map", outside);
    frames(60);
    EXPECT_NE(editor().get_panel().get_question().find("changed outside"), std::string::npos);
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(45, 95, 0)) << "the editor's change was dropped unasked";
    // The close button meanwhile keeps the question on screen: it is answered first.
    app.window_closing();
    frames(1);
    ASSERT_EQ(app.get_state_stack().size(), 1u);
    EXPECT_NE(editor().get_panel().get_question().find("changed outside"), std::string::npos);
    tap({key_code(37)}); // K: keep mine
    EXPECT_EQ(editor().get_panel().get_question(), "");
    EXPECT_TRUE(editor().get_draft().unsaved());
    tap({control, KC_S});
    EXPECT_EQ(file(), editor().get_text());

    write_level("draft.map", outside);
    frames(60);
    // Nothing unsaved: the file's version is taken as before the editor.
    EXPECT_EQ(editor().get_panel().get_question(), "");
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(90, 95, 0));
    click_on({90, 95, 0});
    tap({KC_UP});
    write_level("draft.map", course);
    frames(60);
    ASSERT_NE(editor().get_panel().get_question(), "");
    const Ogre::Vector3 mine = object("b")->get_position();
    tap({key_code(33)}); // F: the file's
    frames(2);
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(40, 95, 0));
    EXPECT_FALSE(editor().get_draft().unsaved());
    // Undo takes back the file's version: the editor's is there again, unsaved.
    tap({control, z_key});
    EXPECT_EQ(object("b")->get_position(), mine);
    EXPECT_TRUE(editor().get_draft().unsaved());
}

TEST_F(editing, the_panel_lists_attributes_by_name_and_changes_one)
{
    click_on({40, 95, 0});
    const std::vector<std::string> rows = editor().get_panel().get_attributes();
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], "> type = block");
    EXPECT_EQ(rows[1], "   id = b");
    EXPECT_EQ(rows.back(), "   + new attribute (name=value)");
    // The last row: a new attribute, typed.
    for (int i = 0; i < int(rows.size()) - 1; ++i)
        tap({end_key});
    tap({KC_RETURN});
    // "block", on a US keyboard.
    for (key_code key : {key_code(48), key_code(38), key_code(24), key_code(46), key_code(37)})
        tap({key});
    tap({key_code(42), key_code(12)}); // Shift and minus: _
    tap({key_code(20), key_code(21), key_code(25), key_code(18), key_code(13), key_code(4)});
    EXPECT_NE(editor().get_panel().get_attributes().back().find("block_type=3_"), std::string::npos)
        << editor().get_panel().get_attributes().back();
    tap({KC_RETURN});
    EXPECT_NE(editor().get_text().find("id=\"b\" pos=\"40 95 0\" block_type=\"3\"/>"), std::string::npos)
        << editor().get_text();
}


TEST_F(editing, with_nothing_picked_the_panel_lists_the_level_s_own_settings_and_changes_them)
{
    click_on({40, 95, 0});
    tap({g_key});
    EXPECT_EQ(editor().picked_object(), nullptr);
    std::vector<std::string> rows = editor().get_panel().get_attributes();
    ASSERT_GE(rows.size(), 9u);
    EXPECT_EQ(rows[0], "The level (nothing picked):");
    EXPECT_EQ(rows[1], "> name = Draft");
    EXPECT_EQ(rows[8], "   gravity = 0 -100 0");
    // "fog end", which the level has not: typed, it comes in as a section.
    for (int i = 0; i < 4; ++i)
        tap({end_key});
    EXPECT_EQ(editor().get_panel().get_attributes()[5], "> fog end = ");
    const long built = builds();
    tap({KC_RETURN});
    for (key_code key : {key_code(5), key_code(11), key_code(11)})
        tap({key});
    tap({KC_RETURN});
    EXPECT_NE(editor().get_text().find("<Level name=\"Draft\">\n  <Fog end=\"400\"/>\n  <Settings"),
              std::string::npos)
        << editor().get_text();
    EXPECT_EQ(builds(), built + 1) << "the level was not built with its new settings";
    EXPECT_EQ(editor().get_panel().get_attributes()[5], "> fog end = 400");
    EXPECT_EQ(file(), course);
    tap({control, z_key});
    EXPECT_EQ(editor().get_text(), course);
}

TEST_F(editing, the_window_s_close_button_asks_about_unsaved_changes_as_escape_does)
{
    click_on({40, 95, 0});
    tap({KC_RIGHT});
    app.window_closing();
    frames(1);
    ASSERT_EQ(app.get_state_stack().size(), 1u) << "closing the window dropped the unsaved move unasked";
    EXPECT_NE(editor().get_panel().get_question().find("unsaved changes"), std::string::npos);
    tap({n_key});
    EXPECT_EQ(editor().get_panel().get_question(), "");
    ASSERT_EQ(app.get_state_stack().size(), 1u);
    EXPECT_EQ(object("b")->get_position(), Ogre::Vector3(45, 95, 0));

    // Closed in play: back in the editor to be asked there.
    tap({f5});
    ASSERT_TRUE(editor().is_playing());
    app.window_closing();
    frames(2);
    ASSERT_EQ(app.get_state_stack().size(), 1u);
    EXPECT_FALSE(editor().is_playing());
    EXPECT_NE(editor().get_panel().get_question().find("unsaved changes"), std::string::npos);
    // Y, without the frame after it: nothing is left to run one.
    input.capture(1.0f / 60.0f);
    input.key_pressed(KC_Y, 0);
    app.get_state_stack().back()->update();
    app.process_requests();
    EXPECT_TRUE(app.get_state_stack().empty()) << "Y did not end mapscout";
    EXPECT_EQ(file(), course);
}

TEST_F(editing, the_window_s_close_button_ends_at_once_once_everything_is_saved)
{
    click_on({40, 95, 0});
    tap({KC_RIGHT});
    tap({control, KC_S});
    app.window_closing();
    EXPECT_TRUE(app.get_state_stack().empty());
}

TEST_F(editing, the_strip_at_the_bottom_checks_the_draft_not_the_saved_file)
{
    const auto lists = [](const std::vector<std::string>& lines, const std::string& what) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(what) != std::string::npos; });
    };
    ASSERT_TRUE(lists(editor().get_problems(), "no <Description>")) << "the draft's own problem is not listed";
    EXPECT_TRUE(lists(editor().get_problems(), "draft.map:1: warning:"));
    // The level's description, typed: the strip no longer lists it, unsaved as it is.
    tap({g_key});
    tap({end_key});
    tap({end_key});
    tap({KC_RETURN});
    tap({key_code(35)});
    tap({key_code(23)});
    tap({KC_RETURN});
    ASSERT_NE(editor().get_text().find("<Description>hi</Description>"), std::string::npos) << editor().get_text();
    EXPECT_FALSE(lists(editor().get_problems(), "no <Description>"));
    EXPECT_EQ(file(), course);
    tap({control, z_key});
    EXPECT_TRUE(lists(editor().get_problems(), "no <Description>")) << "the strip did not follow the undo";
}
