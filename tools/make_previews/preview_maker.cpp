#include "preview_maker.h"

#include "level_plan.h"
#include "png_writer.h"
#include "preview_painter.h"

#include <exception>
#include <filesystem>
#include <vector>

std::string preview_maker::preview_name(const std::string& level_path)
{
    return std::filesystem::path(level_path).stem().string() + "_pre.png";
}

bool preview_maker::make(const std::string& level_path, const std::string& folder, std::ostream& warnings) const
{
    std::vector<std::string> problems;
    const level_plan plan = level_plan::from_file(level_path, problems);
    for (const std::string& problem : problems)
        warnings << "make_previews: " << level_path << ": " << problem << '\n';
    const std::string out = (std::filesystem::path(folder) / preview_name(level_path)).string();
    try {
        write_png(preview_painter().paint(plan), out);
    } catch (const std::exception& e) {
        warnings << "make_previews: " << out << ": " << e.what() << '\n';
        return false;
    }
    return true;
}
