#include "author_runs.h"

#include "best_runs.h"
#include "level/level_files.h"

bool author_runs::find(const std::string& level_file, replay& out)
{
    if (!level_files::is_shipped(level_file))
        return false;
    return replay::load_for_level(std::string(folder) + replay::file_name_for(level_file), level_file,
                                  best_runs::level_hash(level_file), out);
}
