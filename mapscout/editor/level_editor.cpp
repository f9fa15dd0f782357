#include "level_editor.h"

#include "app/application.h"
#include "app/game_camera.h"
#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "level/game_object.h"
#include "level/level.h"
#include "level/level_document.h"
#include "level/level_files.h"
#include "objects/obj_player.h"

#include <OgreCamera.h>
#include <OgreSceneNode.h>

#include <boost/bind/bind.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>

using namespace boost::placeholders;

namespace {

// Keyboard scan codes the editor takes, beside those the game names.
constexpr int scan_1 = 2, scan_2 = 3, scan_3 = 4, scan_t = 20, scan_left_bracket = 26, scan_right_bracket = 27,
              scan_left_control = 29,
              scan_g = 34, scan_l = 38, scan_left_shift = 42, scan_z = 44, scan_c = 46,
              scan_comma = 51, scan_period = 52, scan_right_shift = 54, scan_f5 = 63, scan_f6 = 64,
              scan_right_control = 157, scan_home = 199, scan_page_up = 201, scan_end = 207, scan_page_down = 209,
              scan_insert = 210, scan_delete = 211;

// The probe flies this high above the course it starts over.
constexpr float probe_height = 6.5f;
// Moves in a row are shown at once; the level is built again once they pause.
constexpr float rebuild_after_moves = 0.5f;

std::string point_text(const Ogre::Vector3& p)
{
    char out[96];
    std::snprintf(out, sizeof out, "%.1f %.1f %.1f", double(p.x), double(p.y), double(p.z));
    return out;
}

bool is(key_code key, int code)
{
    return int(key) == code;
}

}

level_editor::level_editor(game_context& context, const std::string& path)
    : context(context), draft(level_draft::open(path))
{
    input.bind_mouse_button(MB_Left, boost::bind(&level_editor::on_click, this, _1, _2));
    const auto hold = [](bool& flag) { return [&flag](float) { flag = true; }; };
    input.bind_key(key_code(scan_left_control), hold(control));
    input.bind_key(key_code(scan_right_control), hold(control));
    input.bind_key(key_code(scan_left_shift), hold(shift));
    input.bind_key(key_code(scan_right_shift), hold(shift));
    log_line(draft.unsaved() ? path + ": a new level from the template; Ctrl+S writes it"
                             : path + ": editing; Ctrl+S saves");
    if (application* app = application::instance())
        app->may_close = [this] { return may_close(); };
}

level_editor::~level_editor()
{
    if (application* app = application::instance())
        app->may_close = nullptr;
    leaving();
}

std::string level_editor::path_for(const std::string& file_name)
{
    const std::string found = level::path_of(file_name);
    if (std::filesystem::exists(found))
        return found;
    // A new level is made only under a plain name, never outside the level folders.
    if (!level_files::is_plain_name(file_name))
        return "";
    if (level_files::addon_folder().empty())
        return found;
    return (level_files::addon_folder() / file_name).string();
}

const char* level_editor::key_help()
{
    return "Click: pick   Ctrl+click or Insert: add   arrows, PgUp, PgDn: move   1 2 3: step 1, 5, 10   , .: turn 15 "
           "(Shift: 90)\n"
           "C: copy   Delete   T: type to add   Home, End, Return: attributes   G: the level's own   L, click: target   "
           "right drag: turn\n"
           "[ ]: size   Ctrl+Z: undo   Ctrl+Y: redo   Ctrl+S: save   F5: play from here   F6: from the start   "
           "Escape: quit";
}

bool level_editor::takes_keys() const
{
    return attributes.is_typing() || guard.is_asking();
}

void level_editor::entered(level& lvl, game_camera& view, MyGUI::Gui* gui)
{
    shown = &lvl;
    camera = &view;
    objects = std::make_unique<scene_objects>(lvl);
    panel.set_gui(gui);
    obj_player* ball = lvl.get_player();
    if (playing) {
        if (play_at && ball && ball->get_actor())
            ball->get_actor()->set_position(*play_at);
        if (ball)
            log_line(draft.get_path() + ": the ball starts at " + point_text(ball->get_position()));
        refresh_panel();
        return;
    }
    if (back_from_play && ball && ball->get_actor()) {
        ball->get_actor()->set_position(probe_at);
        camera->get_camera_node()->setOrientation(heading);
    }
    back_from_play = false;
    heading = camera->get_camera_node()->getOrientation();
    context.input->add_listener(input);
    highlight(true);
    refresh_panel();
    // Every change builds the level again, moves once they pause: the strip follows the draft.
    // Drawn on the GUI given (a window without one would need a GUI of its own).
    if (!problems && (gui || !context.window))
        problems = std::make_unique<draft_problems>(context, gui);
    if (problems && !draft.get_text().empty())
        problems->check(draft.get_path(), draft.get_text());
}

