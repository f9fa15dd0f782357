#include "colour_names.h"

namespace {

const char* const names[] = {
    "red",   "rot",          "r",   "1",     "blue",  "blau", "b", "2",
    // "gr\xfcn" would read as one hex escape \xfcn: the literal is split
    // after Latin-1's single-byte \xfc, and the parentheses say so.
    "green", ("gr\xfc" "n"), "gr\xc3\xbcn",  "gruen", "g",    "3",
    "white", "wei\xdf",      "wei\xc3\x9f",  "weiss", "w",    "4",
};

}

bool colour_names::is_known(const std::string& name)
{
    for (const char* accepted : names)
        if (name == accepted)
            return true;
    return false;
}

std::string colour_names::accepted()
{
    return "red/rot/r/1, blue/blau/b/2, green/gr\xc3\xbcn/gruen/g/3 or white/wei\xc3\x9f/weiss/w/4";
}
