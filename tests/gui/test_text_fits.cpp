// No caption, button, list line or notice is ever cut off, at the window
// sizes players use: every screen is filled with the longest texts it can
// show (the shipped levels' names and descriptions, the widest key names, the
// largest window size, the longest notices) and each text is measured with
// the real fonts against the room its widget gives it.

#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/key_names.h"
#include "app/settings_store.h"
#include "menus/challenge_screen.h"
#include "menus/difficulty_marks.h"
#include "menus/help_card.h"
#include "menus/menu_keys.h"
#include "menus/more_levels_screen.h"
#include "menus/options_screen.h"
#include "menus/screen_notice.h"
#include "menus/selection_records.h"
#include "play/challenge_run.h"
#include "play/completed_record.h"
#include "play/game_hud.h"
#include "play/replay_controls.h"
#include "play/split_display.h"
#include "play/start_card.h"
#include "records/progress_store.h"
#include "online/shared_answers.h"
#include "records/record_text.h"
#include "states/level_entry.h"
#include "support/clipped_texts.h"
#include "support/headless_gui.h"

#include <MyGUI.h>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct shipped_level {
    std::string name, description;
};

struct shipped_campaign {
    std::string name;
    std::vector<shipped_level> levels;
};

// The committed campaigns, read straight from their files.
std::vector<shipped_campaign> shipped_campaigns()
{
    const fs::path folder = fs::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";
    std::vector<shipped_campaign> campaigns;
    TiXmlDocument index;
    if (!index.LoadFile((folder / "campaigns.cmp").string().c_str()) || !index.RootElement())
        return campaigns;
    for (const TiXmlElement* c = index.RootElement()->FirstChildElement("Campaign"); c;
         c = c->NextSiblingElement("Campaign")) {
        campaigns.push_back({c->Attribute("name") ? c->Attribute("name") : "", {}});
        const TiXmlElement* levels = c->FirstChildElement("Levels");
        for (const TiXmlElement* l = levels ? levels->FirstChildElement("Level") : nullptr; l;
             l = l->NextSiblingElement("Level")) {
            TiXmlDocument file;
            if (!file.LoadFile((folder / l->Attribute("filename")).string().c_str()) || !file.RootElement())
                continue;
            const TiXmlElement* description = file.RootElement()->FirstChildElement("Description");
            campaigns.back().levels.push_back(
                {file.RootElement()->Attribute("name") ? file.RootElement()->Attribute("name") : "",
                 description && description->GetText() ? description->GetText() : ""});
        }
    }
    return campaigns;
}

// Every action on one of the widest key names.
key_bindings widest_keys()
{
    key_bindings keys;
    std::array<key_code, key_bindings::action_count> wanted{};
    const char* names[] = {"KeypadMultiply", "RightBracket", "KeypadPeriod", "KeypadDivide",
                           "LeftBracket",    "KeypadMinus",  "KeypadEnter",  "ScrollLock"};
    for (int a = 0; a < key_bindings::action_count; ++a)
        key_from_name(names[a], wanted[a]);
    keys.bind_all(wanted);
    return keys;
}

// A best of nearly a hundred minutes and more coins than any shipped level has.
level_record longest_record()
{
    level_record record;
    record.finished = true;
    record.best_time_ms = 99 * 60000 + 59990;
    record.most_coins = 99;
    return record;
}

class text_fits : public ::testing::TestWithParam<MyGUI::IntSize> {
protected:
    text_fits() : gui(GetParam().width, GetParam().height) {}

    MyGUI::Gui& screen() { return *gui.get(); }

    void load(const std::string& layout)
    {
        screen().destroyAllChildWidget();
        MyGUI::LayoutManager::getInstance().loadLayout(layout);
    }

    void set(const std::string& widget, const std::string& text)
    {
        auto* box = screen().findWidget<MyGUI::TextBox>(widget, false);
        ASSERT_NE(box, nullptr) << widget;
        box->setCaption(MyGUI::UString(text));
    }

    void show(const std::string& widget, bool shown)
    {
        if (MyGUI::Widget* found = screen().findWidgetT(widget, false))
            found->setVisible(shown);
    }

    void expect_all_whole(const std::string& what)
    {
        for (const std::string& cut : clipped_texts(screen()))
            ADD_FAILURE() << what << ": " << cut;
    }

    headless_gui gui;
    const std::vector<shipped_campaign> campaigns = shipped_campaigns();
};

std::string size_name(const ::testing::TestParamInfo<MyGUI::IntSize>& info)
{
    return "w" + std::to_string(info.param.width) + "_h" + std::to_string(info.param.height);
}

}

TEST_P(text_fits, on_the_title_screen)
{
    load("main_menu.layout");
    expect_all_whole("title screen");
}

TEST_P(text_fits, on_the_question_before_quitting)
{
    load("quit_question.layout");
    expect_all_whole("quit question");
}

