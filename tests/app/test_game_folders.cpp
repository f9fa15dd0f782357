#include "app/data_root.h"
#include "app/game_folders.h"
#include "app/user_folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// A private temporary folder with a made-up environment; the working folder
// is restored afterwards, since preparing a run enters the data root.
class game_folders_test : public ::testing::Test {
protected:
    game_folders_test()
    {
        top = fs::temp_directory_path() / ("quillax_folders_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(top);
        fs::create_directories(top);
        top = fs::canonical(top);
        variables["HOME"] = (top / "home").string();
    }
    ~game_folders_test() override
    {
        fs::current_path(started_in);
        std::error_code ignored;
        fs::permissions(top / "run", fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(top);
    }

    user_folders::environment env()
    {
        return [this](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        };
    }

    static void write(const fs::path& file, const std::string& content)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << content;
    }
    static std::string read(const fs::path& file)
    {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A complete data folder at `folder`.
    static void lay_out_data(const fs::path& folder)
    {
        write(folder / "plugins.cfg", "Plugin=RenderSystem_GL\n");
        write(folder / "resources.cfg", "FileSystem=media\n");
        write(folder / "config.cfg", "Render System=shipped\n");
        fs::create_directories(folder / "media/levels");
    }
    // An installed layout: <prefix>/games holds the programs.
    fs::path installed_programs()
    {
        lay_out_data(top / "usr/share/games/quillax");
        fs::create_directories(top / "usr/games");
        return top / "usr/games";
    }
    static std::string message_of(const std::function<void()>& run)
    {
        try {
            run();
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "";
    }

    fs::path top;
    fs::path started_in = fs::current_path();
    std::map<std::string, std::string> variables;
};

TEST_F(game_folders_test, xdg_folders_default_to_the_home_folder_when_unset_empty_or_relative)
{
    for (const std::string value : {"", "relative/config", "."}) {
        variables["XDG_CONFIG_HOME"] = variables["XDG_DATA_HOME"] = variables["XDG_STATE_HOME"] = value;
        const user_folders folders = user_folders::from_environment(env());
        EXPECT_EQ(folders.config_file(), top / "home/.config/quillax/config.cfg") << "XDG value \"" << value << "\"";
        EXPECT_EQ(folders.screenshot_folder(), top / "home/.local/share/quillax/screenshots");
        EXPECT_EQ(folders.log_file(), top / "home/.local/state/quillax/ogre.log");
    }
    variables.erase("XDG_CONFIG_HOME");
    variables.erase("XDG_DATA_HOME");
    variables.erase("XDG_STATE_HOME");
    const user_folders unset = user_folders::from_environment(env());
    EXPECT_EQ(unset.config_folder(), top / "home/.config/quillax");
    EXPECT_EQ(unset.data_folder(), top / "home/.local/share/quillax");
    EXPECT_EQ(unset.state_folder(), top / "home/.local/state/quillax");
}

TEST_F(game_folders_test, absolute_xdg_folders_hold_the_players_files_and_the_places_for_progress_and_settings)
{
    variables["XDG_CONFIG_HOME"] = (top / "cfg").string();
    variables["XDG_DATA_HOME"] = (top / "data").string();
    variables["XDG_STATE_HOME"] = (top / "state").string();
    const user_folders folders = user_folders::from_environment(env());
    EXPECT_EQ(folders.config_file(), top / "cfg/quillax/config.cfg");
    EXPECT_EQ(folders.settings_file(), top / "cfg/quillax/settings");
    EXPECT_EQ(folders.screenshot_folder(), top / "data/quillax/screenshots");
    EXPECT_EQ(folders.progress_folder(), top / "data/quillax/progress");
    EXPECT_EQ(folders.log_file(), top / "state/quillax/ogre.log");
}

TEST_F(game_folders_test, a_settings_folder_that_cannot_be_created_is_an_error_naming_it)
{
    write(top / "not_a_folder", "a plain file");
    variables["XDG_CONFIG_HOME"] = (top / "not_a_folder").string();
    const std::string message = message_of([&] { user_folders::from_environment(env()).create_config_folder(); });
    EXPECT_NE(message.find((top / "not_a_folder/quillax").string()), std::string::npos) << message;
    EXPECT_NE(message.find("cannot be created"), std::string::npos) << message;
    EXPECT_NE(user_folders::try_create(top / "not_a_folder/quillax"), "");
    EXPECT_EQ(user_folders::try_create(top / "a/new/folder"), "");
    EXPECT_TRUE(fs::is_directory(top / "a/new/folder"));
}

TEST_F(game_folders_test, data_beside_the_executable_win_over_an_installed_data_folder)
{
    const fs::path programs = installed_programs();
    lay_out_data(programs);
    const data_root found = data_root::find(programs);
    EXPECT_EQ(found.folder(), programs);
    EXPECT_TRUE(found.beside_executable());
}

TEST_F(game_folders_test, without_data_beside_it_the_executable_reads_share_games_quillax)
{
    const data_root found = data_root::find(installed_programs());
    EXPECT_EQ(found.folder(), top / "usr/share/games/quillax");
    EXPECT_FALSE(found.beside_executable());
}

TEST_F(game_folders_test, missing_data_name_the_places_looked_at_and_what_to_do)
{
    fs::create_directories(top / "usr/games");
    const std::string nowhere = message_of([&] { data_root::find(top / "usr/games"); });
    EXPECT_NE(nowhere.find((top / "usr/games/plugins.cfg").string()), std::string::npos) << nowhere;
    EXPECT_NE(nowhere.find((top / "usr/share/games/quillax/plugins.cfg").string()), std::string::npos) << nowhere;
    EXPECT_NE(nowhere.find("Reinstall the game"), std::string::npos) << nowhere;

    const fs::path programs = installed_programs();
    fs::remove_all(top / "usr/share/games/quillax/media");
    const std::string no_media = message_of([&] { data_root::find(programs); });
    EXPECT_NE(no_media.find((top / "usr/share/games/quillax/media").string()), std::string::npos) << no_media;
    EXPECT_NE(no_media.find("reinstall"), std::string::npos) << no_media;
    EXPECT_EQ(no_media.find("rebuild"), std::string::npos) << no_media;
}

TEST_F(game_folders_test, an_installed_game_copies_the_default_settings_once_and_runs_in_its_data_folder)
{
    const game_folders first = game_folders::prepare(installed_programs(), env());
    EXPECT_FALSE(first.developer_run());
    EXPECT_EQ(fs::current_path(), top / "usr/share/games/quillax");
    const fs::path own = top / "home/.config/quillax/config.cfg";
    EXPECT_EQ(read(own), "Render System=shipped\n");
    EXPECT_TRUE(fs::is_directory(top / "home/.local/state/quillax"));
    EXPECT_EQ(first.log_problem(), "");

    write(own, "Render System=the player's choice\n");
    game_folders::prepare(top / "usr/games", env());
    EXPECT_EQ(read(own), "Render System=the player's choice\n");
    EXPECT_NE(first.settings_cure().find("delete that file"), std::string::npos);
    EXPECT_EQ(first.settings_cure().find("rebuild"), std::string::npos);
}

TEST_F(game_folders_test, a_writable_runnable_folder_keeps_the_players_files_and_writes_nothing_else)
{
    const fs::path run = top / "run";
    lay_out_data(run);
    const game_folders folders = game_folders::prepare(run, env());
    EXPECT_TRUE(folders.developer_run());
    EXPECT_EQ(fs::current_path(), run);
    EXPECT_EQ(fs::absolute(folders.user().config_file()), run / "config.cfg");
    EXPECT_EQ(fs::absolute(folders.user().log_file()), run / "ogre.log");
    EXPECT_EQ(folders.user().screenshot_folder(), "screenshots");
    EXPECT_FALSE(fs::exists(top / "home"));
    EXPECT_NE(folders.settings_cure().find("rebuild"), std::string::npos);
}

TEST_F(game_folders_test, a_read_only_runnable_folder_uses_the_xdg_folders)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const fs::path run = top / "run";
    lay_out_data(run);
    fs::permissions(run, fs::perms::owner_write, fs::perm_options::remove);
    const game_folders folders = game_folders::prepare(run, env());
    EXPECT_FALSE(folders.developer_run());
    EXPECT_EQ(folders.user().config_file(), top / "home/.config/quillax/config.cfg");
    EXPECT_TRUE(fs::exists(top / "home/.config/quillax/config.cfg"));
}

TEST_F(game_folders_test, a_log_folder_that_cannot_be_created_is_named_and_the_game_goes_on)
{
    write(top / "not_a_folder", "a plain file");
    variables["XDG_STATE_HOME"] = (top / "not_a_folder").string();
    const game_folders folders = game_folders::prepare(installed_programs(), env());
    EXPECT_NE(folders.log_problem().find((top / "not_a_folder/quillax").string()), std::string::npos)
        << folders.log_problem();
    EXPECT_NE(folders.log_problem().find("goes on"), std::string::npos);
}

}
