#include "return_to_title.h"

#include "app/application.h"
#include "app/game_state.h"

void return_to_title(game_state& leaving)
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
}
