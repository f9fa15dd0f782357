#include "level/game_object.h"
#include "support/level_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The committed levels folder, next to the materials the media library names.
std::filesystem::path shipped_levels()
{
    return std::filesystem::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";
}

class shipped_levels_load : public level_fixture {};

}

TEST_F(shipped_levels_load, every_level_loads_without_a_problem_and_has_start_target_and_ball)
{
    int levels = 0;
    for (const auto& entry : std::filesystem::directory_iterator(shipped_levels())) {
        if (entry.path().extension() != ".map")
            continue;
        ++levels;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string name = entry.path().filename().string();
        log.lines.clear();
        auto lvl = load(name, text.str());
        for (const std::string& line : log.lines) {
            EXPECT_EQ(line.find("Unbekannter"), std::string::npos) << line;
            EXPECT_EQ(line.find("existiert bereits"), std::string::npos) << line;
            EXPECT_EQ(line.find("nicht"), std::string::npos) << line;
            EXPECT_EQ(line.find("Kein"), std::string::npos) << line;
        }
        EXPECT_NE(lvl->find_object("start"), nullptr) << name;
        EXPECT_NE(lvl->find_object("target"), nullptr) << name;
        EXPECT_NE(lvl->get_player(), nullptr) << name;
    }
    EXPECT_GE(levels, 1);
}
