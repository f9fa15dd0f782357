#include "run_guarded.h"

#include "application.h"

#include <OgreException.h>

std::string run_guarded(const std::function<void(application&)>& run)
{
    application app;
    try {
        run(app);
    } catch (const Ogre::Exception& e) {
        return e.getFullDescription();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}
