// Editing a level's text: each operation changes only the bytes it
// concerns and is undone and redone exactly; a shipped level saved without
// a change is the file it was, byte for byte; comments, unknown attributes,
// CR LF line ends and the order of everything stay.

#include "mapscout/editor/level_draft.h"
#include "mapscout/editor/level_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const std::string course = "<?xml version=\"1.0\"?>\n"
                           "<!-- a comment the author wrote -->\n"
                           "<Level name=\"Draft\">\n"
                           "  <Objects>\n"
                           "    <Object type=\"start\" pos=\"0 51.5 0\"/>\n"
                           "    <!-- the first block -->\n"
                           "    <Object type=\"block\" id=\"a\" pos=\"0 50 0\" glow=\"yes\"   block_type='1'/>\n"
                           "    <Object type=\"platform\" pos=\"0 50 -20\"><Waypoint pos=\"0 50 -20\"/>"
                           "<Waypoint pos=\"30 50 -20\"/></Object>\n"
                           "    <Object type=\"infobox\" pos=\"0 51 0\">Roll &amp; win.</Object>\n"
                           "    <Object type=\"target\" pos=\"0 51.5 -30\"/>\n"
                           "  </Objects>\n"
                           "</Level>\n";

std::string read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of `after` that are not in `before` at the same place.
std::vector<std::string> changed_lines(const std::string& before, const std::string& after)
{
    std::vector<std::string> a, b, out;
    std::istringstream in_a(before), in_b(after);
    for (std::string line; std::getline(in_a, line);)
        a.push_back(line);
    for (std::string line; std::getline(in_b, line);)
        b.push_back(line);
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            out.push_back(i < b.size() ? b[i] : "<gone>");
    return out;
}

class drafting : public ::testing::Test {
protected:
    drafting() : draft("draft.map", course, true) {}

    // Undo brings back the text before; redo the text after.
    void expect_undo_and_redo(const std::string& before)
    {
        const std::string after = draft.get_text();
        ASSERT_NE(draft.undo(), level_draft::outcome::none);
        EXPECT_EQ(draft.get_text(), before);
        ASSERT_NE(draft.redo(), level_draft::outcome::none);
        EXPECT_EQ(draft.get_text(), after);
    }

    level_draft draft;
};

}

TEST_F(drafting, the_objects_and_their_attributes_are_read_by_name)
{
    const level_text& text = draft.get_level_text();
    ASSERT_EQ(text.object_count(), 5u);
    EXPECT_EQ(text.value(1, "id"), "a");
    EXPECT_EQ(text.value(1, "block_type"), "1");
    EXPECT_EQ(text.get_objects()[1].line, 7);
    EXPECT_EQ(text.get_objects()[2].children.size(), 2u);
    EXPECT_EQ(text.child_value(2, 1, "pos"), "30 50 -20");
    EXPECT_EQ(text.inner_text(3), "Roll & win.");
}

TEST_F(drafting, a_move_changes_only_the_pos_of_its_line_and_is_undone_and_redone)
{
    draft.pick(1);
    draft.set_step(10);
    EXPECT_EQ(draft.move({1, 0, -1}), level_draft::outcome::moved);
    EXPECT_EQ(draft.get_moved_by(), Ogre::Vector3(10, 0, -10));
    EXPECT_EQ(changed_lines(course, draft.get_text()),
              std::vector<std::string>{
                  "    <Object type=\"block\" id=\"a\" pos=\"10 50 -10\" glow=\"yes\"   block_type='1'/>"});
    expect_undo_and_redo(course);
    draft.undo();
    EXPECT_EQ(draft.get_moved_by(), Ogre::Vector3(-10, 0, 10));
    draft.set_step(1);
    draft.redo();
    draft.move({0, 1, 0});
    EXPECT_EQ(draft.position_of(1), Ogre::Vector3(10, 51, -10));
}

TEST_F(drafting, a_turn_adds_rot_in_steps_and_wraps_at_a_full_circle)
{
    draft.pick(1);
    draft.turn(15);
    EXPECT_EQ(draft.get_level_text().value(1, "rot"), "0 15 0");
    EXPECT_EQ(changed_lines(course, draft.get_text()).size(), 1u);
    draft.turn(-90);
    EXPECT_EQ(draft.get_level_text().value(1, "rot"), "0 285 0");
    draft.turn(75);
    EXPECT_EQ(draft.get_level_text().value(1, "rot"), "0 0 0");
    draft.undo();
    draft.undo();
    expect_undo_and_redo(course);
}