const std::vector<std::string>& level_editor::get_problems() const
{
    static const std::vector<std::string> none;
    return problems ? problems->get_lines() : none;
}

void level_editor::leaving()
{
    context.input->remove_listener(input);
    highlighted = nullptr;
    objects.reset();
    shown = nullptr;
    camera = nullptr;
}

level_editor::request level_editor::frame(float dt)
{
    const std::vector<key_code> keys = context.input->presses();
    if (playing) {
        for (const key_code key : keys)
            if (key == KC_ESCAPE || key == KC_TAB)
                leave();
        if (shown && shown->is_completed() && wanted == request::none) {
            message = "Finished in " + std::to_string(int(shown->get_play_time() * 10) / 10.0).substr(0, 6) + " s";
            leave();
        }
    } else {
        for (const key_code key : keys)
            press(key);
        if (pending_click) {
            const auto at = *pending_click;
            pending_click.reset();
            click(at.first, at.second, control);
        }
        // The view turns only while the right button is held: the pointer is for picking.
        if (camera) {
            const mouse_state mouse = context.input->get_mouse_state();
            if (mouse.X.rel != 0 && !mouse.button_down(MB_Right))
                camera->get_camera_node()->setOrientation(heading);
            heading = camera->get_camera_node()->getOrientation();
        }
        if (since_move >= 0.0f && (since_move += dt) > rebuild_after_moves && wanted == request::none) {
            since_move = -1.0f;
            wanted = request::rebuild;
        }
    }
    refresh_panel();
    control = shift = false;
    const request out = wanted;
    wanted = request::none;
    return out;
}

void level_editor::on_click(float, const mouse_state& mouse)
{
    if (mouse.width <= 0 || mouse.height <= 0)
        return;
    // Control is known once the frame's keys are read: the click waits for them.
    pending_click = std::make_pair(float(mouse.X.abs) / float(mouse.width), float(mouse.Y.abs) / float(mouse.height));
}

game_object* level_editor::picked_object() const
{
    const auto picked = draft.get_picked();
    return picked && objects ? objects->object_of(*picked, draft.get_level_text()) : nullptr;
}

std::optional<Ogre::Vector3> level_editor::on_plane(float x, float y, float height) const
{
    const Ogre::Ray ray = camera->get_camera()->getCameraToViewportRay(x, y);
    const std::pair<bool, Ogre::Real> hit = ray.intersects(Ogre::Plane(Ogre::Vector3::UNIT_Y, height));
    if (!hit.first)
        return std::nullopt;
    return ray.getPoint(hit.second);
}

void level_editor::click(float x, float y, bool add)
{
    if (!shown || !camera || !objects || guard.is_asking() || attributes.is_typing())
        return;
    if (add) {
        const auto picked = draft.get_picked();
        const float ground = picked ? draft.position_of(*picked).y
                                    : (shown->get_player() ? shown->get_player()->get_position().y - probe_height : 0);
        const std::optional<Ogre::Vector3> where = on_plane(x, y, ground);
        if (!where) {
            message = "Point at the course to add there";
            return;
        }
        const std::string& type = level_draft::palette()[palette_at];
        // Pads, coins and the like stand on a block, not in it.
        const float lift = type == "block" || type == "platform" ? 0.0f : 1.5f;
        after(draft.add(type, *where + Ogre::Vector3(0, lift, 0)), "Added a " + type);
        return;
    }
    const Ogre::Ray ray = camera->get_camera()->getCameraToViewportRay(x, y);
    const std::optional<std::size_t> hit = objects->index_of(objects->under(ray), draft.get_level_text());
    if (linking) {
        linking = false;
        if (hit)
            after(draft.link(*hit), "Target set");
        else
            message = "No object there: the target stays";
        return;
    }
    highlight(false);
    draft.pick(hit);
    attributes.reset();
    highlight(true);
    message = hit ? "Picked a " + draft.get_level_text().value(*hit, "type").value_or("?") + " (line " +
                        std::to_string(draft.get_level_text().get_objects()[*hit].line) + ")"
                  : "Nothing picked";
}

