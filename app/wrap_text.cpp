#include "wrap_text.h"

std::string wrap_text(std::string text, int width)
{
    if (width <= 0)
        return text;
    const size_t breaks = text.size() / size_t(width);
    for (size_t i = 1; i <= breaks; ++i) {
        for (size_t p = i * size_t(width); p < text.size(); ++p) {
            if (text[p] == ' ') {
                text.insert(p + 1, "\n");
                break;
            }
        }
    }
    return text;
}
