// Any text and width for the info box's line wrapping: nothing is lost or
// changed, only line breaks are added.

#include "app/wrap_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string without_breaks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int width = int(int8_t(data[0]));
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string wrapped = wrap_text(text, width);
    if (without_breaks(wrapped) != without_breaks(text) || wrapped.size() < text.size())
        std::abort();
    return 0;
}