TEST_P(text_fits, on_the_level_selection_with_every_shipped_level_finished_and_watchable)
{
    ASSERT_FALSE(campaigns.empty());
    load("level_selection.layout");
    auto* campaign_list = screen().findWidget<MyGUI::ListBox>("campaign_list", false);
    auto* level_list = screen().findWidget<MyGUI::ListBox>("level_list", false);
    ASSERT_TRUE(campaign_list && level_list);
    for (const shipped_campaign& campaign : campaigns)
        campaign_list->addItem(MyGUI::UString(campaign.name));
    for (const char* shown : {"level_watch", "level_watch_gold", "level_ghost", "level_medal_gold", "level_medal_silver",
                              "level_medal_bronze", "level_medal_gold_icon", "level_medal_silver_icon",
                              "level_medal_bronze_icon"})
        show(shown, true);
    set("level_ghost", "Race: your best");
    // The difficulty beside the preview, all five discs.
    difficulty_marks marks(screen());
    show("level_difficulty_label", true);
    show("level_difficulty", true);
    set("level_difficulty", difficulty_marks::marks_text(5));
    for (const char* time : {"level_medal_gold", "level_medal_silver", "level_medal_bronze"})
        set(time, "9999.9 s");
    // As the level selection has it: the description wraps at the box's edge.
    screen().findWidget<MyGUI::TextBox>("level_description", false)->getSubWidgetText()->setWordWrap(true);
    set("level_best", "Best: " + best_text(longest_record()));
    level_record challenge = longest_record();
    challenge.furthest_level = 99;
    set("challenge_best", selection_records::challenge_text(&challenge));
    for (const shipped_campaign& campaign : campaigns) {
        level_list->removeAllItems();
        for (const shipped_level& level : campaign.levels)
            level_list->addItem(MyGUI::UString(level_entry::shorten(level.name) + " \u2714"));
        for (const shipped_level& level : campaign.levels) {
            set("level_name", level.name);
            set("level_description", level.description);
            expect_all_whole(campaign.name + ", " + level.name);
        }
    }
    // Without a campaign index the problem stands where the name would.
    set("level_name", "");
    show("campaign_index_problem", true);
    expect_all_whole("no campaign index");
}

TEST_P(text_fits, on_more_levels_with_the_longest_listing_the_server_may_send)
{
    load("more_levels.layout");
    // A long name of ordinary words (a list line is cut at its edge like
    // the level list's), a player name of 20 letters, and the longest
    // description the server sends.
    shared_level level;
    level.name = "Across the Frozen Summit and Back Again";
    level.author = "Maximilian_Wolfgang_";
    level.shared = "2026-12-10T05:00:00Z";
    level.size = 16 * 1024 * 1024;
    level.time = 9999.99;
    level.plays = 123456789;
    level.description.clear();
    while (level.description.size() < 300)
        level.description += "A wide and winding way. ";
    level.description.resize(300);
    auto* list = screen().findWidget<MyGUI::ListBox>("more_levels_list", false);
    ASSERT_TRUE(list);
    list->addItem(MyGUI::UString(more_levels_screen::line(level)));
    set("more_levels_name", more_levels_screen::line(level));
    screen().findWidget<MyGUI::TextBox>("more_levels_details", false)->getSubWidgetText()->setWordWrap(true);
    set("more_levels_details", more_levels_screen::details(level));
    set("more_levels_status", "The shared levels cannot be shown: the answer (HTTP 500) is no JSON object");
    expect_all_whole("more levels");
}

TEST_P(text_fits, on_every_options_page_with_the_widest_values_and_every_notice)
{
    game_context context;
    context.settings.keys = widest_keys();
    context.window_sizes = {"800 x 600", "16384 x 16384"};
    context.settings.window_size = "16384 x 16384";
    options_screen options(context, screen());
    for (const std::string page : {"controls", "sound", "video", "gameplay"}) {
        options.press("options_tab_" + page);
        expect_all_whole("options page " + page);
    }
    options.press("options_tab_video");
    options.press("option_frame_cap");
    expect_all_whole("options, change at restart");

    options.press("options_tab_controls");
    options.press("option_key_restart");
    expect_all_whole("options, waiting for a key");
    MyGUI::InputManager::getInstance().injectKeyPress(MyGUI::KeyCode::Enum(context.settings.keys.key(key_bindings::menu)));
    MyGUI::InputManager::getInstance().injectKeyRelease(MyGUI::KeyCode::Enum(context.settings.keys.key(key_bindings::menu)));
    expect_all_whole("options, key refused");
    options.press("options_reset_controls");
    expect_all_whole("options, keys reset");

    // A save that fails names the file; a player's settings path is about this long.
    settings_store unwritable("/proc/no-such-player-home/.config/quillax/settings.cfg");
    context.settings_file = &unwritable;
    options.press("option_ghost");
    expect_all_whole("options, save failed");
}

