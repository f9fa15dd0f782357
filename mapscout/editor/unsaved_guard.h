#pragma once

// What the editor asks before unsaved changes could be lost: before
// mapscout ends (Escape, Tab or the window's close button: Y quits, N or
// Escape stays) and when the level file changed outside (F takes the
// file's version, K keeps the draft's). With nothing unsaved nothing is
// asked. One question at a time; the draft is changed only by an answer.

#include "app/input_codes.h"

#include <string>

class level_draft;

class unsaved_guard {
public:
    // What an answer decided.
    enum class decision { none, quit, took_file, kept_mine };

    explicit unsaved_guard(level_draft& draft) : draft(draft) {}

    bool is_asking() const { return asked != question::none; }
    // Before mapscout ends: true when it may end now; otherwise it asks
    // (`why` begins the log line).
    bool may_quit(const std::string& why);
    // The level file changed outside: true when the draft took the file's
    // version (nothing was unsaved); otherwise it asks.
    bool may_read_file();
    // A key while asking.
    decision answer(key_code key);
    // The question for the file `name`; empty when none is asked.
    std::string question_text(const std::string& name) const;

private:
    enum class question { none, quit, outside };

    level_draft& draft;
    question asked = question::none;
};
