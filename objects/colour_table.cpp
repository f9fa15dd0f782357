#include "colour_table.h"

#include <cstring>

namespace {

struct entry {
    int index;
    const char* names[6];
    const char* bars;
    const char* pressed;
};

const entry table[] = {
    {0, {"red", "rot", "r", "1"}, "red_bars", "red_bars_pressed"},
    {1, {"blue", "blau", "b", "2"}, "blue_bars", "blue_bars_pressed"},
    {2, {"green", "gr\xfcn", "g", "3", "gruen", "gr\xc3\xbcn"}, "green_bars", "green_bars_pressed"},
    {3, {"white", "wei\xdf", "w", "4", "weiss", "wei\xc3\x9f"}, "white_bars", "white_bars_pressed"},
};

}

door_colour colour_from_name(const char* name)
{
    if (name)
        for (const entry& e : table)
            for (const char* accepted : e.names)
                if (accepted && std::strcmp(accepted, name) == 0)
                    return {e.index, e.bars, e.pressed};
    return {white_colour, "BaseWhite", "BaseWhite"};
}
