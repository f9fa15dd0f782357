#include "author_run.h"

#include "replay.h"

#include <cmath>

std::filesystem::path author_run::path_in(const std::filesystem::path& runs_folder, const std::string& level_file)
{
    return runs_folder / replay::file_name_for(level_file);
}

medal_times author_run::medals_for(double finish_time)
{
    return medal_times::from_author_run(std::lround(finish_time * 1000.0));
}
