// The limits every level keeps, as an author or a stranger's file meets them:
// at each limit a level is read, one step beyond it the whole level is
// refused with a reason at the line at fault, and what the game merely
// replaces with a default is left to the loader.

#include "level/level_document.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using outcome = level_document::outcome;

// A level with a start on line 2 and `lines`, one to a line, from line 3 on.
std::string level_with(const std::string& lines, const std::string& head = "")
{
    return "<Level" + head + ">\n<Objects><Object type=\"start\" pos=\"0 51.5 0\"/>\n" + lines +
           "\n</Objects></Level>\n";
}

std::string repeated(const std::string& text, int times)
{
    std::string result;
    result.reserve(text.size() * size_t(times));
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

std::string attributes(int count)
{
    std::string result;
    for (int i = 0; i < count; ++i)
        result += " a" + std::to_string(i) + "=\"\"";
    return result;
}

// Expects the text refused with its first reason on `line`, containing `phrase`.
void expect_refused(const std::string& text, int line, const std::string& phrase)
{
    const level_document read = level_document::read_text(text);
    ASSERT_EQ(read.get_outcome(), outcome::refused) << phrase;
    EXPECT_EQ(read.problem().line, line) << read.problem().reason;
    EXPECT_NE(read.problem().reason.find(phrase), std::string::npos) << read.problem().reason;
}

void expect_loaded(const std::string& text)
{
    const level_document read = level_document::read_text(text);
    EXPECT_EQ(read.get_outcome(), outcome::loaded) << read.problem().line << ": " << read.problem().reason;
}

}

TEST(level_limits, objects_and_lights_up_to_their_limit_are_read_and_one_more_refuses_the_level)
{
    const std::string block = "<Object type=\"block\" pos=\"0 50 0\"/>\n";
    expect_loaded(level_with(repeated(block, level_limits::max_objects - 1)));
    expect_refused(level_with(repeated(block, level_limits::max_objects)), 2 + level_limits::max_objects,
                   "an object beyond the 100000 a level may have");

    const std::string light = "<Light type=\"point\" pos=\"0 90 0\"/>\n";
    const std::string lights = "<Lights>\n" + repeated(light, level_limits::max_lights);
    expect_loaded("<Level>\n" + lights + "</Lights></Level>");
    expect_refused("<Level>\n" + lights + light + "</Lights></Level>", 3 + level_limits::max_lights,
                   "a light beyond the 8 a level may have");
}

TEST(level_limits, long_values_and_texts_refuse_the_level_at_their_line)
{
    const std::string longest(level_limits::max_value_bytes, 'x');
    expect_loaded(level_with("<Object type=\"block\" id=\"" + longest + "\"/>", " name=\"" + longest + "\""));
    expect_refused(level_with("<Object type=\"block\"\n id=\"" + longest + "x\"/>"), 4,
                   "the value of id is 257 bytes long");
    expect_refused(level_with("<Object type=\"block\" " + longest + "x=\"\"/>"), 3, "an attribute name longer than 256");

    const std::string page(level_limits::max_text_bytes, 'w');
    expect_loaded(level_with("<Object type=\"infobox\">" + page + "</Object>"));
    expect_refused(level_with("<Object type=\"infobox\">" + page + "w</Object>"), 3, "a text of 4097 bytes");
    expect_refused("<Level>\n<Description><![CDATA[" + page + "w]]></Description></Level>", 2, "a text of 4097 bytes");
}

TEST(level_limits, files_too_large_deep_or_many_parted_are_refused_before_they_are_parsed)
{
    expect_refused(std::string(level_limits::max_bytes + 1, ' '), 1, "larger than 16 MB");

    const int notes = level_limits::text_bounds.depth - 3;
    const std::string open = repeated("<Note>", notes), closed = repeated("</Note>", notes);
    expect_loaded(level_with("<Object type=\"block\">" + open + closed + "</Object>"));
    expect_refused(level_with("<Object type=\"block\">" + open + "\n<Note/>" + closed + "</Object>"), 4,
                   "nest more than 8 deep");

    const int most = level_limits::text_bounds.attributes_per_element;
    expect_loaded(level_with("<Object" + attributes(most) + "/>"));
    expect_refused(level_with("<Object\n" + attributes(most + 1) + "/>"), 3, "this element has more than 32 attributes");

    // Every tag costs TinyXML some 220 bytes, an attribute 130: counted on the raw text.
    const int tags = int(level_limits::text_bounds.tags);
    expect_loaded(level_with(repeated("<a/>", tags - 3)));
    expect_refused(level_with(repeated("<a/>", tags - 2)), 3, "more than 250000 tags");
    expect_refused(level_with(repeated("<!---->", tags / 2) + "\n" + repeated("<?x?>", tags / 2)), 4,
                   "more than 250000 tags");
    // The start holds two attributes; the file crosses the limit on line 4.
    const int all = int(level_limits::text_bounds.attributes) - 2;
    const std::string full = repeated("<a" + attributes(32) + "/>", all / 32);
    expect_refused(level_with(full + "\n<b" + attributes(all % 32 + 1) + "/>"), 4, "more than 1000000 attributes");
}

