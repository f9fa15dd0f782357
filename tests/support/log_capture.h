#pragma once

// Collects every line written to OGRE's default log while it lives. Creates
// the log manager (and a silent default log) when none exists yet.

#include <OgreLog.h>

#include <memory>
#include <string>
#include <vector>

namespace Ogre {
class LogManager;
}

class log_capture : public Ogre::LogListener {
public:
    log_capture();
    ~log_capture() override;

    void messageLogged(const Ogre::String& message, Ogre::LogMessageLevel, bool, const Ogre::String&,
                       bool&) override;

    bool contains(const std::string& line) const;
    // Index of the first line equal to `line`, or -1.
    int index_of(const std::string& line) const;

    std::vector<std::string> lines;

private:
    std::unique_ptr<Ogre::LogManager> own_manager;
};
