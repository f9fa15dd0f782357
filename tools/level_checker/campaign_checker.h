#pragma once

// Checks a campaign index (campaigns.cmp): its XML, the <Campaigns> and
// <Campaign> elements the level selection needs, and each <Level> entry: a
// filename that exists in the index's folder (where the game looks for
// levels), a preview picture the game can find, medal times the game reads
// (medal_checks), no level twice in one campaign. A player's index in the add-on folder names plain file names
// only, and a name the game ships hides the add-on. It does not check the listed levels
// themselves; it returns their paths so the caller can. The report and media
// must outlive the checker.

#include <string>
#include <vector>

class TiXmlElement;
class check_report;
class element_checks;
class media_folders;

class campaign_checker {
public:
    campaign_checker(check_report& report, const media_folders& media);

    // path: the index to read, also the name the messages carry. Returns the
    // paths of the listed level files that exist, each once, in order.
    std::vector<std::string> check(const std::string& path);

private:
    void check_campaign(element_checks& checks, const TiXmlElement* campaign, const std::string& folder,
                        std::vector<std::string>& levels);
    void check_entry(element_checks& checks, const TiXmlElement* entry, const std::string& folder,
                     std::vector<std::string>& levels);

    check_report& report;
    const media_folders& media;
    // A player's index (any but media/levels/campaigns.cmp) names plain file names only.
    bool is_addon_index = false;
};