TEST(level_limits, positions_beyond_the_world_refuse_the_level_and_values_the_game_replaces_do_not)
{
    expect_loaded(level_with("<Object type=\"block\" pos=\"100000 -100000 1e5\"/>\n"
                             "<Object type=\"teleporter\" target_pos=\"0 100000 0\"/>"));
    expect_refused(level_with("<Object type=\"block\"\n pos=\"0 50 100000.01\"/>"), 4,
                   "pos=\"0 50 100000.01\" lies beyond 100000 from the origin");
    expect_refused(level_with("<Object type=\"teleporter\" target_pos=\"-3e38 0 0\"/>"), 3, "target_pos=");
    expect_refused(level_with("<Object type=\"platform\"><Waypoint pos=\"0 0 0\"/>\n<Waypoint pos=\"2e5 0 0\"/>"
                              "</Object>"),
                   4, "pos=\"2e5 0 0\"");
    expect_refused("<Level><Lights>\n<Light pos=\"0 1e30 0\"/></Lights></Level>", 2, "pos=\"0 1e30 0\"");
    // Not three finite floats: the loader logs them and uses its default.
    for (const char* pos : {"nan 0 0", "inf 0 0", "1e39 0 0", "0 0", "1 2 3 4", "x y z", "0,0,0"})
        expect_loaded(level_with(std::string("<Object type=\"block\" pos=\"") + pos + "\"/>"));
}

TEST(level_limits, media_are_named_by_plain_file_names_only)
{
    for (const char* name : {"nothing.mesh", "block_10_10.mesh", "my arch.mesh", "..mesh", "level_01.ogg"})
        expect_loaded(level_with(std::string("<Object type=\"block\" mesh=\"") + name + "\"/>"));
    for (const char* name : {"../levels/level_01.map", "/etc/hostname", "meshes/block.mesh", "..\\block.mesh", "..",
                             ".", "", "a\x1b[2Jb.mesh"})
        expect_refused(level_with(std::string("<Object type=\"block\" mesh=\"") + name + "\"/>"), 3,
                       "is not a plain file name");
    expect_refused(level_with("<Object type=\"door\" colour=\"red\" open_mesh=\"../door_open.mesh\"/>"), 3,
                   "open_mesh=\"../door_open.mesh\"");
    expect_refused(level_with("", " music=\"../../audio/level_01.ogg\""), 1, "music=");
    // A quoted value never carries control characters into a log or terminal.
    const level_document read = level_document::read_text(level_with("<Object type=\"block\" mesh=\"/\x1b[2J\"/>"));
    EXPECT_EQ(read.problem().reason.find('\x1b'), std::string::npos);
}

TEST(level_limits, a_teleporter_s_target_id_must_name_an_object_as_the_game_names_them)
{
    // Lights take the first generated names, then objects without an id,
    // and an open door's second body the one after its own.
    const std::string objects = "<Object type=\"start\"/>\n"
                                "<Object type=\"block\"/>\n"                                 // obj_00000001
                                "<Object type=\"door\" colour=\"red\" open_mesh=\"door_open.mesh\"/>\n" // 2, body 3
                                "<Object type=\"door\" colour=\"red\"/>\n"                  // obj_00000004
                                "<Object type=\"block\" id=\"named\"/>\n"
                                "<Object type=\"boulder\" id=\"unknown\"/>\n"
                                "<Object type=\"score\"/>\n"; // obj_00000005
    const std::string level = "<Level>\n<Lights><Light/></Lights>\n<Objects>\n" + objects;
    for (const char* target : {"named", "start", "ground", "player", "obj_00000001", "obj_00000002", "obj_00000004",
                               "obj_00000005"})
        expect_loaded(level + "<Object type=\"teleporter\" target_id=\"" + target + "\"/></Objects></Level>");
    for (const char* target : {"nowhere", "unknown", "obj_00000000", "obj_00000003", "obj_00000007"})
        expect_refused(level + "<Object type=\"teleporter\" target_id=\"" + target + "\"/></Objects></Level>", 11,
                       "names no object of this level");
    // With a target_pos the game never reads target_id.
    expect_loaded(level_with("<Object type=\"teleporter\" target_pos=\"0 0 0\" target_id=\"nowhere\"/>"));
}

TEST(level_limits, a_refused_level_lists_at_most_twenty_reasons_in_line_order)
{
    const level_document read = level_document::read_text(
        level_with(repeated("<Object type=\"teleporter\" target_id=\"nowhere\"/>\n", 25) +
                   "<Object type=\"block\" pos=\"0 9e9 0\"/>"));
    ASSERT_EQ(read.get_refusals().size(), level_limits::max_refusals);
    EXPECT_EQ(read.get_refusals().front().line, 3);
    for (size_t i = 1; i < read.get_refusals().size(); ++i)
        EXPECT_LT(read.get_refusals()[i - 1].line, read.get_refusals()[i].line);
    EXPECT_NE(read.get_level(), nullptr);
}

TEST(level_limits, lines_are_counted_alike_whatever_ends_them)
{
    // CR LF, a lone CR and a lone LF each end one line, as in a file TinyXML reads itself.
    expect_refused("<Level>\r\n\r<Objects>\r\n<Object mesh=\"../x.mesh\"/>\n</Objects></Level>", 4, "mesh=");
    expect_refused("<Level>\r\n\r<Objects>\r\n" + repeated("<a/>", int(level_limits::text_bounds.tags)) + "\r", 4,
                   "more than 250000 tags");
}
