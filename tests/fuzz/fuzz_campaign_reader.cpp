// Any bytes as the campaign index: the campaigns and their level entries, as
// the level selection reads them (each entry also reads its level's name).

#include "states/campaign_object.h"
#include "states/level_entry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "quillax_fuzz_campaigns";
        std::filesystem::create_directories(path / "media" / "levels");
        std::filesystem::current_path(path);
        // Entries may name these levels, whose names the selection shortens
        // in two ways; their own reading is fuzzed elsewhere.
        std::ofstream(path / "media" / "levels" / "a.map") << "<Level name=\"A level with a long name\"/>";
        std::ofstream(path / "media" / "levels" / "b.map") << "<Level name=\"Switchbacks and spirals\"/>";
        return path;
    }();
    std::ofstream(folder / "campaigns.cmp", std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    for (const auto& campaign : campaign_object::read_campaigns("campaigns.cmp"))
        for (const level_entry* entry : campaign->get_levels())
            (void)entry->get_short_name();
    return 0;
}
