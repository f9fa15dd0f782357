// The time gained on the best run, as the split display and the completed
// screen write it: signed to the hundredth, minutes once there is a minute,
// and a minus sign the fonts really draw, as wide as the plus.

#include "play/split_display.h"
#include "records/record_text.h"
#include "support/headless_gui.h"

#include <MyGUI.h>
#include <MyGUI_ResourceTrueTypeFont.h>

#include <gtest/gtest.h>

namespace {

const std::string minus = "\u2212";

}

TEST(split_times, read_as_seconds_under_a_minute_and_as_minutes_from_one_minute_on)
{
    EXPECT_EQ(gain_text(0.8), "+0.80");
    EXPECT_EQ(gain_text(-1.24), minus + "1.24");
    EXPECT_EQ(gain_text(59.994), "+59.99");
    EXPECT_EQ(gain_text(59.996), "+1:00.00");
    EXPECT_EQ(gain_text(65.2), "+1:05.20");
    EXPECT_EQ(gain_text(-65.2), minus + "1:05.20");
    EXPECT_EQ(gain_text(-170.96), minus + "2:50.96");
    EXPECT_EQ(gain_text(-(61 * 60 + 1.5)), minus + "61:01.50");
    // What rounds to nothing is no loss and no gain.
    EXPECT_EQ(gain_text(-0.004), "+0.00");
}

TEST(split_times, draw_their_sign_with_a_glyph_of_the_font_as_wide_as_the_plus)
{
    headless_gui gui(1024, 768);
    split_display split(gui.get());
    split.show(-3.5);
    auto* shown = gui.get()->findWidget<MyGUI::TextBox>("split_time", false);
    ASSERT_NE(shown, nullptr);
    const MyGUI::UString caption = shown->getCaption();
    ASSERT_FALSE(caption.empty());
    // The completed screen writes the gain in its own font.
    MyGUI::LayoutManager::getInstance().loadLayout("ingame_completed.layout");
    auto* completed = gui.get()->findWidget<MyGUI::TextBox>("best_gain", false);
    ASSERT_NE(completed, nullptr);
    for (const std::string& font_name : {shown->getFontName(), completed->getFontName()}) {
        auto* font = dynamic_cast<MyGUI::ResourceTrueTypeFont*>(MyGUI::FontManager::getInstance().getByName(font_name));
        ASSERT_NE(font, nullptr) << font_name;
        const MyGUI::GlyphInfo* sign = font->getGlyphInfo(caption[0]);
        const MyGUI::GlyphInfo* plus = font->getGlyphInfo('+');
        ASSERT_TRUE(sign && plus);
        EXPECT_NE(sign, font->getGlyphInfo(font->getSubstituteCodePoint()))
            << font_name << " has no glyph for U+" << std::hex << caption[0];
        EXPECT_GE(sign->width, plus->width * 0.8f) << font_name << ": the sign is no wider than a dot";
    }
}
