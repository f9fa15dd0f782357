// The committed GUI media in media/gui must give the game states every widget
// they look up by name, with the kind the code casts it to, and every skin,
// font and layer those widgets name must be defined by the files core.xml
// lists; otherwise MyGUI swaps in a default look or nothing is clickable.
// Plain XML checks: no window, no render system.

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path gui_dir()
{
    return fs::path(QUILLAX_MATERIALS_DIR).parent_path() / "gui";
}

std::string attribute(const TiXmlElement* e, const char* name)
{
    const char* value = e->Attribute(name);
    return value ? value : "";
}

// Calls visit for e and every element below it.
template <typename F>
void walk(const TiXmlElement* e, F&& visit)
{
    visit(e);
    for (const TiXmlElement* child = e->FirstChildElement(); child; child = child->NextSiblingElement())
        walk(child, visit);
}

class gui_media : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(load("core.xml", core)) << "core.xml does not parse";
        for (const TiXmlElement* e = core.RootElement()->FirstChildElement("List"); e;
             e = e->NextSiblingElement("List"))
            listed.push_back(attribute(e, "file"));
        for (const auto& file : listed) {
            auto& doc = documents[file];
            if (!load(file, doc))
                continue;
            const std::string type = attribute(doc.RootElement(), "type");
            by_type[type].push_back(doc.RootElement());
            if (type == "Resource")
                collect_resources(doc.RootElement());
        }
    }

    static bool load(const std::string& file, TiXmlDocument& doc)
    {
        return doc.LoadFile((gui_dir() / file).string().c_str()) && doc.RootElement();
    }

    void collect_resources(const TiXmlElement* root)
    {
        for (const TiXmlElement* r = root->FirstChildElement("Resource"); r; r = r->NextSiblingElement("Resource")) {
            const std::string type = attribute(r, "type");
            if (type == "ResourceSkin" || type == "ResourceLayout")
                skins[attribute(r, "name")] = r;
            else if (type == "ResourceTrueTypeFont")
                fonts[attribute(r, "name")] = r;
        }
    }

    // Skins the files name: widgets in layouts and skin layouts, list lines,
    // and the pointer.
    static void collect_skin_uses(const TiXmlElement* root, std::set<std::string>& uses)
    {
        walk(root, [&](const TiXmlElement* e) {
            if (e->ValueStr() == "Widget")
                uses.insert(attribute(e, "skin"));
            if (e->ValueStr() == "UserString" && attribute(e, "key") == "SkinLine")
                uses.insert(attribute(e, "value"));
        });
    }

    TiXmlDocument core;
    std::vector<std::string> listed;
    std::map<std::string, TiXmlDocument> documents;
    std::map<std::string, std::vector<const TiXmlElement*>> by_type;
    std::map<std::string, const TiXmlElement*> skins;
    std::map<std::string, const TiXmlElement*> fonts;
};

const std::vector<std::string> layout_files{"main_menu.layout",    "level_selection.layout",  "ingame_hud.layout",
                                            "ingame_menu.layout",  "ingame_completed.layout", "options.layout", "help.layout",
                                            "race_start.layout",   "more_levels.layout"};

// What the game states find by name, and the widget class they expect.
const std::map<std::string, std::map<std::string, std::string>> required_widgets{
    {"main_menu.layout",
     {{"main_menu_start", "Button"}, {"main_menu_options", "Button"}, {"main_menu_help", "Button"}, {"main_menu_more", "Button"},
      {"main_menu_quit", "Button"}}},
    {"more_levels.layout",
     {{"more_levels_newest", "Button"},
      {"more_levels_played", "Button"},
      {"more_levels_author", "Button"},
      {"more_levels_list", "ListBox"},
      {"more_levels_name", "TextBox"},
      {"more_levels_details", "TextBox"},
      {"more_levels_status", "TextBox"},
      {"more_levels_back", "Button"},
      {"more_levels_play", "Button"}}},
    {"level_selection.layout",
     {{"campaign_list", "ListBox"},
      {"level_list", "ListBox"},
      {"level_name", "TextBox"},
      {"level_description", "TextBox"},
      {"level_preview", "ImageBox"},
      {"level_start", "Button"},
      {"level_back", "Button"},
      {"level_best", "TextBox"},
      {"level_watch", "Button"},
      {"level_watch_world", "Button"},
      {"level_share", "Button"},
      {"campaign_index_problem", "TextBox"}}},
    {"ingame_hud.layout",
     {{"score_coins", "TextBox"},
      {"coins_taken", "TextBox"},
      {"coins_total", "TextBox"},
      {"time_minutes", "TextBox"},
      {"time_seconds", "TextBox"}}},
    {"ingame_menu.layout",
     {{"back_main_menu", "Button"},
      {"resume_game", "Button"},
      {"restart_game", "Button"},
      {"menu_options", "Button"},
      {"menu_heading", "TextBox"},
      {"menu_keys", "TextBox"}}},
    {"options.layout",
     {{"options_panel", "Widget"},
      {"options_tab_controls", "Button"},
      {"options_tab_sound", "Button"},
      {"options_tab_video", "Button"},
      {"options_tab_gameplay", "Button"},
      {"options_tab_online", "Button"},
      {"options_controls", "Widget"},
      {"options_sound", "Widget"},
      {"options_video", "Widget"},
      {"options_gameplay", "Widget"},
      {"options_online", "Widget"},
      {"options_notice", "TextBox"},
      {"options_back", "Button"}}},
    {"help.layout", {{"help_panel", "Widget"}, {"help_controls_actions", "TextBox"}, {"help_controls_keys", "TextBox"},
                     {"help_controls_pad", "TextBox"}, {"help_picture_door", "ImageBox"}, {"help_back", "Button"}}},
    {"ingame_completed.layout",
     {{"next_level_name", "TextBox"},
      {"next_level", "TextBox"},
      {"back_main_menu", "Button"},
      {"next_level_start", "Button"},
      {"campaign_complete", "TextBox"},
      {"score_coins", "TextBox"},
      {"coins_taken", "TextBox"},
      {"coins_total", "TextBox"},
      {"time_minutes", "TextBox"},
      {"time_seconds", "TextBox"},
      {"completed_heading", "TextBox"},
      {"best_record", "TextBox"},
      {"best_gain", "TextBox"},
      {"race_ghost", "Button"}}},
    {"race_start.layout",
     {{"start_card", "Widget"},
      {"start_card_name", "TextBox"},
      {"start_card_best", "TextBox"},
      {"start_card_medals", "Widget"},
      {"start_card_gold", "TextBox"},
      {"start_card_silver", "TextBox"},
      {"start_card_bronze", "TextBox"},
      {"start_word", "TextBox"}}},
};

