#pragma once

// The options screen's Online page: online play on or off, the name the
// world sees and the leaderboard server's address, typed into text fields
// and taken on Return or when the field is left. A name or address the
// server would refuse is not taken, and the notice line says why. Below
// them a line says what online play does now, and what keeps the player's
// runs from being ranked (no name yet, a name taken).

#include "online/online_settings.h"
#include "options_page.h"

namespace MyGUI {
class EditBox;
}

class options_online : public options_page {
public:
    options_online(game_context& context, MyGUI::Gui& gui, screen_calls calls);

    // The text typed into the name or address field taken as if Return was pressed (tests).
    void type(const std::string& field, const std::string& text);

private:
    MyGUI::EditBox* add_field(int line, const std::string& name, const std::string& label, const std::string& text);
    void on_accept(MyGUI::EditBox* field);
    void on_leave(MyGUI::Widget* field, MyGUI::Widget*);
    void take(MyGUI::EditBox* field);
    void apply(const std::string& said);
    void show_status();

    online_settings wanted;
};
