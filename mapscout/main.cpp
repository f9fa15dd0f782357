// mapscout: flies a free probe through the one level named on the command
// line, for level authors.

#include "app/application.h"
#include "app/error_report.h"

#include <OgreException.h>

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cout << "Kein Level als Argument angegeben" << std::endl;
        return 0;
    }
    std::string error;
    {
        application app;
        try {
            app.run_level(argv[1]);
        } catch (const Ogre::Exception& e) {
            error = e.getFullDescription();
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    if (error.empty())
        return 0;
    std::cerr << "ERROR: " << error << std::endl;
    return 1;
}
