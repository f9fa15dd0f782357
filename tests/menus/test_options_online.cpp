// The Online page of Options: a name or address the server would refuse is
// not taken and the page says why; what is taken goes into the online file
// at once, and online play starts only when switched on with an address.

#include "app/game_context.h"
#include "menus/options_screen.h"
#include "online/online_service.h"
#include "support/headless_gui.h"
#include "support/log_capture.h"
#include "../online/fake_server.h"

#include <MyGUI.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class online_page : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        online = std::make_unique<online_service>(folder, folder, [] {
            return std::make_shared<fake_server>([](const http_request&) { return http_reply{}; });
        });
        context.online = online.get();
        options = std::make_unique<options_screen>(context, *gui.get());
        options->press("options_tab_online");
    }
    void TearDown() override
    {
        options.reset();
        online.reset();
        fs::remove_all(folder);
    }

    // Text typed into a field, then Return.
    void type(const std::string& field, const std::string& text)
    {
        auto* edit = gui.get()->findWidget<MyGUI::EditBox>(field, false);
        ASSERT_NE(edit, nullptr) << field;
        edit->setOnlyText(MyGUI::UString(text));
        edit->eventEditSelectAccept(edit);
    }
    std::string notice() const
    {
        return gui.get()->findWidget<MyGUI::TextBox>("options_notice", false)->getCaption().asUTF8();
    }
    std::string saved() const
    {
        std::ifstream in(folder / "online");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    log_capture log;
    const fs::path folder = fs::temp_directory_path() / ("quillax_online_page_" + std::to_string(getpid()));
    headless_gui gui;
    game_context context;
    std::unique_ptr<online_service> online;
    std::unique_ptr<options_screen> options;
};

}

TEST_F(online_page, a_name_the_server_would_refuse_is_not_taken_and_the_page_says_why)
{
    type("online_name_field", "Al");
    EXPECT_EQ(notice(), "A name has 3 to 20 characters.");
    EXPECT_EQ(online->settings().player_name, "");
    EXPECT_FALSE(fs::exists(folder / "online"));
    type("online_name_field", "Ann the Quick");
    EXPECT_EQ(online->settings().player_name, "Ann the Quick");
    EXPECT_NE(saved().find("player_name = Ann the Quick\n"), std::string::npos) << saved();
}

TEST_F(online_page, online_play_starts_only_when_switched_on_with_an_address)
{
    options->press("option_online");
    EXPECT_FALSE(online->active());
    EXPECT_EQ(notice(), "Type the server's address to go online.");
    type("online_address_field", "127.0.0.1:8080");
    EXPECT_EQ(notice(), "The server address begins with http:// or https://.");
    EXPECT_FALSE(online->active());
    type("online_address_field", "http://127.0.0.1:8080");
    EXPECT_TRUE(online->active());
    options->press("option_online");
    EXPECT_FALSE(online->active());
    EXPECT_NE(saved().find("online = off\nplayer_name = \nserver_address = http://127.0.0.1:8080\n"), std::string::npos)
        << saved();
}
