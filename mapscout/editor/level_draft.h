#pragma once

// The level an author edits in mapscout: the file's text (level_text), the
// object picked, the grid step, and every change with its undo and redo
// (edit_history). Each operation changes only the bytes it concerns and
// says what the scene must do about it: move the picked object by a
// distance at once, or build the level again from the new text. Saving
// writes the text through a new file and a rename. Nothing here touches
// the scene, so every operation is tested without one.

#include "edit_history.h"
#include "level_text.h"

#include <OgreVector.h>

#include <optional>
#include <string>
#include <vector>

class level_draft {
public:
    // What the scene does after an operation.
    enum class outcome {
        none,    // nothing changed (no object picked, nothing to undo)
        moved,   // the object `moved_object` moved by `moved_by`; the rest stays
        rebuild, // build the level again from get_text()
    };

    // `text` as read from the level file at `path`, or a new level's template.
    level_draft(std::string path, std::string text, bool on_disk);
    // The file's text, or the template when there is no file yet; empty
    // for a file that is there and cannot be read (too large, say).
    static level_draft open(const std::string& path);
    // A small level to start from: a start pad, a few blocks, a target.
    static std::string template_text(const std::string& name);
    // The object types the palette offers, in its order.
    static const std::vector<std::string>& palette();

    const std::string& get_text() const { return text.get_text(); }
    const level_text& get_level_text() const { return text; }
    const std::string& get_path() const { return path; }
    // Picked object's index, or none.
    std::optional<std::size_t> get_picked() const { return picked; }
    void pick(std::optional<std::size_t> object);
    float get_step() const { return step; }
    void set_step(float units) { step = units; }
    const Ogre::Vector3& get_moved_by() const { return moved_by; }
    std::size_t get_moved_object() const { return moved_object; }

    // The picked object's pos and rot, as the file gives them (0 0 0 without).
    Ogre::Vector3 position_of(std::size_t object) const;
    Ogre::Vector3 rotation_of(std::size_t object) const;

    outcome move(const Ogre::Vector3& steps);
    // Degrees about the vertical axis.
    outcome turn(float degrees);
    // A picked block grows (`steps` > 0) or shrinks by half its mesh per
    // step: its footprint (X and Z), or with `height` its Y, kept within the
    // game's bounds. Nothing for other objects.
    outcome scale(int steps, bool height);
    outcome duplicate();
    outcome remove();
    // A new object of `type` at `where` (snapped to the grid), picked.
    outcome add(const std::string& type, const Ogre::Vector3& where);
    // The picked object's attribute; an empty value takes it away.
    outcome set_value(const std::string& name, const std::string& value);
    outcome set_waypoint(std::size_t child, const std::string& pos);
    outcome set_words(const std::string& words);
    // A row of the level's own settings (level_settings), whatever is picked.
    outcome set_setting(const std::string& name, const std::string& value);
    // The picked teleporter sends to `target` (which gets an id when it has
    // none); a picked switch or door takes the colour of the door or switch
    // `target`. None for other pairs.
    outcome link(std::size_t target);
    outcome undo();
    outcome redo();

    bool unsaved() const { return history.unsaved(); }
    // Writes the text to the file; empty on success, else why not.
    std::string save();
    // The file as it is now on disk differs from what this draft last read
    // or saved (a change made outside).
    bool changed_outside() const;
    // Takes the file's text as it is now, as one more change: undoing it
    // brings back the draft as it was, with its history.
    void take_file();
    // Keeps the draft's text and counts it unsaved against the file.
    void keep_mine();

    // Ids used by objects of the text.
    std::string unused_id(const std::string& wanted) const;

private:
    outcome change(edit_history::change made, outcome what);
    outcome replay(const edit_history::change& c, bool forward);

    std::string path;
    level_text text;
    edit_history history;
    std::optional<std::size_t> picked;
    float step = 5.0f;
    Ogre::Vector3 moved_by = Ogre::Vector3::ZERO;
    std::size_t moved_object = 0;
    // The file's bytes as last read or written, to tell our own save from another's.
    std::string on_disk;
    bool file_exists = false;
};