TEST_F(drafting, a_block_grows_and_shrinks_in_half_steps_within_the_game_s_bounds_and_nothing_else_scales)
{
    draft.pick(1);
    EXPECT_EQ(draft.scale(1, false), level_draft::outcome::rebuild);
    EXPECT_EQ(draft.get_level_text().value(1, "scale"), "1.5 1 1.5");
    EXPECT_EQ(changed_lines(course, draft.get_text()).size(), 1u);
    draft.scale(-1, true);
    EXPECT_EQ(draft.get_level_text().value(1, "scale"), "1.5 0.5 1.5");
    for (int i = 0; i < 5; ++i)
        draft.scale(-1, true);
    EXPECT_EQ(draft.get_level_text().value(1, "scale"), "1.5 0.1 1.5");
    for (int i = 0; i < 50; ++i)
        draft.scale(1, false);
    EXPECT_EQ(draft.get_level_text().value(1, "scale"), "20 0.1 20");
    // The start is no block.
    draft.pick(0);
    const std::string before = draft.get_text();
    EXPECT_EQ(draft.scale(1, false), level_draft::outcome::none);
    EXPECT_EQ(draft.get_text(), before);
    draft.pick(1);
    while (draft.get_level_text().value(1, "scale") != "1.5 1 1.5")
        ASSERT_NE(draft.undo(), level_draft::outcome::none);
    expect_undo_and_redo(course);
}

TEST_F(drafting, a_duplicate_stands_a_step_aside_under_a_new_id_and_goes_with_one_undo)
{
    draft.pick(1);
    draft.set_step(5);
    EXPECT_EQ(draft.duplicate(), level_draft::outcome::rebuild);
    const level_text& text = draft.get_level_text();
    ASSERT_EQ(text.object_count(), 6u);
    EXPECT_EQ(draft.get_picked(), 2u);
    EXPECT_EQ(text.value(2, "id"), "a_2");
    EXPECT_EQ(text.value(2, "pos"), "5 50 0");
    EXPECT_EQ(text.value(2, "glow"), "yes");
    EXPECT_EQ(changed_lines(course, draft.get_text()).front(),
              "    <Object type=\"block\" id=\"a_2\" pos=\"5 50 0\" glow=\"yes\"   block_type='1'/>");
    expect_undo_and_redo(course);
}

TEST_F(drafting, a_delete_takes_the_whole_line_and_an_undo_puts_it_back_picked)
{
    draft.pick(2);
    EXPECT_EQ(draft.remove(), level_draft::outcome::rebuild);
    EXPECT_EQ(draft.get_level_text().object_count(), 4u);
    EXPECT_EQ(draft.get_text().find("platform"), std::string::npos);
    std::string without = course;
    const std::size_t line = without.find("    <Object type=\"platform\"");
    without.erase(line, without.find('\n', line) + 1 - line);
    EXPECT_EQ(draft.get_text(), without) << "more or less than its line went";
    EXPECT_FALSE(draft.get_picked());
    draft.undo();
    EXPECT_EQ(draft.get_text(), course);
    EXPECT_EQ(draft.get_picked(), 2u);
}

TEST_F(drafting, every_type_of_the_palette_is_added_on_a_line_of_its_own_after_the_picked_object)
{
    for (const std::string& type : level_draft::palette()) {
        level_draft fresh("draft.map", course, true);
        fresh.pick(0);
        fresh.set_step(10);
        EXPECT_EQ(fresh.add(type, {23, 50.2f, -18}), level_draft::outcome::rebuild);
        ASSERT_EQ(fresh.get_picked(), 1u) << type;
        EXPECT_EQ(fresh.get_level_text().value(1, "type"), type);
        EXPECT_EQ(fresh.get_level_text().value(1, "pos"), "20 50 -20");
        const std::vector<std::string> lines = changed_lines(course, fresh.get_text());
        EXPECT_EQ(lines.front().rfind("    <Object type=\"" + type + "\"", 0), 0u) << lines.front();
        ASSERT_NE(fresh.undo(), level_draft::outcome::none);
        EXPECT_EQ(fresh.get_text(), course);
    }
}

TEST_F(drafting, attributes_are_set_added_and_taken_away_where_they_stand)
{
    draft.pick(1);
    draft.set_value("block_type", "2");
    EXPECT_NE(draft.get_text().find("block_type='2'"), std::string::npos);
    draft.set_value("colour", "blue \"sky\"");
    EXPECT_NE(draft.get_text().find("block_type='2' colour=\"blue &quot;sky&quot;\"/>"), std::string::npos);
    EXPECT_EQ(draft.get_level_text().value(1, "colour"), "blue \"sky\"");
    draft.set_value("glow", "");
    EXPECT_NE(draft.get_text().find("pos=\"0 50 0\"   block_type"), std::string::npos) << draft.get_text();
    EXPECT_EQ(draft.set_value("glow", ""), level_draft::outcome::none);
    draft.undo();
    draft.undo();
    expect_undo_and_redo(course);
}

