#include "addon_campaigns.h"

#include "app/load_xml.h"
#include "app/log.h"
#include "level/level_files.h"

#include <tinyxml.h>

#include <algorithm>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The folder's files ending in `extension`, sorted by name.
std::vector<fs::path> files_in(const fs::path& folder, const std::string& extension)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == extension && it->is_regular_file(error))
            found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

// Whether the level `name` may be listed; says why not in the log.
bool listable(const std::string& name, const std::string& where)
{
    if (!level_files::is_plain_name(name)) {
        log_line(where + ": \"" + name + "\" refused: an add-on level is named by its file name alone, " +
                 "in the add-on folder");
        return false;
    }
    if (level_files::is_shipped(name)) {
        log_line(where + ": " + name + " is hidden: the game ships a level of the same name, which is the one " +
                 "that would play");
        return false;
    }
    return true;
}

// The index's campaigns with every entry that may not be listed left out;
// `listed` gains the file names of those kept.
void read_index(const fs::path& index, std::vector<std::unique_ptr<campaign_object>>& out, std::set<std::string>& listed)
{
    TiXmlDocument document;
    TiXmlElement* root = nullptr;
    if (load_xml(index.string(), document) == xml_result::loaded)
        root = document.FirstChildElement("Campaigns");
    if (!root) {
        log_line(index.string() + ": not a campaign index (no <Campaigns> element read), so it is left out");
        return;
    }
    for (TiXmlElement* campaign = root->FirstChildElement("Campaign"); campaign;
         campaign = campaign->NextSiblingElement("Campaign")) {
        if (TiXmlElement* levels = campaign->FirstChildElement("Levels")) {
            for (TiXmlElement* entry = levels->FirstChildElement("Level"); entry;) {
                TiXmlElement* next = entry->NextSiblingElement("Level");
                const char* file = entry->Attribute("filename");
                const std::string where = index.string() + ":" + std::to_string(entry->Row());
                if (file && !listable(file, where))
                    levels->RemoveChild(entry);
                else if (file)
                    listed.insert(file);
                entry = next;
            }
        }
        out.push_back(std::make_unique<campaign_object>(campaign));
    }
}

}

std::vector<std::unique_ptr<campaign_object>> addon_campaigns::read(const fs::path& folder)
{
    std::vector<std::unique_ptr<campaign_object>> campaigns;
    if (folder.empty())
        return campaigns;
    std::set<std::string> listed;
    for (const fs::path& index : files_in(folder, ".cmp"))
        read_index(index, campaigns, listed);

    TiXmlElement loose("Campaign");
    loose.SetAttribute("name", loose_levels_name);
    TiXmlElement levels("Levels");
    for (const fs::path& file : files_in(folder, ".map")) {
        const std::string name = file.filename().string();
        if (listed.count(name) || !listable(name, file.string()))
            continue;
        TiXmlElement entry("Level");
        entry.SetAttribute("filename", name);
        levels.InsertEndChild(entry);
    }
    if (!levels.NoChildren()) {
        loose.InsertEndChild(levels);
        campaigns.push_back(std::make_unique<campaign_object>(&loose));
    }
    return campaigns;
}
