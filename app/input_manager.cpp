#include "input_manager.h"

#include "log.h"

#include <MyGUI_Button.h>
#include <MyGUI_InputManager.h>
#include <MyGUI_PointerManager.h>
#include <OIS.h>
#include <OgreRenderWindow.h>
#include <OgreRoot.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <iterator>
#include <sstream>

namespace {

mouse_state to_mouse_state(const OIS::MouseState& state)
{
    mouse_state result;
    result.X = {state.X.abs, state.X.rel};
    result.Y = {state.Y.abs, state.Y.rel};
    result.Z = {state.Z.abs, state.Z.rel};
    result.buttons = state.buttons;
    result.width = state.width;
    result.height = state.height;
    return result;
}

}

// The OIS side: the input system on the window and its two buffered devices.
// It is rebuilt when the pointer switches between captured and free, since
// OIS reads its grab settings only when the input system is created.
class input_manager::devices : public OIS::MouseListener, public OIS::KeyListener {
public:
    devices(input_manager& owner, unsigned long window_handle, bool captured, int width, int height)
        : owner(owner), captured(captured), width(width), height(height), window_handle(window_handle),
          display(XOpenDisplay(nullptr))
    {
        std::ostringstream handle;
        handle << window_handle;
        OIS::ParamList params;
        params.insert({"WINDOW", handle.str()});
        // OIS grabs and hides the pointer and the keyboard by default on X11
        // and switches off key repeat for the whole display; keep the desktop
        // usable and grab the pointer only while it steers the camera.
        params.insert({"x11_mouse_grab", captured ? "true" : "false"});
        params.insert({"x11_mouse_hide", captured ? "true" : "false"});
        params.insert({"x11_keyboard_grab", "false"});
        params.insert({"XAutoRepeatOn", "true"});
        system = OIS::InputManager::createInputSystem(params);
        keyboard = static_cast<OIS::Keyboard*>(system->createInputObject(OIS::OISKeyboard, true));
        mouse = static_cast<OIS::Mouse*>(system->createInputObject(OIS::OISMouse, true));
        mouse->setEventCallback(this);
        keyboard->setEventCallback(this);
        set_area(width, height);
        // A free pointer starts where the menus are, not in the corner: OIS
        // learns its position from the motion this warp makes.
        if (!captured)
            centre_pointer();
    }

    ~devices() override
    {
        system->destroyInputObject(keyboard);
        system->destroyInputObject(mouse);
        OIS::InputManager::destroyInputSystem(system);
        if (display)
            XCloseDisplay(display);
    }

    bool mouseMoved(const OIS::MouseEvent& e) override
    {
        owner.mouse_moved(to_mouse_state(e.state));
        return true;
    }

    bool mousePressed(const OIS::MouseEvent& e, OIS::MouseButtonID id) override
    {
        owner.mouse_pressed(to_mouse_state(e.state), static_cast<mouse_button>(id));
        return true;
    }

    bool mouseReleased(const OIS::MouseEvent& e, OIS::MouseButtonID id) override
    {
        owner.mouse_released(to_mouse_state(e.state), static_cast<mouse_button>(id));
        return true;
    }

    bool keyPressed(const OIS::KeyEvent& e) override
    {
        owner.key_pressed(e.key, e.text);
        return true;
    }

    bool keyReleased(const OIS::KeyEvent& e) override
    {
        owner.key_released(e.key);
        return true;
    }

    // OIS keeps the mouse's position within this area.
    void set_area(int new_width, int new_height)
    {
        width = new_width;
        height = new_height;
        const OIS::MouseState& state = mouse->getMouseState();
        state.width = width;
        state.height = height;
    }

    void centre_pointer() const { warp_pointer(width / 2, height / 2); }

    void warp_pointer(int x, int y) const
    {
        if (!display)
            return;
        XWarpPointer(display, None, Window(window_handle), 0, 0, 0, 0, x, y);
        // Done before OIS reads its events again: otherwise the real pointer
        // would be seen at the new place while OIS still has the old one, and
        // the offset between them (measure_offset) would count the jump twice.
        XSync(display, False);
    }

    // Where the real pointer is, relative to the window. OIS only adds up a
    // free pointer's movements from a start point of its own, so its
    // position is a few pixels off, and it knows nothing before the first
    // movement.
    bool pointer_position(int& x, int& y) const
    {
        if (!display)
            return false;
        Window root, child;
        int root_x, root_y, window_x, window_y;
        unsigned int buttons;
        if (!XQueryPointer(display, Window(window_handle), &root, &child, &root_x, &root_y, &window_x, &window_y,
                           &buttons))
            return false;
        x = window_x;
        y = window_y;
        return true;
    }

