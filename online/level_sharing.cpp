#include "level_sharing.h"

#include "app/log.h"
#include "app/safe_file.h"
#include "http_transport.h"
#include "online_service.h"
#include "records/replay.h"
#include "server_api.h"
#include "shared_level_check.h"

#include <cstdio>

namespace {

// The server's word, or why there was none.
std::string reply_problem(const http_reply& reply)
{
    if (reply.status == 0)
        return reply.error.empty() ? "no answer" : reply.error;
    if (reply.too_large)
        return "the answer is too large";
    return "HTTP " + std::to_string(reply.status);
}

std::string seconds(double time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", time);
    return text;
}

}

level_sharing::level_sharing(online_service& online, std::filesystem::path addon_folder, std::string data_root)
    : online(online), addon_folder(std::move(addon_folder)), data_root(std::move(data_root)),
      self(std::make_shared<level_sharing*>(this))
{
}

void level_sharing::tell(const std::string& status)
{
    said = status;
    ++changed;
    log_line(status);
}

std::string level_sharing::take_ready()
{
    std::string file;
    file.swap(ready);
    return file;
}

bool level_sharing::send(const http_request& request, const std::string& asking, const std::string& not_sent,
                         std::function<void(level_sharing&, const http_reply&)> answered)
{
    std::weak_ptr<level_sharing*> alive = self;
    const bool sent = online.fetch(request, [alive, answered](const http_reply& reply) {
        const auto held = alive.lock();
        if (!held)
            return;
        --(**held).waiting;
        answered(**held, reply);
    });
    if (!sent) {
        tell(not_sent);
        return false;
    }
    ++waiting;
    tell(asking);
    return true;
}

bool level_sharing::share(const std::string& file, const std::string& level_text, const replay& best)
{
    const std::string name = online.settings().player_name;
    std::string error;
    if (!online.active() || name.empty()) {
        tell("Sharing needs online play and a player name: see Options, Online.");
        return false;
    }
    const std::string& secret = online.sending_secret(error);
    if (secret.empty()) {
        tell("The level is not shared: " + error);
        return false;
    }
    const http_request request =
        server_api(online.settings().server_address).share(name, secret, file, level_text, best.to_text());
    return send(request, "Sharing " + file + "...", "The level is not shared: online play is busy; try again in a moment.",
                [file](level_sharing& sharing, const http_reply& reply) {
                    const share_answer answer = shared_answers::share(reply);
                    if (answer.outcome == share_answer::listed)
                        sharing.tell("Shared " + file + ": listed with your time of " + seconds(answer.time));
                    else if (answer.outcome == share_answer::refused)
                        sharing.tell("The server refused " + file + ": " + answer.message);
                    else
                        sharing.tell("The server could not take " + file + " now (" +
                                     (answer.message.empty() ? reply_problem(reply) : answer.message) +
                                     "); try again later");
                });
}

void level_sharing::ask(const std::string& order)
{
    const http_request request = server_api(online.settings().server_address).shared_list(order, "");
    send(request, "Asking for the shared levels...",
         online.active() ? "Online play is busy; try again in a moment."
                         : "The shared levels need online play: see Options, Online.",
         [](level_sharing& sharing, const http_reply& reply) {
             std::string error;
             std::vector<shared_level> read;
             if (!shared_answers::list(reply, read, error)) {
                 sharing.tell("The shared levels cannot be shown: " + error);
                 return;
             }
             sharing.listed = std::move(read);
             sharing.known = true;
             const std::size_t count = sharing.listed.size();
             sharing.tell(count == 0   ? "No level has been shared yet."
                          : count == 1 ? "1 shared level"
                                       : std::to_string(count) + " shared levels");
         });
}

void level_sharing::download(const shared_level& level)
{
    const http_request request = server_api(online.settings().server_address).shared_level(level.hash);
    send(request, "Fetching " + level.file + "...", "Online play is busy; try again in a moment.",
         [level](level_sharing& sharing, const http_reply& reply) {
             if (reply.status != 200 || reply.too_large)
                 sharing.tell(level.file + " cannot be fetched: " + reply_problem(reply));
             else
                 sharing.fetched(level, reply.body);
         });
}

void level_sharing::fetched(const shared_level& level, const std::string& text)
{
    if (const std::string problem = shared_level_check::problem(level, text, addon_folder, data_root);
        !problem.empty()) {
        tell(level.file + " is not played: " + problem);
        return;
    }
    if (const std::string failed = safe_file::write(addon_folder / level.file, text); !failed.empty()) {
        tell(level.file + " cannot be kept: " + failed);
        return;
    }
    ready = level.file;
    tell("Fetched " + level.file + " by " + level.author + " into your add-on levels");
}