void level_editor::press(key_code key)
{
    // A press shorter than a frame still counts for the keys after it.
    if (is(key, scan_left_control) || is(key, scan_right_control))
        control = true;
    if (is(key, scan_left_shift) || is(key, scan_right_shift))
        shift = true;
    if (guard.is_asking()) {
        answer(key);
        return;
    }
    if (attributes.is_typing()) {
        const std::optional<attribute_list::entry> done = attributes.type(key, shift);
        if (!attributes.is_typing() && shown && shown->get_player())
            shown->get_player()->bind_keys();
        if (!done)
            return;
        switch (done->what) {
        case attribute_list::entry::kind::attribute:
            after(draft.set_value(done->name, done->value), "Set " + done->name);
            break;
        case attribute_list::entry::kind::waypoint:
            after(draft.set_waypoint(done->waypoint, done->value), "Set waypoint " + std::to_string(done->waypoint + 1));
            break;
        case attribute_list::entry::kind::words:
            after(draft.set_words(done->value), "Set the text");
            break;
        case attribute_list::entry::kind::setting:
            after(draft.set_setting(done->name, done->value), "Set the level's " + done->name, false);
            break;
        }
        return;
    }
    edit_key(key);
}

Ogre::Vector3 level_editor::view_axis(int right, int forward) const
{
    // The arrows follow the view, along the world axis nearest to it, so
    // that objects stay on the grid however the view is turned.
    Ogre::Vector3 way = heading * Ogre::Vector3(float(right), 0.0f, float(-forward));
    way.y = 0.0f;
    if (std::fabs(way.x) >= std::fabs(way.z))
        return {way.x > 0 ? 1.0f : -1.0f, 0.0f, 0.0f};
    return {0.0f, 0.0f, way.z > 0 ? 1.0f : -1.0f};
}

void level_editor::edit_key(key_code key)
{
    const auto picked = draft.get_picked();
    if (key == KC_ESCAPE || key == KC_TAB) {
        if (linking) {
            linking = false;
            message = "No target chosen";
        } else if (guard.may_quit(""))
            wanted = request::quit;
    } else if (control && is(key, KC_S)) {
        const std::string problem = draft.save();
        message = problem.empty() ? "Saved " + draft.get_path() : "Not saved: " + problem;
        log_line(message);
    } else if (control && is(key, scan_z))
        after(shift ? draft.redo() : draft.undo(), shift ? "Redone" : "Undone");
    else if (control && key == KC_Y)
        after(draft.redo(), "Redone");
    else if (control)
        return;
    else if (key == KC_UP || key == KC_DOWN || key == KC_LEFT || key == KC_RIGHT)
        after(draft.move(view_axis(key == KC_RIGHT ? 1 : key == KC_LEFT ? -1 : 0,
                                   key == KC_UP ? 1 : key == KC_DOWN ? -1 : 0)),
              "Moved");
    else if (is(key, scan_page_up) || is(key, scan_page_down))
        after(draft.move({0, is(key, scan_page_up) ? 1.0f : -1.0f, 0}), is(key, scan_page_up) ? "Raised" : "Lowered");
    else if (is(key, scan_1) || is(key, scan_2) || is(key, scan_3)) {
        draft.set_step(is(key, scan_1) ? 1.0f : is(key, scan_2) ? 5.0f : 10.0f);
        message = "Grid step " + std::to_string(int(draft.get_step()));
    } else if (is(key, scan_comma) || is(key, scan_period))
        after(draft.turn((is(key, scan_comma) ? -1.0f : 1.0f) * (shift ? 90.0f : 15.0f)), "Turned");
    else if (is(key, scan_left_bracket) || is(key, scan_right_bracket))
        after(draft.scale(is(key, scan_right_bracket) ? 1 : -1, shift),
              is(key, scan_right_bracket) ? "Grown" : "Shrunk");
    else if (is(key, scan_c))
        after(draft.duplicate(), "Copied");
    else if (is(key, scan_delete)) {
        highlight(false);
        after(draft.remove(), "Deleted");
    } else if (is(key, scan_t)) {
        const std::size_t count = level_draft::palette().size();
        palette_at = (palette_at + (shift ? count - 1 : 1)) % count;
        message = "Adds a " + level_draft::palette()[palette_at];
    } else if (is(key, scan_insert)) {
        const mouse_state mouse = context.input->get_mouse_state();
        if (mouse.width > 0 && mouse.height > 0)
            click(float(mouse.X.abs) / float(mouse.width), float(mouse.Y.abs) / float(mouse.height), true);
    } else if (is(key, scan_l) && picked) {
        linking = true;
        message = "Click the object to aim at";
    } else if (is(key, scan_g)) {
        highlight(false);
        draft.pick(std::nullopt);
        attributes.reset();
        message = "The level's own settings";
    } else if (is(key, scan_home) || is(key, scan_end))
        attributes.choose_next(is(key, scan_home) ? -1 : 1, draft.get_level_text(), picked);
    else if (key == KC_RETURN) {
        attributes.start_typing(draft.get_level_text(), picked);
        // Typed letters are not the probe's to fly by.
        if (attributes.is_typing())
            context.input->remove_listener("player_input");
    } else if (is(key, scan_f5) || is(key, scan_f6))
        start_play(is(key, scan_f5));
}