TEST_F(drafting, waypoints_and_info_texts_are_changed_in_place)
{
    draft.pick(2);
    draft.set_waypoint(1, "40 50 -20");
    EXPECT_EQ(draft.get_level_text().child_value(2, 1, "pos"), "40 50 -20");
    draft.pick(3);
    draft.set_words("Mind <the> gap");
    EXPECT_NE(draft.get_text().find(">Mind &lt;the&gt; gap</Object>"), std::string::npos);
    draft.pick(4);
    draft.set_words("At last");
    EXPECT_NE(draft.get_text().find("pos=\"0 51.5 -30\">At last</Object>"), std::string::npos);
    for (int i = 0; i < 3; ++i)
        draft.undo();
    EXPECT_EQ(draft.get_text(), course);
}

TEST_F(drafting, undo_goes_back_without_limit_and_a_new_change_forgets_the_redo)
{
    draft.pick(1);
    draft.set_step(1);
    for (int i = 0; i < 500; ++i)
        draft.move({1, 0, 0});
    EXPECT_EQ(draft.position_of(1), Ogre::Vector3(500, 50, 0));
    while (draft.undo() != level_draft::outcome::none) {
    }
    EXPECT_EQ(draft.get_text(), course);
    draft.redo();
    draft.turn(90);
    EXPECT_EQ(draft.redo(), level_draft::outcome::none);
    EXPECT_EQ(draft.position_of(1), Ogre::Vector3(1, 50, 0));
}

TEST_F(drafting, crlf_line_ends_stay_and_new_lines_get_them_too)
{
    std::string crlf;
    for (char c : course)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    level_draft windows("draft.map", crlf, true);
    windows.pick(0);
    windows.add("block", {0, 50, 10});
    for (std::size_t i = 0; i < windows.get_text().size(); ++i) {
        if (windows.get_text()[i] == '\n') {
            ASSERT_EQ(windows.get_text()[i - 1], '\r') << "a bare line feed at " << i;
        }
    }
    EXPECT_NE(windows.get_text().find("\r\n    <Object type=\"block\" pos=\"0 50 10\"/>\r\n"), std::string::npos);
    windows.undo();
    EXPECT_EQ(windows.get_text(), crlf);
}

TEST_F(drafting, a_level_without_objects_gets_its_first_one)
{
    level_draft empty("draft.map", "<Level name=\"E\">\n  <Objects>\n  </Objects>\n</Level>\n", true);
    empty.add("start", {0, 51.5f, 0});
    EXPECT_EQ(empty.get_text(), "<Level name=\"E\">\n  <Objects>\n    <Object type=\"start\" pos=\"0 51.5 0\"/>\n"
                                "  </Objects>\n</Level>\n");
    level_draft none("draft.map", "<Level name=\"E\"><Objects/></Level>", true);
    none.add("block", {0, 50, 0});
    EXPECT_EQ(none.get_level_text().object_count(), 1u);
}

