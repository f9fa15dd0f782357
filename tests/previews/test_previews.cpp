// Level-selection previews: each kind of object is painted where it stands in
// its own colours, a long course is turned to fill the picture, and a level
// that cannot be drawn gives the plain background with a reason instead of a
// crash. The build's pictures are checked too.

#include "course_layout.h"
#include "level_plan.h"
#include "preview_maker.h"
#include "preview_painter.h"
#include "rgba_image.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct rgb {
    int r, g, b;
};

std::string level(const std::string& objects)
{
    return "<Level name=\"Preview\"><Objects>" + objects + "</Objects></Level>";
}

// Deep enough to overflow the parser's stack if it were parsed.
std::string deeply_nested()
{
    std::string text = "<Level><Objects>";
    for (int i = 0; i < 200000; ++i)
        text += "<Object>";
    return text;
}

class preview : public ::testing::Test {
protected:
    // Paints a level; the layout tells where its objects landed.
    void paint(const std::string& text)
    {
        problems.clear();
        plan = level_plan::from_text(text, problems);
        image = preview_painter().paint(plan);
        layout = course_layout(plan, image.width(), image.height(), preview_painter().margin());
    }

    rgb at(float x, float y) const
    {
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
            return {0, 0, 0};
        const std::size_t i = (std::size_t(y) * image.width() + std::size_t(x)) * 4;
        const auto& b = image.bytes();
        return {b[i], b[i + 1], b[i + 2]};
    }
    rgb at(float x, float z, float dx, float dy) const
    {
        const flat_point p = layout.to_pixel(x, z);
        return at(p.x + dx, p.y + dy);
    }
    rgb at_level(float x, float z) const { return at(x, z, 0, 0); }

    // Mean colour of the middle half of a 10 x 10 tile at (x, z).
    rgb tile_colour(float x, float z) const
    {
        const float half = 2.5f * layout.scale();
        int r = 0, g = 0, b = 0, n = 0;
        for (float dy = -half; dy < half; ++dy)
            for (float dx = -half; dx < half; ++dx, ++n) {
                const rgb c = at(x, z, dx, dy);
                r += c.r, g += c.g, b += c.b;
            }
        return {r / n, g / n, b / n};
    }

    // How far the yellow arrow on a speed tile leads along (ux, uy): its tip,
    // on the arrow's axis, lies ahead of its barbs, off the axis.
    float arrow_lead(float x, float z, float ux, float uy) const
    {
        const float half = 5 * layout.scale();
        float on_axis = 0, off_axis = 0;
        int on = 0, off = 0;
        for (float dy = -half; dy < half; ++dy)
            for (float dx = -half; dx < half; ++dx) {
                const rgb c = at(x, z, dx, dy);
                if (c.r < 180 || c.g < 140 || c.b > 100)
                    continue;
                const float along = dx * ux + dy * uy, across = std::fabs(dx * uy - dy * ux);
                if (across < 0.1f * half)
                    on_axis += along, ++on;
                else if (across > 0.4f * half)
                    off_axis += along, ++off;
            }
        return on && off ? on_axis / on - off_axis / off : 0;
    }

    static rgba_image default_picture() { return preview_painter().paint(level_plan()); }

    std::vector<std::string> problems;
    level_plan plan;
    rgba_image image{1, 1};
    course_layout layout{level_plan(), 1, 1, 0};
};

bool greenish(rgb c) { return c.g > c.r + 40 && c.g > c.b + 40; }

