#include "log.h"

#include <OgreLogManager.h>

#include <iostream>

void log_line(const std::string& text)
{
    // Tools and pure physics tests run without OGRE's log.
    if (Ogre::LogManager* manager = Ogre::LogManager::getSingletonPtr())
        manager->logMessage(text, Ogre::LML_NORMAL, false);
    else
        std::cerr << text << std::endl;
}
