// Any bytes as the saved progress file: whatever the reader accepts is
// written back and read again as the very same levels.

#include "records/progress_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::map<std::string, level_record> levels;
    std::string error;
    if (!progress_store::parse(text, levels, error))
        return 0;
    std::map<std::string, level_record> again;
    if (!progress_store::parse(progress_store::format(levels), again, error) || again != levels)
        std::abort();
    return 0;
}
