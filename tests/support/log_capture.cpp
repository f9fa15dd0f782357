#include "log_capture.h"

#include <OgreLogManager.h>

#include <algorithm>

log_capture::log_capture()
{
    if (!Ogre::LogManager::getSingletonPtr()) {
        own_manager = std::make_unique<Ogre::LogManager>();
        own_manager->createLog("test.log", true, false, true);
    }
    Ogre::LogManager::getSingleton().getDefaultLog()->addListener(this);
}

log_capture::~log_capture()
{
    Ogre::LogManager::getSingleton().getDefaultLog()->removeListener(this);
}

void log_capture::messageLogged(const Ogre::String& message, Ogre::LogMessageLevel, bool,
                                const Ogre::String&, bool&)
{
    lines.push_back(message);
}

bool log_capture::contains(const std::string& line) const
{
    return index_of(line) >= 0;
}

int log_capture::index_of(const std::string& line) const
{
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : int(found - lines.begin());
}
