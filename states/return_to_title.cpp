#include "return_to_title.h"

#include "app/application.h"
#include "app/game_state.h"

namespace {

// The menu below the level, or a new one in the level's place with `params`.
void leave_for_menu(game_state& leaving, const state_params& params)
{
    application* app = application::instance();
    // Building the menu again over the one below would stack a title screen
    // for every round played, and Quit would need as many clicks.
    if (app->get_state_stack().size() > 1 || !app->find_state("main_menu")) {
        leaving.running = false;
        return;
    }
    leaving.transition_requested = true;
    leaving.next_state = "main_menu";
    leaving.transition_push = false;
    leaving.params = params;
}

}

void return_to_title(game_state& leaving)
{
    leave_for_menu(leaving, {});
}

void return_to_selection(game_state& leaving, const std::string& campaign_name, const std::string& level_file)
{
    state_params params;
    params["chosen_campaign"] = campaign_name;
    params["chosen_level"] = level_file;
    leave_for_menu(leaving, params);
}
