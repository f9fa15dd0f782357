#include "share_button.h"

#include "app/log.h"
#include "level/level_files.h"
#include "online/level_sharing.h"
#include "records/best_runs.h"

#include <MyGUI.h>

#include <fstream>
#include <sstream>

void share_button::show(MyGUI::Gui& gui, level_sharing* sharing, const std::string& level_file,
                        const std::string& progress_folder)
{
    this->sharing = sharing;
    this->level_file = level_file;
    this->progress_folder = progress_folder;
    if (MyGUI::Widget* button = gui.findWidgetT(widget_name, false))
        button->setVisible(sharing && !level_files::is_shipped(level_file) && problem().empty());
}

std::string share_button::problem() const
{
    replay best;
    if (!best_runs(progress_folder).best_replay(level_file, best))
        return "finish " + level_file + " first: it is shared with your best run on it";
    return std::string();
}

void share_button::press()
{
    if (!sharing || level_files::is_shipped(level_file))
        return;
    replay best;
    if (!best_runs(progress_folder).best_replay(level_file, best)) {
        log_line("Not shared: " + problem());
        return;
    }
    std::ifstream in(level_files::path_of(level_file), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    // The server takes the run only on the very bytes it was recorded on.
    if (replay::hash_text(bytes.str()) != best.level_hash) {
        log_line("Not shared: " + level_file + " changed since your best run");
        return;
    }
    sharing->share(level_file, bytes.str(), best);
}