    // Measures how far OIS's own pointer position is from the real one, once
    // every event of a frame has been read and both tell of the same moment.
    void measure_offset()
    {
        int x = 0, y = 0;
        if (captured || !pointer_position(x, y))
            return;
        const OIS::MouseState& state = mouse->getMouseState();
        offset = {x - state.X.abs, y - state.Y.abs};
        offset_known = true;
    }

    input_manager& owner;
    OIS::InputManager* system = nullptr;
    OIS::Keyboard* keyboard = nullptr;
    OIS::Mouse* mouse = nullptr;
    const bool captured;
    int width;
    int height;
    const unsigned long window_handle;
    Display* const display;
    gui_point offset{0, 0};
    bool offset_known = false;
};

input_manager::input_manager()
{
    log_line("INITIALISE INPUT_MANAGER");
    Ogre::Root* root = Ogre::Root::getSingletonPtr();
    Ogre::RenderWindow* window = root ? root->getAutoCreatedWindow() : nullptr;
    if (window) {
        // An X window id is an unsigned long; a narrower type would be overrun.
        unsigned long handle = 0;
        window->getCustomAttribute("WINDOW", &handle);
        unsigned int width, height, depth;
        int left, top;
        window->getMetrics(width, height, depth, left, top);
        input_devices = std::make_unique<devices>(*this, handle, false, width, height);
    }
    log_line("INPUT_MANAGER INITIALISED");
}

input_manager::~input_manager()
{
    listeners.clear();
    input_devices.reset();
}

void input_manager::add_listener(const input_listener& listener)
{
    listeners.push_back(listener);
}

void input_manager::remove_listener(const input_listener& listener)
{
    remove_listener(listener.name);
}

void input_manager::remove_listener(const std::string& name)
{
    listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                   [&](const input_listener& l) { return l.name == name; }),
                    listeners.end());
}

void input_manager::remove_last_listener()
{
    if (!listeners.empty())
        listeners.pop_back();
}

bool input_manager::has_listener(const std::string& name) const
{
    return std::any_of(listeners.begin(), listeners.end(), [&](const input_listener& l) { return l.name == name; });
}

void input_manager::capture(float frame_time)
{
    this->frame_time = frame_time;
    any_event = false;
    pressed.clear();
    if (input_devices) {
        input_devices->keyboard->capture();
        input_devices->mouse->capture();
        input_devices->measure_offset();
    }
    read_gamepad();
    if (!input_devices && !pad)
        return;
    OIS::Keyboard* keyboard = input_devices ? input_devices->keyboard : nullptr;
    run_key_bindings([this, keyboard](key_code key) {
        return (keyboard && keyboard->isKeyDown(static_cast<OIS::KeyCode>(key))) || held_by_pad(key);
    });
}

void input_manager::set_gamepad(gamepad* pad, std::function<key_code(gamepad::button)> key_for)
{
    this->pad = pad;
    pad_key = std::move(key_for);
    pad_held.clear();
}

void input_manager::read_gamepad()
{
    if (!pad)
        return;
    pad->poll();
    for (const gamepad::button b : pad->released()) {
        const auto held = pad_held.find(b);
        if (held == pad_held.end())
            continue;
        const key_code key = held->second;
        pad_held.erase(held);
        key_released(key);
    }
    for (const gamepad::button b : pad->pressed()) {
        const key_code key = pad_key(b);
        pad_held[b] = key;
        key_pressed(key, 0);
    }
}

bool input_manager::held_by_pad(key_code key) const
{
    for (const auto& held : pad_held)
        if (held.second == key)
            return true;
    return false;
}

gamepad::sticks input_manager::get_sticks() const
{
    return pad ? pad->get_sticks() : gamepad::sticks();
}

mouse_state input_manager::get_mouse_state() const
{
    if (!input_devices)
        return mouse_state();
    return to_mouse_state(input_devices->mouse->getMouseState());
}

void input_manager::set_mouse_captured(bool captured)
{
    if (!input_devices || input_devices->captured == captured)
        return;
    const unsigned long handle = input_devices->window_handle;
    const int width = input_devices->width;
    const int height = input_devices->height;
    input_devices.reset();
    input_devices = std::make_unique<devices>(*this, handle, captured, width, height);
}

