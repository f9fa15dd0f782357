#include "screenshot.h"

#include "app/log.h"

#include <OgreException.h>
#include <OgreRenderWindow.h>

#include <filesystem>
#include <regex>
#include <system_error>

std::string next_screenshot_name(const std::string& in_folder)
{
    static const std::regex numbered("screenshot_([0-9]{1,9})\\.png");
    unsigned long highest = 0;
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(in_folder, failed)) {
        std::smatch match;
        const std::string name = entry.path().filename().string();
        if (std::regex_match(name, match, numbered))
            highest = std::max(highest, std::stoul(match[1].str()));
    }
    return in_folder + "/screenshot_" + std::to_string(highest + 1) + ".png";
}

std::string write_screenshot(Ogre::RenderWindow* window, const std::string& folder)
{
    if (!window)
        return "";
    std::error_code failed;
    std::filesystem::create_directories(folder, failed);
    if (failed) {
        log_line("The folder " + folder + " cannot be made (" + failed.message() +
                 "); the screenshot was not written");
        return "";
    }
    const std::string name = next_screenshot_name(folder);
    try {
        window->writeContentsToFile(name);
    } catch (const Ogre::Exception& e) {
        log_line(name + ": the screenshot could not be written: " + e.getDescription());
        return "";
    }
    return name;
}
