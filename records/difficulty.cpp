#include "difficulty.h"

#include "level/level_document.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

namespace {

// A ball covers far less than this in one frame; a longer step is a teleport.
constexpr double jump = 20.0;
constexpr double time_steps[] = {10.0, 25.0, 45.0};
constexpr double long_stretch = 200.0;

}

difficulty::numbers difficulty::of(const replay& run, int checkpoints)
{
    numbers n;
    n.time = run.finish_time;
    n.checkpoints = checkpoints;
    for (std::size_t i = 1; i < run.frames.size(); ++i) {
        const replay_frame& a = run.frames[i - 1];
        const replay_frame& b = run.frames[i];
        const double step = std::sqrt(double(b.x - a.x) * (b.x - a.x) + double(b.y - a.y) * (b.y - a.y) +
                                      double(b.z - a.z) * (b.z - a.z));
        if (step < jump)
            n.length += step;
    }
    return n;
}

int difficulty::marks(const numbers& n)
{
    int marks = 1;
    for (const double step : time_steps)
        marks += n.time >= step;
    marks += n.length / (n.checkpoints + 1) >= long_stretch;
    return std::min(marks, 5);
}

int difficulty::checkpoints_in(const std::string& path)
{
    const level_document read = level_document::read_file(path);
    const TiXmlElement* root = read.get_outcome() == level_document::outcome::loaded ? read.get_level() : nullptr;
    const TiXmlElement* objects = root ? root->FirstChildElement("Objects") : nullptr;
    int count = 0;
    for (const TiXmlElement* o = objects ? objects->FirstChildElement("Object") : nullptr; o;
         o = o->NextSiblingElement("Object")) {
        const char* type = o->Attribute("type");
        count += type && std::string(type) == "checkpoint";
    }
    return count;
}
