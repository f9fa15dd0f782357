// The player's settings file: what a missing, partial, malformed or
// unreadable file leaves the game with, and what the log says about it.

#include "app/game_settings.h"
#include "app/key_names.h"
#include "app/settings_store.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool all_on(const game_settings& s)
{
    return s.shadows && s.bloom && s.frame_cap && s.vsync && s.ghost && s.music && s.title_scenery;
}

game_settings read_text(const std::string& text)
{
    game_settings settings;
    std::istringstream in(text);
    settings.read(in, "settings");
    return settings;
}

class settings_file : public ::testing::Test {
protected:
    settings_file()
    {
        folder = fs::temp_directory_path() / ("quillax_settings_" + std::to_string(getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~settings_file() override { fs::remove_all(folder); }

    fs::path folder;
    log_capture log;
};

}

TEST_F(settings_file, a_missing_file_gives_the_defaults_without_a_word)
{
    EXPECT_TRUE(all_on(game_settings::load(folder / "settings")));
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(settings_file, each_switch_turns_off_alone_and_comments_and_blank_lines_are_ignored)
{
    // Written in different ways: a comment and blank lines, Windows line ends, no spaces.
    const std::pair<const char*, bool game_settings::*> switches[] = {
        {"# graphics\n\n  shadows = off  # faster\n", &game_settings::shadows},
        {"bloom=off\r\n", &game_settings::bloom},
        {"frame_cap = off\n", &game_settings::frame_cap},
        {"vsync = off\n", &game_settings::vsync},
        {"ghost = off\n", &game_settings::ghost},
        {"music = off\n", &game_settings::music},
        {"title_scenery = off\n", &game_settings::title_scenery}};
    for (const auto& [text, field] : switches) {
        game_settings settings = read_text(text);
        EXPECT_FALSE(settings.*field) << text;
        settings.*field = true;
        EXPECT_TRUE(all_on(settings)) << text << " changed another setting";
    }
    EXPECT_TRUE(all_on(read_text("shadows = off\nshadows = on\n")));
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(settings_file, a_line_it_cannot_use_is_logged_with_its_place_and_changes_nothing)
{
    std::ofstream(folder / "settings") << "shadows = maybe\n"
                                          "\n"
                                          "shadow = off\n"
                                          "bloom off\n"
                                          "vsync = off\n";
    const game_settings settings = game_settings::load(folder / "settings");
    EXPECT_TRUE(settings.shadows && settings.bloom && settings.frame_cap);
    EXPECT_FALSE(settings.vsync);
    const std::string file = (folder / "settings").string();
    EXPECT_TRUE(log.contains(file + ":1: Invalid value 'maybe' for shadows; using on"));
    EXPECT_TRUE(log.contains(file + ":3: Unknown setting 'shadow'; skipping the line"));
    EXPECT_TRUE(log.contains(file + ":4: No '=' in 'bloom off'; skipping the line"));
    EXPECT_EQ(log.lines.size(), 3u);
}

TEST_F(settings_file, one_that_cannot_be_read_gives_the_defaults_and_a_log_line_and_stays)
{
    // Tests may run as root, whom file permissions do not stop: a folder
    // where the file should be cannot be read by anyone.
    fs::create_directories(folder / "settings" / "inside");
    EXPECT_TRUE(all_on(game_settings::load(folder / "settings")));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind((folder / "settings").string() + ": Cannot read the settings (not a file); using the defaults", 0),
              0u);
    EXPECT_TRUE(fs::is_directory(folder / "settings" / "inside"));
}

// A new player (no file yet) gets the follow camera; a player whose file
// predates it keeps the manual camera the game always had.
TEST_F(settings_file, the_follow_camera_is_on_without_a_file_and_off_in_a_file_without_its_line)
{
    EXPECT_TRUE(game_settings::load(folder / "settings").follow_camera);
    std::ofstream(folder / "settings") << "shadows = off\n";
    EXPECT_FALSE(game_settings::load(folder / "settings").follow_camera);
    std::ofstream(folder / "settings") << "follow_camera = on\n";
    EXPECT_TRUE(game_settings::load(folder / "settings").follow_camera);
    game_settings written;
    written.follow_camera = true;
    EXPECT_TRUE(read_text(written.to_text()).follow_camera);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(settings_file, the_music_volume_is_a_whole_percent)
{
    EXPECT_EQ(game_settings().music_volume, 100);
    EXPECT_EQ(read_text("music_volume = 40\n").music_volume, 40);
    EXPECT_EQ(read_text("music_volume = 0\n").music_volume, 0);
    for (const char* bad : {"101", "-1", "4x", "", "0.5", "1000000000000"}) {
        EXPECT_EQ(read_text(std::string("music_volume = ") + bad + "\n").music_volume, 100) << bad;
        EXPECT_TRUE(log.contains("settings:1: Invalid value '" + std::string(bad) + "' for music_volume; using 100")) << bad;
    }
}

TEST_F(settings_file, keys_are_bound_by_name_and_may_swap_but_never_share)
{
    EXPECT_EQ(game_settings().keys.all(), (key_bindings().all())) << "a binding without a file changed";
    EXPECT_EQ(game_settings().keys.key(key_bindings::forward), KC_W);
    EXPECT_EQ(game_settings().keys.key(key_bindings::restart), KC_R);

    std::ofstream(folder / "settings") << "key_forward = up\n"
                                          "key_left = D\n"
                                          "key_right = A\n"
                                          "key_restart = Tab\n"
                                          "key_backward = Hyperdrive\n";
    const game_settings settings = game_settings::load(folder / "settings");
    key_code up;
    ASSERT_TRUE(key_from_name("Up", up));
    EXPECT_EQ(settings.keys.key(key_bindings::forward), up);
    EXPECT_EQ(settings.keys.key(key_bindings::left), KC_D) << "a swap of two keys was refused";
    EXPECT_EQ(settings.keys.key(key_bindings::right), KC_A);
    EXPECT_EQ(settings.keys.key(key_bindings::restart), KC_R) << "two actions share Tab";
    EXPECT_EQ(settings.keys.key(key_bindings::leave), KC_TAB);
    EXPECT_EQ(settings.keys.key(key_bindings::backward), KC_S);
    const std::string file = (folder / "settings").string();
    EXPECT_TRUE(log.contains(file + ":4: Tab is already used to leave the level; using R for key_restart"));
    EXPECT_TRUE(log.contains(file + ":5: Unknown key 'Hyperdrive' for key_backward; using S"));
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST_F(settings_file, what_the_options_screen_writes_reads_back_the_same)
{
    game_settings changed;
    changed.bloom = false;
    changed.music_volume = 30;
    changed.effects_volume = 55;
    changed.mouse_sensitivity = 250;
    changed.invert_mouse = true;
    changed.wheel_speed = 40;
    changed.window_size = "1280 x 720";
    changed.fullscreen = true;
    std::array<key_code, key_bindings::action_count> keys{};
    const char* names[] = {"Up", "Left", "Down", "Right", "P", "Tab", "F12", "Backspace"};
    for (int a = 0; a < key_bindings::action_count; ++a)
        ASSERT_TRUE(key_from_name(names[a], keys[a])) << names[a];
    ASSERT_TRUE(changed.keys.bind_all(keys));
    const game_settings back = read_text(changed.to_text());
    EXPECT_TRUE(log.lines.empty()) << log.lines.front();
    EXPECT_EQ(back.to_text(), changed.to_text());
    EXPECT_FALSE(back.bloom);
    EXPECT_EQ(back.music_volume, 30);
    EXPECT_EQ(back.effects_volume, 55);
    EXPECT_EQ(back.mouse_sensitivity, 250);
    EXPECT_TRUE(back.invert_mouse);
    EXPECT_EQ(back.wheel_speed, 40);
    EXPECT_EQ(back.keys.all(), changed.keys.all());
    EXPECT_EQ(back.window_size, "1280 x 720");
    EXPECT_EQ(back.fullscreen, std::optional<bool>(true));
    // Unset, the window stays config.cfg's: the defaults write no window lines.
    EXPECT_EQ(game_settings().to_text().find("window_size"), std::string::npos);
    EXPECT_EQ(game_settings().to_text().find("fullscreen"), std::string::npos);
    EXPECT_EQ(read_text("window_size = 99999 x 2\nmouse_sensitivity = 5\n").to_text(), game_settings().to_text());
    EXPECT_TRUE(log.contains("settings:1: Invalid value '99999 x 2' for window_size; using what config.cfg says"));
    EXPECT_TRUE(log.contains("settings:2: Invalid value '5' for mouse_sensitivity; using 100"));
}

TEST_F(settings_file, a_file_with_lines_the_game_refused_is_set_aside_before_the_first_save)
{
    std::ofstream(folder / "settings") << "music_volume = 40\nshadowz = off\n";
    settings_store store(folder / "settings");
    EXPECT_EQ(store.loaded().music_volume, 40);
    game_settings changed = store.loaded();
    changed.ghost = false;
    EXPECT_EQ(store.save(changed), "");
    EXPECT_EQ(store.save(changed), "");
    std::vector<fs::path> aside;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind("settings.broken-", 0) == 0)
            aside.push_back(entry.path());
    ASSERT_EQ(aside.size(), 1u) << "the player's own lines were not kept, or kept twice";
    std::ifstream kept(aside[0]);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "music_volume = 40\nshadowz = off\n");
    EXPECT_FALSE(game_settings::load(folder / "settings").ghost);
}

TEST_F(settings_file, a_good_file_is_rewritten_in_place)
{
    std::ofstream(folder / "settings") << "music_volume = 40\n";
    settings_store store(folder / "settings");
    EXPECT_EQ(store.save(store.loaded()), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    EXPECT_EQ(game_settings::load(folder / "settings").music_volume, 40);
}
