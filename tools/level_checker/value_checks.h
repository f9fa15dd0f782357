#pragma once

// Readers for the text forms of values in level files that say what the game
// makes of a value. The game reads each number from the front and silently
// ignores what follows; a value it cannot read at all, or one that is not
// finite, is replaced by the attribute's default.
//   vector  three numbers separated by spaces, tabs or line breaks, none
//           beyond 1000000
//   position a vector whose range level_limits bounds more tightly, refusing
//           the whole level beyond it
//   colour  three or four numbers, each from 0 to 1
//   real    a number
//   integer a whole number

#include <string>

class value_checks {
public:
    enum class verdict {
        valid,
        doubtful, // the game reads it, but likely not as meant
        rejected,    // the game falls back to the default
    };
    struct result {
        verdict kind = verdict::valid;
        std::string problem; // a short phrase naming it, empty when valid
    };

    static result vector(const std::string& text);
    static result position(const std::string& text);
    static result colour(const std::string& text);
    static result real(const std::string& text);
    static result integer(const std::string& text);
};