void input_manager::show_pointer(bool shown)
{
    set_mouse_captured(!shown);
    if (!gui)
        return;
    MyGUI::PointerManager::getInstance().setVisible(shown);
    // A GUI learns where the pointer is only from movements; one made while
    // the pointer was hidden, or made just now, would draw it in the corner
    // until the mouse moves.
    if (shown) {
        const mouse_state state = get_mouse_state();
        const gui_point at = gui_position(state);
        MyGUI::InputManager::getInstance().injectMouseMove(at.x, at.y, state.Z.abs);
    }
}

void input_manager::move_pointer(int x, int y)
{
    if (!input_devices || input_devices->captured)
        return;
    input_devices->warp_pointer(x, y);
    if (gui)
        MyGUI::InputManager::getInstance().injectMouseMove(x, y, 0);
}

void input_manager::set_window_size(int width, int height)
{
    if (!input_devices)
        return;
    input_devices->set_area(width, height);
    // The window may have moved under a still pointer: the GUI would draw it
    // where it was until the mouse moves.
    int x = 0, y = 0;
    if (gui && !input_devices->captured && input_devices->pointer_position(x, y))
        MyGUI::InputManager::getInstance().injectMouseMove(x, y, get_mouse_state().Z.abs);
}

input_manager::gui_point input_manager::gui_position(const mouse_state& state) const
{
    gui_point at{state.X.abs, state.Y.abs};
    if (!input_devices || input_devices->captured)
        return at;
    // A slow frame reads several clicks at once: each must land where it was
    // made, not where the pointer has gone since.
    if (input_devices->offset_known)
        return {at.x + input_devices->offset.x, at.y + input_devices->offset.y};
    input_devices->pointer_position(at.x, at.y);
    return at;
}

void input_manager::run_key_bindings(const std::function<bool(key_code)>& key_down)
{
    for (input_listener& listener : listeners)
        for (auto& binding : listener.key_bindings)
            if (key_down(binding.first))
                binding.second(frame_time);
}

void input_manager::run_mouse_bindings(const mouse_state& state)
{
    for (input_listener& listener : listeners)
        for (auto& binding : listener.mouse_bindings)
            if (state.button_down(binding.first))
                binding.second(frame_time, state);
}

void input_manager::key_pressed(int key, unsigned int text)
{
    any_event = true;
    pressed.push_back(key_code(key));
    if (gui)
        MyGUI::InputManager::getInstance().injectKeyPress(MyGUI::KeyCode::Enum(key), text);
}

void input_manager::consume_press(key_code key)
{
    const auto found = std::find(pressed.rbegin(), pressed.rend(), key);
    if (found != pressed.rend())
        pressed.erase(std::next(found).base());
}

void input_manager::key_released(int key)
{
    any_event = true;
    if (gui)
        MyGUI::InputManager::getInstance().injectKeyRelease(MyGUI::KeyCode::Enum(key));
}

void input_manager::mouse_moved(const mouse_state& state)
{
    any_event = true;
    if (!gui)
        return;
    const gui_point at = gui_position(state);
    MyGUI::InputManager::getInstance().injectMouseMove(at.x, at.y, state.Z.abs);
}

void input_manager::mouse_pressed(const mouse_state& state, mouse_button button)
{
    any_event = true;
    run_mouse_bindings(state);
    if (!gui)
        return;
    const gui_point at = gui_position(state);
    MyGUI::InputManager& gui_input = MyGUI::InputManager::getInstance();
    if (!gui_input.injectMousePress(at.x, at.y, MyGUI::MouseButton::Enum(button)) || button != MB_Left)
        return;
    // A button's caption may be what lies under the pointer.
    for (MyGUI::Widget* hit = gui_input.getMouseFocusWidget(); hit; hit = hit->getParent())
        if (hit->castType<MyGUI::Button>(false)) {
            if (hit->getInheritedEnabled())
                button_pressed();
            return;
        }
}

void input_manager::button_pressed() const
{
    if (button_answer)
        button_answer();
}

void input_manager::mouse_released(const mouse_state& state, mouse_button button)
{
    any_event = true;
    if (!gui)
        return;
    const gui_point at = gui_position(state);
    MyGUI::InputManager::getInstance().injectMouseRelease(at.x, at.y, MyGUI::MouseButton::Enum(button));
}
