#pragma once

// What the editor shows over the level: a strip along the top with its keys
// and its state (the file, unsaved changes, the grid step, the type to add,
// the last thing done), the picked object's attributes by name down the
// right side (the chosen row marked, the value being typed shown as typed),
// and a question in the middle of the view when the editor asks one.
// Without a GUI (tests) the texts are only kept, to be read back.

#include <string>
#include <vector>

namespace MyGUI {
class Gui;
}

class editor_panel {
public:
    explicit editor_panel(MyGUI::Gui* gui) : gui(gui) {}
    ~editor_panel();
    editor_panel(const editor_panel&) = delete;
    editor_panel& operator=(const editor_panel&) = delete;

    void set_gui(MyGUI::Gui* shown_on);
    void show_status(const std::string& keys, const std::string& state);
    void show_attributes(const std::vector<std::string>& rows);
    // An empty question takes it away.
    void show_question(const std::string& question);
    // Everything away (while the level is played).
    void hide();

    const std::vector<std::string>& get_attributes() const { return attributes; }
    const std::string& get_question() const { return question; }

private:
    void draw();
    void destroy(const char* name);
    void panel(const char* name, int left, int top, int width, int height, const std::string& text);

    MyGUI::Gui* gui;
    std::string keys;
    std::string status;
    std::vector<std::string> attributes;
    std::string question;
    bool hidden = false;
};
