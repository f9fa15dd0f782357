#pragma once

// The editor's changes in the order they were made, for undo and redo
// without limit in a session. A change is one or more text edits made
// together (a duplicate is a copy and its new place) and undone together;
// making a new change after an undo forgets what could be redone. The
// history does not touch the text itself: the editor applies what it gets.

#include "text_edit.h"

#include <string>
#include <vector>

class edit_history {
public:
    struct change {
        std::string what;
        std::vector<text_edit> edits;
        // Where the picked object's element begins after the change, and before it.
        std::size_t picked_after = static_cast<std::size_t>(-1);
        std::size_t picked_before = static_cast<std::size_t>(-1);
    };

    void record(change made);
    bool can_undo() const { return done > 0; }
    bool can_redo() const { return done < changes.size(); }
    // The change to take back (its edits in reverse order); nothing when none.
    const change* undo();
    const change* redo();
    // Marks the present as what the file holds; unsaved() compares with it.
    void mark_saved() { saved_at = done; saved_valid = true; }
    void forget_saved() { saved_valid = false; }
    bool unsaved() const { return !saved_valid || saved_at != done; }

private:
    std::vector<change> changes;
    std::size_t done = 0;
    std::size_t saved_at = 0;
    bool saved_valid = true;
};
