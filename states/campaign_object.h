#pragma once

// A named, ordered list of levels from the campaign index
// (media/levels/campaigns.cmp). It owns its entries. read_campaigns() reads
// the whole index, logging what is wrong with it; the in-game state walks a
// campaign's order to find the level after the one just finished.

#include "level/course_look.h"
#include "level_entry.h"

#include <memory>
#include <string>
#include <vector>

class TiXmlElement;

class campaign_object {
public:
    explicit campaign_object(const TiXmlElement* element);

    const std::string& get_name() const { return name; }
    // The look of the campaign's courses (course_look); the meadow unless
    // the index names a known one.
    const std::string& get_ground() const { return ground; }
    std::vector<level_entry*> get_levels() const;
    bool lists(const std::string& file) const { return find(file) != nullptr; }
    // The first entry for `file`; null when the campaign does not list it.
    const level_entry* find(const std::string& file) const;

    // The entry after the first one for `current_file`: its file name and
    // the name to announce it by (its display name, or its file name when
    // the level has none), or empty strings when there is none (last level,
    // or a level this campaign does not list). A null campaign has no next
    // level.
    static std::string next_level_file(const std::string& current_file, const campaign_object* campaign);
    static std::string next_level_name(const std::string& current_file, const campaign_object* campaign);
    // The level's display name, or its file name when it has none.
    static std::string level_name(const std::string& file, const campaign_object* campaign);
    // The file names of the campaign's levels, in order.
    std::vector<std::string> level_files() const;
    // The medal times the campaign gives `file`; none for a null campaign.
    static medal_times medals_of(const std::string& file, const campaign_object* campaign);
    // The look of the first campaign of the index at `index_file` that lists
    // `file`: the meadow when none does or there is no index.
    static std::string ground_of(const std::string& file, const std::string& index_file);

    // Every campaign of the index, in file order; none (and a log line) when
    // the index is missing, broken, or has no campaign.
    static std::vector<std::unique_ptr<campaign_object>> read_campaigns(const std::string& index_file);

private:
    void parse(const TiXmlElement* element);
    const level_entry* next_entry(const std::string& current_file) const;

    std::vector<std::unique_ptr<level_entry>> levels;
    std::string name;
    std::string ground = course_look::meadow;
};
