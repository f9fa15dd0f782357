#include "log.h"

#include <OgreLogManager.h>

void log_line(const std::string& text)
{
    Ogre::LogManager::getSingleton().logMessage(text, Ogre::LML_NORMAL, false);
}