TEST_F(gui_media, core_lists_only_files_that_exist_and_parse)
{
    ASSERT_FALSE(listed.empty());
    for (const auto& file : listed) {
        EXPECT_TRUE(fs::is_regular_file(gui_dir() / file)) << file << " is listed in core.xml but missing";
        EXPECT_NE(documents[file].RootElement(), nullptr) << file << " does not parse";
    }
}

TEST_F(gui_media, the_main_layer_takes_clicks_because_the_layer_file_reads_pick)
{
    ASSERT_EQ(by_type["Layer"].size(), 1u);
    const TiXmlElement* layers = by_type["Layer"].front();
    EXPECT_EQ(attribute(layers, "version"), "1.2");
    std::map<std::string, std::string> pick;
    for (const TiXmlElement* l = layers->FirstChildElement("Layer"); l; l = l->NextSiblingElement("Layer"))
        for (const TiXmlElement* p = l->FirstChildElement("Property"); p; p = p->NextSiblingElement("Property"))
            if (attribute(p, "key") == "Pick")
                pick[attribute(l, "name")] = attribute(p, "value");
    ASSERT_TRUE(pick.count("Main")) << "no layer named Main with a Pick property";
    EXPECT_EQ(pick["Main"], "true");
}

TEST_F(gui_media, body_text_font_linlib_20_exists_with_german_letters)
{
    ASSERT_TRUE(fonts.count("LinLib_20"));
    const TiXmlElement* font = fonts["LinLib_20"];
    std::string size;
    std::vector<std::pair<unsigned, unsigned>> ranges;
    for (const TiXmlElement* p = font->FirstChildElement("Property"); p; p = p->NextSiblingElement("Property"))
        if (attribute(p, "key") == "Size")
            size = attribute(p, "value");
    EXPECT_EQ(size, "20");
    if (const TiXmlElement* codes = font->FirstChildElement("Codes")) {
        for (const TiXmlElement* c = codes->FirstChildElement("Code"); c; c = c->NextSiblingElement("Code")) {
            std::istringstream in(attribute(c, "range"));
            unsigned first = 0, last = 0;
            if (in >> first) {
                if (!(in >> last))
                    last = first;
                ranges.emplace_back(first, last);
            }
        }
    }
    // ä ö ü ß Ä Ö Ü, and the ASCII letters and punctuation.
    for (unsigned code : {0xE4u, 0xF6u, 0xFCu, 0xDFu, 0xC4u, 0xD6u, 0xDCu, unsigned('!'), unsigned(':'), unsigned('z')}) {
        bool covered = false;
        for (const auto& [first, last] : ranges)
            covered = covered || (code >= first && code <= last);
        EXPECT_TRUE(covered) << "LinLib_20 lacks code point " << code;
    }
}

TEST_F(gui_media, fonts_come_from_debians_linux_libertine_files)
{
    ASSERT_FALSE(fonts.empty());
    for (const auto& [name, font] : fonts) {
        std::string source;
        for (const TiXmlElement* p = font->FirstChildElement("Property"); p; p = p->NextSiblingElement("Property"))
            if (attribute(p, "key") == "Source")
                source = attribute(p, "value");
        EXPECT_TRUE(source.rfind("LinLibertine_", 0) == 0 || source.rfind("LinBiolinum_", 0) == 0)
            << name << " uses " << source;
        const fs::path installed = fs::path("/usr/share/fonts/opentype/linux-libertine") / source;
        if (fs::is_directory(installed.parent_path())) {
            EXPECT_TRUE(fs::exists(installed)) << name << ": " << installed << " is not installed";
        }
    }
}

