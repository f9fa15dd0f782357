#include "media_folders.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const generated_meshes[] = {
    "player.mesh",     "block_10_10.mesh", "block_2_2.mesh", "start.mesh",  "checkpoint.mesh",
    "finish.mesh",     "finish_pad.mesh",  "ground.mesh",    "door.mesh",   "door_open.mesh",
    "switch.mesh",     "score.mesh",       "infobox.mesh",
};

bool is_generated_mesh(const std::string& name)
{
    for (const char* mesh : generated_meshes)
        if (name == mesh)
            return true;
    return false;
}

std::vector<const char*> subfolders(media_folders::kind what)
{
    switch (what) {
    case media_folders::kind::mesh:
        return {"meshes", ""};
    case media_folders::kind::music:
        return {"audio"};
    case media_folders::kind::preview:
        return {"previews", "gui_textures"};
    }
    return {};
}

// The run folder's media folder, then the one the file lies in.
std::vector<fs::path> media_roots(const std::string& root, const std::string& file)
{
    std::error_code ignored;
    std::vector<fs::path> media;
    if (!root.empty())
        media.push_back((fs::absolute(root, ignored) / "media").lexically_normal());
    const fs::path own = fs::absolute(file, ignored).lexically_normal().parent_path();
    if (own.filename() == "levels" && (media.empty() || media.front() != own.parent_path()))
        media.push_back(own.parent_path());
    return media;
}

}

media_folders::media_folders(std::string root) : root(std::move(root)) {}

bool media_folders::exists(kind what, const std::string& name, const std::string& file) const
{
    if (what == kind::mesh && is_generated_mesh(name))
        return true;
    std::error_code ignored;
    for (const fs::path& media : media_roots(root, file))
        for (const char* sub : subfolders(what))
            if (!name.empty() && fs::is_regular_file(media / sub / name, ignored))
                return true;
    return false;
}

std::string media_folders::searched(kind what, const std::string& file) const
{
    std::string places;
    for (const char* sub : subfolders(what))
        places += (places.empty() ? "" : " or ") + std::string(*sub ? sub : "the top");
    std::string roots;
    for (const fs::path& media : media_roots(root, file))
        roots += (roots.empty() ? "" : " or ") + media.string();
    return roots.empty() ? "" : places + " of " + roots;
}

bool media_folders::is_shipped_level(const std::string& name) const
{
    std::error_code ignored;
    return !root.empty() && fs::is_regular_file(fs::path(root) / "media" / "levels" / name, ignored);
}
