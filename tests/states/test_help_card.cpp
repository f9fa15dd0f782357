// The Help page shows the keys as the player bound them, and a line that
// fits its row beside each picture.

#include "app/key_bindings.h"
#include "app/key_names.h"
#include "states/help_card.h"
#include "support/headless_gui.h"

#include <MyGUI.h>

#include <gtest/gtest.h>

#include <algorithm>

TEST(help_card, lists_the_keys_as_bound_and_a_short_line_beside_every_picture)
{
    headless_gui gui(800, 600);
    key_bindings keys;
    key_code up;
    ASSERT_TRUE(key_from_name("Up", up));
    ASSERT_TRUE(keys.bind(key_bindings::forward, up));
    show_help(*gui.get(), keys);
    auto* controls = gui.get()->findWidget<MyGUI::TextBox>("help_controls", false);
    ASSERT_NE(controls, nullptr);
    EXPECT_NE(controls->getCaption().asUTF8().find("Roll the ball:  Up A S D"), std::string::npos)
        << controls->getCaption().asUTF8();

    MyGUI::Widget* panel = gui.get()->findWidgetT("help_panel", false);
    ASSERT_NE(panel, nullptr);
    int pictures = 0;
    for (size_t i = 0; i < panel->getChildCount(); ++i) {
        auto* picture = panel->getChildAt(i)->castType<MyGUI::ImageBox>(false);
        if (!picture)
            continue;
        ++pictures;
        const std::string name = picture->getName().substr(std::string("help_picture_").size());
        EXPECT_TRUE(gui.get()->findWidgetT("help_text_" + name, false)) << "a picture without its line: " << name;
        // Every line fits its row: two lines at most.
        auto* text = gui.get()->findWidget<MyGUI::TextBox>("help_text_" + name, false);
        const std::string line = text ? text->getCaption().asUTF8() : "";
        EXPECT_LE(std::count(line.begin(), line.end(), '\n'), 1) << name;
    }
    EXPECT_EQ(pictures, 10);
}