TEST_F(gui_media, every_layout_has_the_widgets_the_game_looks_up)
{
    for (const auto& [file, widgets] : required_widgets) {
        TiXmlDocument doc;
        ASSERT_TRUE(load(file, doc)) << file << " is missing or does not parse";
        EXPECT_EQ(attribute(doc.RootElement(), "type"), "Layout") << file;
        std::map<std::string, std::string> found;
        walk(doc.RootElement(), [&](const TiXmlElement* e) {
            if (e->ValueStr() == "Widget")
                found[attribute(e, "name")] = attribute(e, "type");
        });
        for (const auto& [name, type] : widgets) {
            ASSERT_TRUE(found.count(name)) << file << " has no widget " << name;
            EXPECT_EQ(found[name], type) << file << ": " << name;
        }
    }
}

TEST_F(gui_media, every_skin_a_layout_or_skin_names_is_defined)
{
    std::set<std::string> uses;
    for (const auto& file : layout_files) {
        TiXmlDocument doc;
        ASSERT_TRUE(load(file, doc)) << file;
        collect_skin_uses(doc.RootElement(), uses);
    }
    for (const auto& [name, skin] : skins)
        collect_skin_uses(skin, uses);
    for (const TiXmlElement* settings : by_type["Pointer"])
        for (const TiXmlElement* p = settings->FirstChildElement("Property"); p; p = p->NextSiblingElement("Property"))
            if (attribute(p, "key") == "Skin")
                uses.insert(attribute(p, "value"));
    for (const auto& skin : uses)
        EXPECT_TRUE(skins.count(skin)) << "skin " << skin << " is used but not defined";
}

TEST_F(gui_media, the_skins_the_code_creates_by_name_are_defined)
{
    for (const char* name : {"Button", "ListBox", "ImageBox", "StaticImage", "TextBox", "StaticText", "MenuPanel"})
        EXPECT_TRUE(skins.count(name)) << name;
}

TEST_F(gui_media, every_font_a_skin_or_layout_names_is_defined)
{
    std::set<std::string> names;
    auto collect = [&](const TiXmlElement* root) {
        walk(root, [&](const TiXmlElement* e) {
            if (e->ValueStr() == "Property" && attribute(e, "key") == "FontName")
                names.insert(attribute(e, "value"));
        });
    };
    for (const auto& [name, skin] : skins)
        collect(skin);
    for (const auto& file : layout_files) {
        TiXmlDocument doc;
        ASSERT_TRUE(load(file, doc)) << file;
        collect(doc.RootElement());
    }
    for (const TiXmlElement* settings : by_type["Font"])
        for (const TiXmlElement* p = settings->FirstChildElement("Property"); p; p = p->NextSiblingElement("Property"))
            if (attribute(p, "key") == "Default")
                names.insert(attribute(p, "value"));
    ASSERT_FALSE(names.empty());
    for (const auto& font : names)
        EXPECT_TRUE(fonts.count(font)) << "font " << font << " is used but not defined";
}

TEST_F(gui_media, every_layout_places_its_windows_on_a_defined_layer)
{
    std::set<std::string> layers;
    for (const TiXmlElement* root : by_type["Layer"])
        for (const TiXmlElement* l = root->FirstChildElement("Layer"); l; l = l->NextSiblingElement("Layer"))
            layers.insert(attribute(l, "name"));
    for (const auto& file : layout_files) {
        TiXmlDocument doc;
        ASSERT_TRUE(load(file, doc)) << file;
        for (const TiXmlElement* w = doc.RootElement()->FirstChildElement("Widget"); w;
             w = w->NextSiblingElement("Widget"))
            EXPECT_TRUE(layers.count(attribute(w, "layer"))) << file << ": " << attribute(w, "name");
    }
}

// The game removes exactly these widgets when play resumes; anything else
// would stay on screen during play.
TEST_F(gui_media, pause_menu_leaves_nothing_behind_when_its_buttons_go)
{
    TiXmlDocument doc;
    ASSERT_TRUE(load("ingame_menu.layout", doc));
    std::set<std::string> top;
    for (const TiXmlElement* w = doc.RootElement()->FirstChildElement("Widget"); w; w = w->NextSiblingElement("Widget"))
        top.insert(attribute(w, "name"));
    EXPECT_EQ(top, (std::set<std::string>{"back_main_menu", "resume_game", "restart_game", "menu_options", "menu_heading",
                                          "menu_keys"}));
}

TEST_F(gui_media, gui_shaders_match_what_mygui_binds)
{
    auto read = [](const char* name) {
        std::ifstream in(gui_dir() / name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    const std::string vertex = read("MyGUI_Ogre_VP.glsl");
    const std::string fragment = read("MyGUI_Ogre_FP.glsl");
    for (const char* needed : {"uniform mat4 worldViewProj", "attribute vec4 vertex", "attribute vec4 colour",
                               "attribute vec2 uv0"})
        EXPECT_NE(vertex.find(needed), std::string::npos) << needed;
    EXPECT_NE(fragment.find("texture2D"), std::string::npos);
}

}
