// The Help page shows the keys as the player bound them, each in the row of
// what it does, and a line that fits its row beside each picture.

#include "app/key_bindings.h"
#include "app/key_names.h"
#include "menus/help_card.h"
#include "support/headless_gui.h"

#include <MyGUI.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines_of(MyGUI::Gui& gui, const std::string& name)
{
    auto* text = gui.findWidget<MyGUI::TextBox>(name, false);
    std::vector<std::string> lines;
    std::istringstream in(text ? text->getCaption().asUTF8() : "");
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The key and the pad control in the row that says `what`.
std::pair<std::string, std::string> row_of(MyGUI::Gui& gui, const std::string& what)
{
    const std::vector<std::string> actions = lines_of(gui, "help_controls_actions");
    const std::vector<std::string> keys = lines_of(gui, "help_controls_keys");
    const std::vector<std::string> pad = lines_of(gui, "help_controls_pad");
    const auto at = std::find(actions.begin(), actions.end(), what) - actions.begin();
    const auto cell = [at](const std::vector<std::string>& column) {
        return at < std::ptrdiff_t(column.size()) ? column[at] : "(no row)";
    };
    return {cell(keys), cell(pad)};
}

}

TEST(help_card, lists_each_key_as_bound_beside_what_it_does_and_its_gamepad_control)
{
    headless_gui gui(800, 600);
    key_bindings keys;
    key_code up, space;
    ASSERT_TRUE(key_from_name("Up", up));
    ASSERT_TRUE(key_from_name("Space", space));
    ASSERT_TRUE(keys.bind(key_bindings::forward, up));
    ASSERT_TRUE(keys.bind(key_bindings::restart, space));
    show_help(*gui.get(), keys);
    EXPECT_EQ(row_of(*gui.get(), "Roll forward"), std::make_pair(std::string("Up"), std::string("left stick")));
    EXPECT_EQ(row_of(*gui.get(), "Roll left").first, "A");
    EXPECT_EQ(row_of(*gui.get(), "Restart the level").first, "Space");
    EXPECT_EQ(row_of(*gui.get(), "In-game menu"), std::make_pair(std::string("Escape"), std::string("Start")));
    EXPECT_EQ(row_of(*gui.get(), "Turn the camera"), std::make_pair(std::string("mouse"), std::string("right stick")));
}

TEST(help_card, gives_every_picture_a_line_that_fits_its_row)
{
    headless_gui gui(800, 600);
    show_help(*gui.get(), key_bindings());
    MyGUI::Widget* panel = gui.get()->findWidgetT("help_panel", false);
    ASSERT_NE(panel, nullptr);
    int pictures = 0;
    for (size_t i = 0; i < panel->getChildCount(); ++i) {
        auto* picture = panel->getChildAt(i)->castType<MyGUI::ImageBox>(false);
        if (!picture)
            continue;
        ++pictures;
        const std::string name = picture->getName().substr(std::string("help_picture_").size());
        auto* text = gui.get()->findWidget<MyGUI::TextBox>("help_text_" + name, false);
        ASSERT_NE(text, nullptr) << "a picture without its line: " << name;
        // The door's row is the tall one, for the four shapes.
        const std::string line = text->getCaption().asUTF8();
        EXPECT_LE(std::count(line.begin(), line.end(), '\n'), name == "door" ? 2 : 1) << name;
    }
    EXPECT_EQ(pictures, 11);
    EXPECT_NE(gui.get()->findWidgetT("help_picture_crate", false), nullptr) << "Crate Yard's push blocks";
}

TEST(help_card, each_line_fits_its_row_and_the_rows_stay_apart_on_the_page)
{
    for (const int height : {600, 768, 1080}) {
        headless_gui gui(height * 4 / 3, height);
        show_help(*gui.get(), key_bindings());
        MyGUI::Widget* panel = gui.get()->findWidgetT("help_panel", false);
        ASSERT_NE(panel, nullptr);
        std::vector<MyGUI::IntCoord> rows;
        for (size_t i = 0; i < panel->getChildCount(); ++i) {
            auto* text = panel->getChildAt(i)->castType<MyGUI::TextBox>(false);
            if (!text || text->getName().rfind("help_text_", 0) != 0)
                continue;
            EXPECT_LE(text->getTextSize().height, text->getHeight()) << height << ": " << text->getName();
            EXPECT_LE(text->getBottom(), panel->getHeight()) << height << ": " << text->getName();
            rows.push_back(text->getCoord());
        }
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.top < b.top; });
        for (size_t i = 1; i < rows.size(); ++i)
            EXPECT_LE(rows[i - 1].bottom(), rows[i].top) << height << ": row " << i;
    }
}
