// What the start card says about a level: its name, the player's best time
// and the medal times, read from the real layout.

#include "play/start_card.h"
#include "records/progress_store.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

namespace {

class start_cards : public level_fixture {
protected:
    start_cards()
    {
        write_level("named.map", R"(<Level name="Sunset Causeway"><Objects><Object type="start"/></Objects></Level>)");
        write_level("unnamed.map", R"(<Level><Objects><Object type="start"/></Objects></Level>)");
    }

    void show(const start_card& card)
    {
        gui.get()->destroyAllChildWidget();
        MyGUI::LayoutManager::getInstance().loadLayout("race_start.layout");
        card.show(*gui.get());
    }

    std::string caption(const std::string& name) const
    {
        auto* text = gui.get()->findWidget<MyGUI::TextBox>(name, false);
        return text ? text->getCaption().asUTF8() : "(no " + name + ")";
    }

    MyGUI::Widget* widget(const std::string& name) const { return gui.get()->findWidgetT(name, false); }

    static medal_times medals()
    {
        medal_times times;
        times.gold_ms = 14300;
        times.silver_ms = 21500;
        times.bronze_ms = 35800;
        return times;
    }

    headless_gui gui;
};

}

TEST_F(start_cards, names_the_level_with_the_player_s_best_and_the_medal_times)
{
    level_record record;
    record.finished = true;
    record.best_time_ms = 42517;
    show(start_card("named.map", medals(), &record));
    EXPECT_EQ(caption("start_card_name"), "Sunset Causeway");
    EXPECT_EQ(caption("start_card_best"), "Best 00:42.51");
    EXPECT_EQ(caption("start_card_gold"), "00:14.30");
    EXPECT_EQ(caption("start_card_silver"), "00:21.50");
    EXPECT_EQ(caption("start_card_bronze"), "00:35.80");
    EXPECT_TRUE(widget("start_card_medals")->getInheritedVisible());
}

TEST_F(start_cards, a_level_without_name_medals_or_best_shows_its_file_name_and_no_medal_row)
{
    show(start_card("named.map", medals(), nullptr));
    const MyGUI::IntCoord full = widget("start_card")->getCoord();
    show(start_card("unnamed.map", medal_times(), nullptr));
    EXPECT_EQ(caption("start_card_name"), "unnamed.map");
    EXPECT_EQ(caption("start_card_best"), "No best time yet");
    EXPECT_FALSE(widget("start_card_medals")->getInheritedVisible());
    // The card ends below the best time and stays in the middle of the window.
    const MyGUI::IntCoord card = widget("start_card")->getCoord();
    EXPECT_LT(card.height, full.height);
    EXPECT_NEAR(card.top + card.height / 2, full.top + full.height / 2, 1);
}
