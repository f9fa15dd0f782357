#include "states/screenshot.h"
#include "states/screenshot_key.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class screenshots : public level_fixture {
protected:
    screenshots() { fs::create_directories("screenshots"); }

    static void put(const std::string& name, const std::string& content)
    {
        std::ofstream("screenshots/" + name) << content;
    }
    static std::string read(const std::string& name)
    {
        std::ifstream in("screenshots/" + name);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }
    // Stands in for the window: writes a file under the next free name.
    std::string write_picture()
    {
        const std::string name = next_screenshot_name("screenshots");
        written.push_back(name);
        notice_showing_when_written.push_back(gui.get()->findWidgetT(screen_notice::widget_name, false) != nullptr);
        std::ofstream(name) << "picture " << written.size();
        return name;
    }
    // One frame in the main loop's order: the state's update, then the keys.
    void frame(bool print_screen_down)
    {
        key.update(gui.get(), 0.05f);
        if (print_screen_down)
            key.held();
    }
    MyGUI::TextBox* notice_text() const
    {
        MyGUI::Widget* panel = gui.get()->findWidgetT(screen_notice::widget_name, false);
        return panel && panel->getChildCount() ? panel->getChildAt(0)->castType<MyGUI::TextBox>(false) : nullptr;
    }

    headless_gui gui;
    std::vector<std::string> written;
    std::vector<bool> notice_showing_when_written;
    screenshot_key key{[this] { return write_picture(); }};
};

}

TEST_F(screenshots, numbers_go_on_from_the_highest_picture_already_there)
{
    EXPECT_EQ(next_screenshot_name("missing"), "missing/screenshot_1.png");
    EXPECT_EQ(next_screenshot_name("screenshots"), "screenshots/screenshot_1.png");
    put("screenshot_1.png", "a");
    put("screenshot_7.png", "b");
    put("screenshot_x.png", "not numbered");
    put("notes.txt", "other");
    EXPECT_EQ(next_screenshot_name("screenshots"), "screenshots/screenshot_8.png");
}

TEST_F(screenshots, a_press_writes_one_picture_beside_the_earlier_ones_and_says_so_for_two_seconds)
{
    put("screenshot_1.png", "from an earlier run");
    for (int i = 0; i < 10; ++i)
        frame(true);
    frame(false);
    ASSERT_EQ(written, std::vector<std::string>{"screenshots/screenshot_2.png"});
    EXPECT_EQ(read("screenshot_1.png"), "from an earlier run");
    EXPECT_EQ(read("screenshot_2.png"), "picture 1");
    // The notice comes after the picture, not in it.
    EXPECT_FALSE(notice_showing_when_written[0]);
    ASSERT_NE(notice_text(), nullptr);
    EXPECT_EQ(notice_text()->getCaption().asUTF8(), "Saved screenshots/screenshot_2.png");

    // A layout change clears every widget: the notice comes back.
    gui.get()->destroyAllChildWidget();
    frame(false);
    EXPECT_NE(notice_text(), nullptr);
    for (int i = 0; i < 26; ++i)
        frame(false);
    EXPECT_NE(notice_text(), nullptr) << "gone before two seconds";
    for (int i = 0; i < 14; ++i)
        frame(false);
    EXPECT_EQ(notice_text(), nullptr) << "still there after two seconds";
}

TEST_F(screenshots, a_second_press_while_the_notice_shows_waits_until_it_is_drawn_away)
{
    frame(true);
    frame(false);
    frame(false);
    ASSERT_EQ(written.size(), 1u);
    frame(true);
    frame(false);
    frame(false);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_FALSE(notice_showing_when_written[1]);
    ASSERT_NE(notice_text(), nullptr);
    EXPECT_EQ(notice_text()->getCaption().asUTF8(), "Saved screenshots/screenshot_2.png");
}

TEST_F(screenshots, without_a_gui_the_notice_goes_to_stdout)
{
    screenshot_key scout_key([] { return std::string("screenshots/screenshot_4.png"); });
    testing::internal::CaptureStdout();
    scout_key.held();
    scout_key.update(nullptr, 0.05f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Saved screenshots/screenshot_4.png\n");
}
