#include "screenshot.h"

#include "app/log.h"

#include <OgreException.h>
#include <OgreRenderWindow.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

void write_screenshot(Ogre::RenderWindow* window, int number)
{
    if (!window)
        return;
    char name[64];
    std::snprintf(name, sizeof name, "screenshots/screenshot_%d.png", number);
    std::error_code ignored;
    std::filesystem::create_directories("screenshots", ignored);
    try {
        window->writeContentsToFile(name);
    } catch (const Ogre::Exception& e) {
        log_line(std::string(name) + ": Bildschirmfoto konnte nicht geschrieben werden: " + e.getDescription());
    }
}