TEST_F(preview, each_block_kind_has_its_own_look_where_it_stands)
{
    paint(level(R"(<Object type="block" pos="0 50 0"/><Object type="block" pos="20 50 0" block_type="1"/>
                   <Object type="block" pos="40 50 0" block_type="2"/><Object type="block" pos="60 50 0" block_type="3"/>)"));
    EXPECT_TRUE(problems.empty());
    const rgb kinds[] = {tile_colour(0, 0), tile_colour(20, 0), tile_colour(40, 0), tile_colour(60, 0)};
    EXPECT_GT(kinds[0].b, kinds[0].r) << "plain stone is blue-grey";
    EXPECT_GT(kinds[1].r, kinds[1].b + 60) << "falling blocks are orange";
    EXPECT_GT(kinds[3].r, kinds[3].b + 40) << "push blocks are wooden";
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            EXPECT_GT(std::abs(kinds[i].r - kinds[j].r) + std::abs(kinds[i].g - kinds[j].g) +
                          std::abs(kinds[i].b - kinds[j].b), 30)
                << "kinds " << i << " and " << j << " look alike";
    // Between the tiles lies background, not stone.
    EXPECT_LT(at_level(10, 0).b, 90);
}

TEST_F(preview, a_speed_block_arrow_points_where_it_kicks)
{
    paint(level(R"(<Object type="block" pos="0 50 0" block_type="2"/>)"));
    EXPECT_GT(arrow_lead(0, 0, 0, -1), 2.0f) << "unturned, it kicks along -z: up the picture";
    paint(level(R"(<Object type="block" pos="0 50 0" block_type="2" rot="0 90 0"/>)"));
    EXPECT_GT(arrow_lead(0, 0, -1, 0), 2.0f) << "turned a quarter about y, it kicks along -x: left";
}

TEST_F(preview, markers_coins_doors_and_teleporters_show_in_their_colours)
{
    paint(level(R"(
        <Object type="start" pos="0 51.5 0"/><Object type="checkpoint" pos="30 51.5 0"/>
        <Object type="target" pos="60 51.5 -40"/>
        <Object type="score" pos="0 52 -40"/><Object type="score" score_type="1" pos="15 52 -40"/>
        <Object type="door" colour="red" pos="30 58 -40"/><Object type="switch" colour="blue" pos="45 56 -40"/>
        <Object type="teleporter" pos="0 51.5 -20" target_id="target"/>)"));
    EXPECT_TRUE(problems.empty());
    EXPECT_TRUE(greenish(at_level(0, 0))) << "start pad";
    EXPECT_TRUE(greenish(at(30, 0, 5 * layout.scale() - 1, 0))) << "checkpoint ring";
    const rgb gold = at(0, -40, 0, 1), blue = at(15, -40, 0, 1);
    EXPECT_TRUE(gold.r > 200 && gold.g > 150 && gold.b < 120) << "a 10-point coin is gold";
    EXPECT_TRUE(blue.b > 200 && blue.r < 150) << "a 100-point coin is blue";
    const rgb door = at(30, -40, 0, 3), panel = at(45, -40, 0, 3);
    EXPECT_TRUE(door.r > 180 && door.g < 100) << "red door";
    EXPECT_TRUE(panel.b > 180 && panel.r < 120) << "blue switch";
    const rgb pad = at(0, -20, 0, 5 * layout.scale() - 1.2f);
    EXPECT_TRUE(pad.r > 120 && pad.b > 180 && pad.g < 120) << "teleporter ring is purple";
    int dark = 0, light = 0;
    for (float d = -4; d <= 4; ++d) {
        const rgb c = at(60, -40, d, 2);
        dark += c.r + c.g + c.b < 120;
        light += c.r + c.g + c.b > 600;
    }
    EXPECT_TRUE(dark && light) << "the target is chequered";
}

TEST_F(preview, a_platform_shows_at_every_stop_with_its_path_between)
{
    paint(level(R"(<Object type="platform"><Waypoint pos="0 50 0"/><Waypoint pos="0 50 -60"/></Object>
                   <Object type="block" pos="60 50 -60"/>)"));
    for (float z : {0.0f, -60.0f}) {
        const rgb c = tile_colour(0, z);
        EXPECT_TRUE(c.g > c.r + 40 && c.b > c.r + 40) << "teal platform at z " << z;
    }
    int amber = 0;
    for (float z = -20; z >= -40; z -= 0.25f) {
        const rgb c = at_level(0, z);
        amber += c.r > 200 && c.g > 110 && c.b < 100;
    }
    EXPECT_GT(amber, 0) << "dotted path between the stops";
}

TEST_F(preview, a_long_course_is_turned_to_fill_the_wide_picture)
{
    paint(level(R"(<Object type="start" pos="0 51.5 0"/><Object type="target" pos="0 51.5 -300"/>)"));
    const flat_point start = layout.to_pixel(0, 0), target = layout.to_pixel(0, -300);
    EXPECT_GT(target.x - start.x, image.width() / 2) << "forward runs right";
    EXPECT_NEAR(target.y, start.y, 0.5f);
    EXPECT_TRUE(greenish(at(start.x, start.y)));
}

TEST_F(preview, a_level_without_anything_to_draw_gives_the_plain_background_and_says_why)
{
    const std::string broken[] = {
        "",
        "<Level><Objects><Object type=\"block\"",
        "<Campaigns/>",
        "<Level/>",
        deeply_nested(),
        level(R"(<Object type="block" pos="nan 0 0"/><Object type="start" pos="1e30 0 -1e30"/>
                 <Object type="block" pos="1 2"/><Object type="platform"/><Object type="volcano"/>)"),
    };
    for (const std::string& text : broken) {
        paint(text);
        EXPECT_TRUE(plan.empty()) << text.substr(0, 80);
        EXPECT_FALSE(problems.empty()) << text.substr(0, 80);
        EXPECT_EQ(image.bytes(), default_picture().bytes()) << text.substr(0, 80);
    }
    EXPECT_EQ(problems.size(), 6u) << "one line for each object left out, one for the empty plan";
    EXPECT_NE(problems[1].find("object 2 (start)"), std::string::npos) << problems[1];
}

TEST_F(preview, a_far_away_object_is_left_out_and_the_course_keeps_its_size)
{
    paint(level(R"(<Object type="block" pos="0 50 0"/><Object type="block" pos="2e9 50 0"/>
                   <Object type="block" pos="10 50 0" rot="inf 0 0"/>)"));
    EXPECT_EQ(plan.items().size(), 2u);
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_FLOAT_EQ(layout.scale(), 4.0f);
    EXPECT_GT(tile_colour(0, 0).b, 120);
}

class preview_files : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quillax_previews_" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Width and height from a PNG file's header, or 0 x 0 when it is none.
    static std::pair<unsigned, unsigned> png_size(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::vector<unsigned char> head(24);
        in.read(reinterpret_cast<char*>(head.data()), 24);
        const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        if (!in || !std::equal(signature, signature + 8, head.begin()) || std::string(&head[12], &head[16]) != "IHDR")
            return {0, 0};
        const auto u32 = [&](int at) { return unsigned(head[at]) << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3]; };
        return {u32(16), u32(20)};
    }

    fs::path folder;
};

TEST_F(preview_files, every_level_gets_a_png_of_the_preview_size_even_a_missing_one)
{
    std::ofstream(folder / "good.map") << level(R"(<Object type="start" pos="0 51.5 0"/>)");
    std::ostringstream warnings;
    EXPECT_TRUE(preview_maker().make((folder / "good.map").string(), folder.string(), warnings));
    EXPECT_TRUE(preview_maker().make((folder / "gone.map").string(), folder.string(), warnings));
    const std::pair<unsigned, unsigned> size{preview_painter::default_width, preview_painter::default_height};
    EXPECT_EQ(png_size(folder / "good_pre.png"), size);
    EXPECT_EQ(png_size(folder / "gone_pre.png"), size);
    EXPECT_EQ(warnings.str().find("good.map"), std::string::npos) << warnings.str();
    EXPECT_NE(warnings.str().find("gone.map: cannot be opened"), std::string::npos) << warnings.str();

    std::ostringstream refused;
    EXPECT_FALSE(preview_maker().make((folder / "good.map").string(), (folder / "good.map").string(), refused));
    EXPECT_NE(refused.str().find("good_pre.png"), std::string::npos) << refused.str();
}

TEST_F(preview_files, every_shipped_level_reads_cleanly_and_has_its_picture_in_the_runnable_folder)
{
    int levels = 0;
    for (const auto& entry : fs::directory_iterator(QUILLAX_LEVELS_DIR)) {
        if (entry.path().extension() != ".map")
            continue;
        ++levels;
        std::vector<std::string> problems;
        EXPECT_FALSE(level_plan::from_file(entry.path().string(), problems).empty()) << entry.path();
        EXPECT_TRUE(problems.empty()) << entry.path() << ": " << (problems.empty() ? "" : problems.front());
        const fs::path picture = fs::path(QUILLAX_PREVIEW_DIR) / preview_maker::preview_name(entry.path().string());
        EXPECT_EQ(png_size(picture), std::make_pair(320u, 240u)) << picture;
    }
    EXPECT_GT(levels, 0);
}

}