TEST_F(drafting, the_level_s_own_settings_are_listed_and_changed_where_they_stand_or_put_in)
{
    const auto row = [this](const std::string& name) {
        for (const level_settings::row& r : level_settings::rows(draft.get_level_text()))
            if (r.name == name)
                return r.value;
        return std::string("<no row>");
    };
    EXPECT_EQ(row("name"), "Draft");
    EXPECT_EQ(row("music"), "");
    EXPECT_EQ(row("fog colour"), "");
    EXPECT_EQ(draft.set_setting("music", "level_02.ogg"), level_draft::outcome::rebuild);
    EXPECT_EQ(changed_lines(course, draft.get_text()),
              std::vector<std::string>{"<Level name=\"Draft\" music=\"level_02.ogg\">"});
    // Missing sections come in on lines of their own, in the order levels keep.
    draft.set_setting("fog colour", "0.5 0.6 0.7");
    draft.set_setting("gravity", "0 -100 0");
    draft.set_setting("fog start", "200");
    draft.set_setting("description", "Roll <on>");
    draft.set_setting("ambient", "0.4 0.4 0.4");
    EXPECT_EQ(draft.get_text().substr(0, draft.get_text().find("  <Objects>")),
              "<?xml version=\"1.0\"?>\n<!-- a comment the author wrote -->\n"
              "<Level name=\"Draft\" music=\"level_02.ogg\">\n"
              "  <Description>Roll &lt;on&gt;</Description>\n"
              "  <Fog colour=\"0.5 0.6 0.7\" start=\"200\"/>\n"
              "  <Settings gravity=\"0 -100 0\" ambient=\"0.4 0.4 0.4\"/>\n");
    EXPECT_EQ(row("description"), "Roll <on>");
    EXPECT_EQ(row("fog start"), "200");
    EXPECT_EQ(draft.get_text().substr(draft.get_text().find("  <Objects>")),
              course.substr(course.find("  <Objects>")));
    // The same value again, or taking away what is not there, changes nothing.
    EXPECT_EQ(draft.set_setting("fog start", "200"), level_draft::outcome::none);
    EXPECT_EQ(draft.set_setting("fog end", ""), level_draft::outcome::none);
    EXPECT_EQ(draft.set_setting("no such row", "1"), level_draft::outcome::none);
    draft.set_setting("music", "");
    EXPECT_NE(draft.get_text().find("<Level name=\"Draft\">\n"), std::string::npos);
    draft.set_setting("name", "Roll & Go");
    EXPECT_EQ(row("name"), "Roll & Go");
    // Objects are still found and changed after the sections came in.
    draft.pick(1);
    draft.move({1, 0, 0});
    EXPECT_EQ(draft.get_level_text().value(1, "pos"), "5 50 0");
    for (int i = 0; i < 9; ++i)
        ASSERT_NE(draft.undo(), level_draft::outcome::none) << i;
    EXPECT_EQ(draft.get_text(), course);
    for (int i = 0; i < 9; ++i)
        draft.redo();
    EXPECT_EQ(draft.get_level_text().value(1, "pos"), "5 50 0");
    EXPECT_EQ(row("fog colour"), "0.5 0.6 0.7");
}

TEST_F(drafting, the_lights_and_existing_sections_are_changed_in_place_crlf_and_all)
{
    const std::string lit = "<Level name=\"L\">\r\n"
                            "\t<Description/>\r\n"
                            "\t<Fog start=\"100\" end=\"300\"/>\r\n"
                            "\t<Lights>\r\n"
                            "\t\t<Light type=\"dir\" dir=\"0 -1 0\"/>\r\n"
                            "\t\t<Light type=\"point\" pos=\"1 2 3\"/>\r\n"
                            "\t</Lights>\r\n"
                            "\t<Objects>\r\n"
                            "\t\t<Object type=\"start\" pos=\"0 51.5 0\"/>\r\n"
                            "\t</Objects>\r\n"
                            "</Level>\r\n";
    level_draft level("lit.map", lit, true);
    std::vector<std::string> names;
    for (const level_settings::row& r : level_settings::rows(level.get_level_text()))
        names.push_back(r.name + "=" + r.value);
    EXPECT_EQ(names, (std::vector<std::string>{"name=L", "music=", "description=", "fog start=100", "fog end=300",
                                               "fog colour=", "ambient=", "gravity=", "light 1 type=dir",
                                               "light 1 dir=0 -1 0", "light 2 type=point", "light 2 pos=1 2 3"}));
    level.set_setting("light 2 pos", "4 5 6");
    level.set_setting("light 1 dif", "1 1 1");
    level.set_setting("description", "Lit");
    level.set_setting("gravity", "0 -50 0");
    EXPECT_EQ(level.set_setting("light 3 pos", "0 0 0"), level_draft::outcome::none);
    EXPECT_EQ(level.get_text(), "<Level name=\"L\">\r\n"
                                "\t<Description>Lit</Description>\r\n"
                                "\t<Fog start=\"100\" end=\"300\"/>\r\n"
                                "\t<Settings gravity=\"0 -50 0\"/>\r\n"
                                "\t<Lights>\r\n"
                                "\t\t<Light type=\"dir\" dir=\"0 -1 0\" dif=\"1 1 1\"/>\r\n"
                                "\t\t<Light type=\"point\" pos=\"4 5 6\"/>\r\n"
                                "\t</Lights>\r\n"
                                "\t<Objects>\r\n"
                                "\t\t<Object type=\"start\" pos=\"0 51.5 0\"/>\r\n"
                                "\t</Objects>\r\n"
                                "</Level>\r\n");
    while (level.undo() != level_draft::outcome::none) {
    }
    EXPECT_EQ(level.get_text(), lit);
}

