#pragma once

// The level selection's contents: the campaigns of the index and the
// player's add-ons in one list, the chosen campaign's levels with the
// player's record, and the chosen level's name, description, best and
// preview. The campaigns are read afresh each time it opens; a campaign a
// level in play may still point to is kept for the whole run. The main menu
// owns it, shows it on its GUI and asks what is chosen; its buttons stay the
// menu's.

#include "campaign_object.h"
#include "menus/difficulty_marks.h"
#include "menus/selection_records.h"
#include "menus/share_button.h"
#include "menus/world_board.h"

#include <OgreMaterial.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace MyGUI {
class Gui;
class ListBox;
}

class level_selection {
public:
    level_selection();
    ~level_selection();
    level_selection(const level_selection&) = delete;
    level_selection& operator=(const level_selection&) = delete;

    // Fills the loaded layout on `gui`, keeping `in_play` (a campaign handed
    // to a level), with `level_file` of `campaign_name` chosen when listed.
    // `accepted` runs on a double click or Return on a level.
    void show(MyGUI::Gui& gui, const std::string& progress_folder, const campaign_object* in_play,
              const std::string& campaign_name, const std::string& level_file, std::function<void()> accepted);

    campaign_object* chosen_campaign() const { return selected_campaign; }
    level_entry* chosen_level() const { return selected_level; }
    // The ghost chosen to race: the gold run rather than the player's best.
    bool races_gold() const { return race_gold; }
    // The world record's run (online) rather than either.
    bool races_world() const { return race_world; }
    // The next ghost, shown at once.
    void toggle_ghost();
    // The world top lists and records come from `online`, and levels are
    // shared through `sharing` (null: offline).
    void go_online(online_service* service, level_sharing* sharing)
    {
        online = service;
        this->sharing = sharing;
    }
    // Shares the chosen level (its Share button).
    void share() { share_level.press(); }
    // Each frame: what the server answered since.
    void frame() { board.frame(); }

    // A campaign of the index that lists `file`, kept for the whole run.
    campaign_object* campaign_listing(const std::string& file);

private:
    void choose(const std::string& campaign_name, const std::string& level_file);
    void list_levels();
    void show_level_details();
    static std::string loadable_preview(const std::string& file);
    void on_campaign_selected(MyGUI::ListBox* list, size_t index);
    void on_level_selected(MyGUI::ListBox* list, size_t index);
    void on_level_accepted(MyGUI::ListBox* list, size_t index);

    MyGUI::Gui* gui = nullptr;
    std::function<void()> accepted;
    level_entry* selected_level = nullptr;
    campaign_object* selected_campaign = nullptr;
    std::vector<campaign_object*> campaigns;
    // Every campaign ever read that someone may still point to.
    std::vector<std::unique_ptr<campaign_object>> campaign_pool;
    // The player's record, read when the selection opens.
    std::unique_ptr<selection_records> records;
    std::unique_ptr<difficulty_marks> marks;
    Ogre::MaterialPtr preview_material;
    bool race_gold = false;
    bool race_world = false;
    online_service* online = nullptr;
    level_sharing* sharing = nullptr;
    world_board board;
    share_button share_level;
    std::string progress_folder;
};
