#pragma once

// One change to a level file's text: at byte `at`, `removed` gave way to
// `inserted`. Undoing it puts `removed` back. A plain record: the editor's
// history is a list of these, so an unlimited history costs only the bytes
// each change touched.

#include <cstddef>
#include <string>

struct text_edit {
    std::size_t at = 0;
    std::string removed;
    std::string inserted;
};