TEST_F(drafting, a_section_after_the_objects_is_still_found_after_a_move_before_it)
{
    level_draft late("late.map",
                     "<Level name=\"L\"><Objects><Object type=\"start\" pos=\"0 1 0\"/></Objects>"
                     "<Fog start=\"1\"/></Level>",
                     true);
    late.pick(0);
    late.set_step(100);
    late.move({1, 0, 0});
    late.set_setting("fog start", "25");
    EXPECT_EQ(late.get_text(), "<Level name=\"L\"><Objects><Object type=\"start\" pos=\"100 1 0\"/></Objects>"
                               "<Fog start=\"25\"/></Level>");
}

class saving : public ::testing::Test {
protected:
    saving() : folder(fs::temp_directory_path() / ("draft_save_" + std::to_string(::getpid())))
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~saving() override { fs::remove_all(folder); }

    fs::path folder;
};

TEST_F(saving, every_shipped_level_saved_without_a_change_is_the_same_file_byte_for_byte)
{
    const fs::path levels = fs::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(levels)) {
        if (entry.path().extension() != ".map")
            continue;
        const fs::path copy = folder / entry.path().filename();
        fs::copy_file(entry.path(), copy);
        level_draft draft = level_draft::open(copy.string());
        EXPECT_GT(draft.get_level_text().object_count(), 10u) << copy;
        EXPECT_FALSE(draft.unsaved());
        EXPECT_EQ(draft.save(), "");
        EXPECT_EQ(read(copy), read(entry.path())) << entry.path();
        // One change touches one line, and undoing it gives the file back.
        draft.pick(draft.get_level_text().object_count() / 2);
        draft.move({0, 1, 0});
        EXPECT_TRUE(draft.unsaved());
        draft.save();
        EXPECT_EQ(changed_lines(read(entry.path()), read(copy)).size(), 1u) << entry.path();
        draft.undo();
        draft.save();
        EXPECT_EQ(read(copy), read(entry.path())) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 12);
}

TEST_F(saving, a_new_level_starts_from_the_template_and_is_written_on_first_save)
{
    const fs::path path = folder / "levels" / "fresh.map";
    level_draft draft = level_draft::open(path.string());
    EXPECT_TRUE(draft.unsaved());
    EXPECT_FALSE(fs::exists(path));
    const level_text& text = draft.get_level_text();
    ASSERT_GE(text.object_count(), 4u);
    EXPECT_EQ(text.value(0, "type"), "start");
    EXPECT_EQ(text.value(text.object_count() - 1, "type"), "target");
    EXPECT_NE(draft.get_text().find("<Level name=\"fresh\">"), std::string::npos);
    EXPECT_EQ(draft.save(), "");
    EXPECT_EQ(read(path), draft.get_text());
    EXPECT_FALSE(draft.unsaved());
    EXPECT_FALSE(draft.changed_outside());
}

TEST_F(saving, a_change_made_outside_is_told_apart_from_the_draft_s_own_save)
{
    const fs::path path = folder / "draft.map";
    std::ofstream(path, std::ios::binary) << course;
    level_draft draft = level_draft::open(path.string());
    draft.pick(1);
    draft.move({1, 0, 0});
    draft.save();
    EXPECT_FALSE(draft.changed_outside());
    std::ofstream(path, std::ios::binary) << course;
    EXPECT_TRUE(draft.changed_outside());
    draft.keep_mine();
    EXPECT_TRUE(draft.unsaved());
    EXPECT_FALSE(draft.changed_outside());
    const std::string mine = draft.get_text();
    draft.take_file();
    EXPECT_EQ(draft.get_text(), course);
    EXPECT_FALSE(draft.unsaved());
    EXPECT_FALSE(draft.get_picked());
    // Taking the file is a step of the history: undo brings the draft back, picked as it was.
    EXPECT_EQ(draft.undo(), level_draft::outcome::rebuild);
    EXPECT_EQ(draft.get_text(), mine);
    EXPECT_TRUE(draft.unsaved());
    EXPECT_EQ(draft.get_picked(), 1u);
    draft.undo();
    EXPECT_EQ(draft.position_of(1), Ogre::Vector3(0, 50, 0)) << "the history before it was lost";
    draft.redo();
    draft.redo();
    EXPECT_EQ(draft.get_text(), course);
    EXPECT_FALSE(draft.unsaved());
}

TEST_F(saving, a_save_that_cannot_be_written_says_why_and_keeps_the_changes_unsaved)
{
    const fs::path blocked = folder / "file";
    std::ofstream(blocked) << "x";
    level_draft draft((blocked / "draft.map").string(), course, false);
    EXPECT_NE(draft.save(), "");
    EXPECT_TRUE(draft.unsaved());
}
