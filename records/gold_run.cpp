#include "gold_run.h"

#include "author_run.h"
#include "best_runs.h"
#include "level/level_files.h"

bool gold_run::find(const std::string& level_file, replay& out)
{
    if (!level_files::is_shipped(level_file))
        return false;
    return replay::load_for_level(author_run::path_in(author_run::shipped_folder, level_file), level_file,
                                  best_runs::level_hash(level_file), out);
}
