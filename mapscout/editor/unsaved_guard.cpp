#include "unsaved_guard.h"

#include "level_draft.h"

#include "app/log.h"

namespace {

constexpr int scan_f = 33, scan_k = 37, scan_n = 49;

}

bool unsaved_guard::may_quit(const std::string& why)
{
    if (!draft.unsaved())
        return true;
    asked = question::quit;
    log_line(draft.get_path() + ": " + why + "unsaved changes; asking before mapscout ends");
    return false;
}

bool unsaved_guard::may_read_file()
{
    if (!draft.unsaved()) {
        draft.take_file();
        return true;
    }
    asked = question::outside;
    log_line(draft.get_path() + ": changed outside while the editor has unsaved changes; asking which to keep");
    return false;
}

unsaved_guard::decision unsaved_guard::answer(key_code key)
{
    if (asked == question::quit) {
        if (key == KC_Y) {
            asked = question::none;
            return decision::quit;
        }
        if (int(key) == scan_n || key == KC_ESCAPE)
            asked = question::none;
        return decision::none;
    }
    if (asked != question::outside)
        return decision::none;
    if (int(key) == scan_f) {
        draft.take_file();
        asked = question::none;
        return decision::took_file;
    }
    if (int(key) == scan_k) {
        draft.keep_mine();
        asked = question::none;
        return decision::kept_mine;
    }
    return decision::none;
}

std::string unsaved_guard::question_text(const std::string& name) const
{
    switch (asked) {
    case question::quit:
        return name + " has unsaved changes. Y: quit without saving   N: stay (Ctrl+S saves)";
    case question::outside:
        return name + " was changed outside while you have unsaved changes.\n"
                      "F: take the file's version   K: keep yours (Ctrl+S writes it)";
    case question::none:
        break;
    }
    return "";
}