// Off until the Help page's rows and key column are sized for the window.
TEST_P(text_fits, on_the_help_page_with_the_widest_keys)
{
    show_help(screen(), widest_keys());
    expect_all_whole("help");
}

TEST_P(text_fits, in_the_in_game_menu_with_the_widest_keys)
{
    load("ingame_menu.layout");
    input_manager input;
    show_menu_keys(screen(), widest_keys(), input);
    expect_all_whole("in-game menu");
}

TEST_P(text_fits, on_the_completed_screen_with_a_new_best_and_each_next_level)
{
    run_outcome result;
    result.best = longest_record();
    result.improved.new_best_time = true;
    result.raced = true;
    result.gain = -(59 * 60 + 59.99);
    result.new_ghost = true;
    result.medals = medal_times::from_author_run(399'900);
    result.earned = medal::gold; // the longest note
    const auto fill = [&] {
        load("ingame_completed.layout");
        show_completed_record(screen(), result, true);
        set("coins_taken", "99");
        set("coins_total", "99");
        set("score_coins", "9990");
        set("time_minutes", "99");
        set("time_seconds", "59");
    };
    for (const shipped_campaign& campaign : campaigns)
        for (const shipped_level& level : campaign.levels) {
            fill();
            show("campaign_complete", false);
            set("next_level_name", level.name);
            expect_all_whole("completed, next " + level.name);
        }
    fill();
    for (const char* next : {"next_level", "next_level_name", "next_level_start"})
        show(next, false);
    expect_all_whole("completed, campaign over");
}

TEST_P(text_fits, at_the_end_of_a_challenge_with_the_longest_names)
{
    for (const shipped_campaign& campaign : campaigns)
        for (const shipped_level& level : campaign.levels) {
            challenge_screen::result result;
            result.campaign = campaign.name;
            result.reached = 99;
            result.levels = 99;
            result.reached_name = level.name;
            result.time_ms = 59 * 60'000 + 59'990;
            result.coins = 9999;
            result.record = longest_record();
            challenge_screen screen_shown([](const std::string&) {});
            screen_shown.show(screen(), result);
            expect_all_whole("challenge over, " + level.name);
        }
}

TEST_P(text_fits, in_play_with_counters_split_time_and_a_notice)
{
    load("ingame_hud.layout");
    set("coins_taken", "99");
    set("coins_total", "99");
    set("score_coins", "9990");
    set("time_minutes", "99");
    set("time_seconds", "59");
    game_hud::show_medal_target(&screen(), medal_times::from_author_run(999'900), medal::none, 0.0);
    challenge_run challenge("c", std::vector<std::string>(99, "a.map"));
    game_hud::show_challenge(&screen(), challenge, 59 * 60 + 59.99);
    split_display split(&screen());
    split.show(-(59 * 60 + 59.99));
    const MyGUI::IntRect counters = screen().findWidgetT("hud_panel", false)->getAbsoluteRect();
    EXPECT_FALSE(counters.intersect(screen().findWidgetT("split_panel", false)->getAbsoluteRect()))
        << "the split time covers the counters";
    screen_notice notice;
    notice.show(&screen(), "Saved /home/a-player-with-a-long-name/.local/share/quillax/screenshots/screenshot_999999999.png",
                2.0f);
    expect_all_whole("in play");
}

TEST_P(text_fits, at_a_level_s_start_with_each_shipped_name_the_longest_times_and_both_words)
{
    medal_times slowest;
    slowest.gold_ms = slowest.silver_ms = slowest.bronze_ms = 99 * 60000 + 59990;
    const level_record best = longest_record();
    const start_card card("no_such_level.map", slowest, &best);
    load("race_start.layout");
    card.show(screen());
    for (const shipped_campaign& campaign : campaigns)
        for (const shipped_level& level : campaign.levels) {
            set("start_card_name", level.name);
            expect_all_whole("start card, " + level.name);
        }
    show("start_card", false);
    for (const char* word : {"Ready", "Go!"}) {
        set("start_word", word);
        expect_all_whole(word);
    }
}

TEST_P(text_fits, while_a_best_run_is_watched_beside_the_counters)
{
    load("ingame_hud.layout");
    input_manager input;
    replay_controls controls(input, &screen());
    controls.speed();
    expect_all_whole("replay");
    const MyGUI::IntRect counters = screen().findWidgetT("hud_panel", false)->getAbsoluteRect();
    const MyGUI::IntRect replay = screen().findWidgetT("replay_panel", false)->getAbsoluteRect();
    EXPECT_FALSE(counters.intersect(replay)) << "the replay's label covers the counters";
}

INSTANTIATE_TEST_SUITE_P(window_sizes, text_fits,
                         ::testing::Values(MyGUI::IntSize(800, 600), MyGUI::IntSize(1024, 768),
                                           MyGUI::IntSize(1280, 720), MyGUI::IntSize(1920, 1080)),
                         size_name);