bool level_editor::may_close()
{
    if (!draft.unsaved())
        return true;
    // One question at a time: the one on screen (about a change made outside) is answered first.
    if (guard.is_asking())
        return false;
    // The question is asked in the editor's view, not over the level in play.
    if (playing)
        leave();
    linking = false;
    return guard.may_quit("the window is closing; ");
}

void level_editor::answer(key_code key)
{
    switch (guard.answer(key)) {
    case unsaved_guard::decision::quit:
        wanted = request::quit;
        break;
    case unsaved_guard::decision::took_file:
        attributes.reset();
        message = "Took the file's version (Ctrl+Z brings yours back)";
        wanted = request::rebuild;
        break;
    case unsaved_guard::decision::kept_mine:
        message = "Kept your version: Ctrl+S writes it over the file's";
        break;
    case unsaved_guard::decision::none:
        break;
    }
}

void level_editor::after(level_draft::outcome done, const std::string& what, bool of_picked)
{
    if (done == level_draft::outcome::none) {
        message = draft.get_picked() || !of_picked ? "Nothing to do" : "Pick an object first";
        return;
    }
    message = what;
    if (done == level_draft::outcome::moved) {
        if (game_object* moved = objects ? objects->object_of(draft.get_moved_object(), draft.get_level_text()) : nullptr) {
            moved->set_position(moved->get_position() + draft.get_moved_by());
            objects->moved(moved);
            since_move = 0.0f;
            return;
        }
    }
    // The level on screen is built from the draft: one the game would refuse
    // (a value past its limits) would leave nothing to show.
    const level_document read = level_document::read_text(draft.get_text());
    if (read.get_outcome() != level_document::outcome::loaded) {
        draft.undo();
        message = "Not done, the game would refuse the level: " + read.problem().reason;
        return;
    }
    since_move = -1.0f;
    wanted = request::rebuild;
}

void level_editor::highlight(bool on)
{
    if (highlighted && highlighted->get_scene_node())
        highlighted->get_scene_node()->showBoundingBox(false);
    highlighted = on ? picked_object() : nullptr;
    if (highlighted && highlighted->get_scene_node())
        highlighted->get_scene_node()->showBoundingBox(true);
}

void level_editor::start_play(bool from_here)
{
    if (!shown || !shown->get_player())
        return;
    probe_at = shown->get_player()->get_position();
    play_at = from_here ? std::optional<Ogre::Vector3>(probe_at) : std::nullopt;
    playing = true;
    highlight(false);
    message = from_here ? "Played from here" : "Played from the start";
    log_line(draft.get_path() + (from_here ? ": played from the probe at " + point_text(probe_at)
                                           : std::string(": played from the start")));
    wanted = request::play;
}

void level_editor::leave()
{
    log_line(draft.get_path() + ": back in the editor");
    playing = false;
    back_from_play = true;
    wanted = request::edit;
}

void level_editor::refresh_panel()
{
    if (playing) {
        panel.show_status("Playing the level as it is in the editor. Escape or Tab: back to the editor", message);
        panel.show_attributes({});
        panel.show_question("");
        return;
    }
    const auto picked = draft.get_picked();
    const std::string name = std::filesystem::path(draft.get_path()).filename().string();
    std::string state = name + (draft.unsaved() ? " (unsaved)" : "") + "   step " +
                        std::to_string(int(draft.get_step())) + "   adds: " + level_draft::palette()[palette_at];
    if (linking)
        state += "   click the target";
    if (!message.empty())
        state += "   | " + message;
    panel.show_status(key_help(), state);
    std::vector<std::string> rows = attributes.rows(draft.get_level_text(), picked);
    if (!picked)
        rows.insert(rows.begin(), "The level (nothing picked):");
    panel.show_attributes(rows);
    panel.show_question(guard.question_text(name));
}

bool level_editor::file_changed()
{
    if (!draft.changed_outside())
        return true;
    if (!guard.may_read_file())
        return false;
    attributes.reset();
    message = "Read again from the file";
    return true;
}
