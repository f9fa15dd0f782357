// The game's entry: one application, run as "quillax". Any error that ends
// the program is reported under "ERROR" after the application has been torn
// down, and the exit code says that it failed.

#include "app/application.h"
#include "app/error_report.h"

#include <OgreException.h>

#include <string>

int main()
{
    std::string error;
    {
        application app;
        // The text is taken before teardown: an OGRE exception may point into a
        // plug-in that teardown unloads.
        try {
            app.run("quillax");
        } catch (const Ogre::Exception& e) {
            error = e.getFullDescription();
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    if (error.empty())
        return 0;
    report_error(error);
    return 1;
}
