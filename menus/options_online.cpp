#include "options_online.h"

#include "app/game_context.h"
#include "online/online_service.h"
#include "online/player_name.h"

#include <MyGUI.h>

namespace {

const std::string name_field = "online_name_field";
const std::string address_field = "online_address_field";

}

options_online::options_online(game_context& context, MyGUI::Gui& gui, screen_calls calls)
    : options_page(context, gui, "options_online", 1, std::move(calls))
{
    if (!context.online || !page)
        return;
    wanted = context.online->settings();
    add_row(0, 0,
            {"online", "Online play", [this] { return on_off(wanted.on); },
             [this](int) {
                 wanted.on = !wanted.on;
                 apply(wanted.on && wanted.server_address.empty() ? "Type the server's address to go online." : "");
             },
             false, "", false});
    add_field(1, name_field, "Player name", wanted.player_name);
    add_field(2, address_field, "Server", wanted.server_address);
    const int height = row_height();
    auto* status = page->createWidget<MyGUI::TextBox>(
        "LabelText", MyGUI::IntCoord(0, height * 3, page->getWidth(), 3 * height - 10), MyGUI::Align::Default,
        "online_status");
    status->getSubWidgetText()->setWordWrap(true);
    status->setNeedMouseFocus(false);
    show_status();
}

MyGUI::EditBox* options_online::add_field(int line, const std::string& name, const std::string& label,
                                          const std::string& text)
{
    // Placed as add_row places a row's label and button.
    const int width = page->getWidth(), top = line * row_height(), height = row_height() - 10;
    const int label_width = width * 9 / 20;
    auto* caption = page->createWidget<MyGUI::TextBox>("LabelText", MyGUI::IntCoord(0, top, label_width, height),
                                                       MyGUI::Align::Default, name + "_label");
    caption->setCaption(MyGUI::UString(label));
    caption->setNeedMouseFocus(false);
    auto* field = page->createWidget<MyGUI::EditBox>(
        "TextField", MyGUI::IntCoord(label_width, top, width - label_width - 16, height), MyGUI::Align::Default, name);
    field->setEditMultiLine(false);
    // A name is at most 20 characters; an address at most 200 bytes.
    field->setMaxTextLength(200);
    field->setOnlyText(MyGUI::UString(text));
    field->eventEditSelectAccept += MyGUI::newDelegate(this, &options_online::on_accept);
    field->eventKeyLostFocus += MyGUI::newDelegate(this, &options_online::on_leave);
    return field;
}

void options_online::type(const std::string& field, const std::string& text)
{
    if (auto* edit = gui.findWidget<MyGUI::EditBox>(field, false)) {
        edit->setOnlyText(MyGUI::UString(text));
        take(edit);
    }
}

void options_online::on_accept(MyGUI::EditBox* field)
{
    take(field);
}

void options_online::on_leave(MyGUI::Widget* field, MyGUI::Widget*)
{
    take(field->castType<MyGUI::EditBox>());
}

void options_online::take(MyGUI::EditBox* field)
{
    const std::string text = field->getOnlyText().asUTF8();
    const bool name = field->getName() == name_field;
    std::string& kept = name ? wanted.player_name : wanted.server_address;
    if (text == kept)
        return;
    const std::string problem = text.empty() ? "" : name ? player_name::problem(text) : online_settings::address_problem(text);
    if (!problem.empty()) {
        changed(problem);
        return;
    }
    kept = text;
    apply(name ? "Your runs go to the server under this name." : "");
}

void options_online::apply(const std::string& said)
{
    const std::string failed = context.online->change(wanted);
    show_status();
    changed(failed.empty() ? said : "The online settings could not be saved: " + failed);
}

void options_online::show_status()
{
    auto* status = gui.findWidget<MyGUI::TextBox>("online_status", false);
    if (!status)
        return;
    std::string text;
    if (!wanted.active())
        text = "Off: the game sends nothing and asks nothing of any server.";
    else if (wanted.player_name.empty())
        text = "On: world top lists and records are shown. Choose a name to send your best runs.";
    else
        text = "On: your best times go to the server with their runs, under the name " + wanted.player_name + ".";
    if (!context.online->problem().empty())
        text += "\n" + context.online->problem();
    // A '#' in a name would start one of MyGUI's colour tags.
    status->setCaption(MyGUI::TextIterator::toTagsString(MyGUI::UString(text)));
}
