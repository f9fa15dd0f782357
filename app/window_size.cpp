#include "window_size.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace {

// Windows for desktops that are smaller than the screen, 4:3 and wide.
const std::pair<int, int> usual_sizes[] = {{800, 600},   {1024, 768},  {1280, 720},  {1280, 800},
                                           {1366, 768},  {1600, 900},  {1920, 1080}, {2560, 1440}};

// Small to large by area; of two with the same area the narrower first.
bool smaller(const std::pair<int, int>& a, const std::pair<int, int>& b)
{
    const long area_a = long(a.first) * a.second, area_b = long(b.first) * b.second;
    return area_a < area_b || (area_a == area_b && a.first < b.first);
}

}

bool read_window_size(const std::string& text, int& width, int& height)
{
    std::istringstream in(text);
    int w = 0, h = 0;
    char by = 0;
    std::string rest;
    if (!(in >> w >> by >> h) || by != 'x' || (in >> rest && rest != "@"))
        return false;
    if (w <= 0 || h <= 0 || w > largest_window_side || h > largest_window_side)
        return false;
    width = w;
    height = h;
    return true;
}

std::string window_size_text(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

std::vector<std::string> window_sizes(const std::vector<std::string>& x_modes, const std::string& current)
{
    std::vector<std::pair<int, int>> sizes;
    int widest = 0, tallest = 0;
    for (const std::string& mode : x_modes) {
        int w = 0, h = 0;
        if (!read_window_size(mode, w, h))
            continue;
        sizes.emplace_back(w, h);
        widest = std::max(widest, w);
        tallest = std::max(tallest, h);
    }
    for (const auto& size : usual_sizes)
        if (size.first <= widest && size.second <= tallest)
            sizes.push_back(size);
    int w = 0, h = 0;
    if (read_window_size(current, w, h))
        sizes.emplace_back(w, h);
    std::sort(sizes.begin(), sizes.end(), smaller);
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    std::vector<std::string> texts;
    for (const auto& size : sizes)
        texts.push_back(window_size_text(size.first, size.second));
    return texts;
}
