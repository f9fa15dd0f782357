#include "settings_store.h"

#include "log.h"
#include "safe_file.h"

settings_store::settings_store(std::filesystem::path file)
    : file(std::move(file))
{
    first = game_settings::load(this->file, &fault);
}

std::string settings_store::save(const game_settings& settings)
{
    if (!fault.empty()) {
        safe_file::set_aside(file, fault);
        fault.clear();
    }
    const std::string failed = safe_file::write(file, settings.to_text());
    if (!failed.empty())
        log_line("The settings were not saved: " + failed);
    return failed;
}
