#include "campaign_checker.h"

#include "check_report.h"
#include "element_checks.h"
#include "media_folders.h"
#include "medal_checks.h"
#include "level/course_look.h"

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool plain_name(const std::string& name)
{
    return name != "." && name != ".." && name.find('/') == std::string::npos;
}

}

campaign_checker::campaign_checker(check_report& report, const media_folders& media) : report(report), media(media)
{
}

std::vector<std::string> campaign_checker::check(const std::string& path)
{
    // The game's own index is media/levels/campaigns.cmp; any other is a player's.
    std::error_code ignored;
    const fs::path index = fs::absolute(path, ignored).lexically_normal();
    is_addon_index = !(index.filename() == "campaigns.cmp" && index.parent_path().filename() == "levels" &&
                       index.parent_path().parent_path().filename() == "media");
    std::vector<std::string> levels;
    element_checks checks(report, path);
    TiXmlDocument document;
    const TiXmlElement* root = checks.load(document, "Campaigns", "the level selection shows no campaigns");
    if (!root)
        return levels;
    checks.unused_attributes(root, {}, "<Campaigns>");
    checks.unused_children(root, {"Campaign"});
    if (!root->FirstChildElement("Campaign")) {
        checks.error(root, nullptr,
                     "<Campaigns> holds no <Campaign>, so the level selection shows nothing; add <Campaign "
                     "name=\"...\"><Levels><Level filename=\"...\"/></Levels></Campaign>");
        return levels;
    }
    const std::string folder = fs::path(path).parent_path().string();
    for (const TiXmlElement* c = root->FirstChildElement("Campaign"); c; c = c->NextSiblingElement("Campaign"))
        check_campaign(checks, c, folder, levels);
    return levels;
}

void campaign_checker::check_campaign(element_checks& checks, const TiXmlElement* campaign,
                                      const std::string& folder, std::vector<std::string>& levels)
{
    checks.unused_attributes(campaign, {"name", "ground"}, "a <Campaign>");
    checks.unused_children(campaign, {"Levels"});
    const char* ground = campaign->Attribute("ground");
    if (ground && !course_look::is_known(ground))
        checks.warning(campaign, "ground",
                       std::string("\"") + ground +
                           "\" is not a ground the game knows, so the campaign's levels wear the meadow; use "
                           "meadow, foundry, glacier or sandstone");
    const char* name = campaign->Attribute("name");
    if (!name)
        checks.warning(campaign, nullptr,
                       "the campaign has no name, so the level selection calls it \"unnamed campaign\"; add "
                       "name=\"...\"");
    const TiXmlElement* list = campaign->FirstChildElement("Levels");
    if (list) {
        checks.unused_attributes(list, {}, "<Levels>");
        checks.unused_children(list, {"Level"});
    }
    if (!list || !list->FirstChildElement("Level")) {
        checks.warning(list ? list : campaign, nullptr,
                       "the campaign lists no levels; add <Levels><Level filename=\"...\"/></Levels>");
        return;
    }
    std::map<std::string, int> seen;
    for (const TiXmlElement* e = list->FirstChildElement("Level"); e; e = e->NextSiblingElement("Level")) {
        check_entry(checks, e, folder, levels);
        const char* file = e->Attribute("filename");
        if (!file)
            continue;
        const auto first = seen.emplace(file, e->Row());
        if (!first.second)
            checks.warning(e, "filename",
                           std::string("level \"") + file + "\" is listed twice in this campaign (first on line " +
                               std::to_string(first.first->second) +
                               "); after either entry the game goes on with the level after the first, so remove "
                               "one");
    }
}

void campaign_checker::check_entry(element_checks& checks, const TiXmlElement* entry, const std::string& folder,
                                   std::vector<std::string>& levels)
{
    checks.unused_attributes(entry, {"filename", "preview_file", "locked", "gold", "silver", "bronze"},
                             "a campaign's <Level>");
    const char* file = entry->Attribute("filename");
    std::string found;
    if (!file) {
        checks.error(entry, nullptr,
                     "<Level> has no filename, so the level selection lists an entry that cannot start; add "
                     "filename=\"level_NN.map\"");
    } else if (is_addon_index && !plain_name(file)) {
        checks.error(entry, "filename",
                     std::string("\"") + file + "\" has a folder in it, and the game refuses it in a player's " +
                         "campaign index: an add-on level is named by its file name alone, in the add-on folder");
    } else {
        const std::string level_path = (fs::path(folder) / file).string();
        if (is_addon_index && media.is_shipped_level(file))
            checks.warning(entry, "filename",
                           std::string("the game ships a level called \"") + file +
                               "\", so this one is hidden and the shipped one plays; rename it");
        std::error_code ignored;
        if (!*file || !fs::is_regular_file(level_path, ignored))
            checks.error(entry, "filename",
                         std::string("level file \"") + file + "\" is not in " +
                             (folder.empty() ? std::string("the index's folder") : folder) +
                             ", so it cannot start; check the name");
        else {
            found = file;
            if (std::find(levels.begin(), levels.end(), level_path) == levels.end())
                levels.push_back(level_path);
        }
    }
    medal_checks::check(checks, entry, folder, found);
    checks.media_file(entry, "preview_file", media, media_folders::kind::preview);
}
