#pragma once

// Sharing levels through the leaderboard server, for the menus: sending an
// add-on level with the run that finishes it, the list of what others have
// shared, and fetching one of them into the add-on folder to play. Each
// request goes through online_service, so nothing waits on the network; the
// menus look at status() and changes() each frame. A level is written only
// once shared_level_check lets it in.

#include "shared_answers.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class online_service;
class replay;
struct http_reply;
struct http_request;

class level_sharing {
public:
    level_sharing(online_service& online, std::filesystem::path addon_folder, std::string data_root);

    // Sends `file` (its bytes `level_text`) with the player's best run on
    // it; false (with status() saying why) when it cannot go now.
    bool share(const std::string& file, const std::string& level_text, const replay& best);
    // Asks for the list of shared levels in `order` ("newest", "played",
    // "author").
    void ask(const std::string& order);
    // Fetches `level`, checks it and writes it into the add-on folder; once
    // it is there, take_ready() hands out its file name.
    void download(const shared_level& level);

    bool list_known() const { return known; }
    const std::vector<shared_level>& levels() const { return listed; }
    // What happened last, for the player; empty while nothing did.
    const std::string& status() const { return said; }
    // The file of a level just written into the add-on folder, once; empty otherwise.
    std::string take_ready();
    bool busy() const { return waiting > 0; }
    // How often something changed, so that a screen redraws only then.
    unsigned changes() const { return changed; }

private:
    // Sends `request` through the online service, telling `asking`; the
    // answer goes to `answered` while the sharing lives. False, telling
    // `not_sent`, when it cannot go.
    bool send(const http_request& request, const std::string& asking, const std::string& not_sent,
              std::function<void(level_sharing&, const http_reply&)> answered);
    void tell(const std::string& status);
    void fetched(const shared_level& level, const std::string& text);

    online_service& online;
    std::filesystem::path addon_folder;
    std::string data_root;
    std::vector<shared_level> listed;
    bool known = false;
    std::string said;
    std::string ready;
    int waiting = 0;
    unsigned changed = 0;
    // Answers still on their way hold only this: they do nothing once the sharing is gone.
    std::shared_ptr<level_sharing*> self;
};
