#include "server_options.h"

#include <cstdlib>

namespace {

bool whole(const std::string& text, long long low, long long high, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= low && value <= high;
}

bool rate(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && value >= 0.0 && value <= 1e9;
}

// ADDR:PORT, with an IPv6 address in brackets.
bool address(const std::string& text, std::string& host, int& port)
{
    const std::size_t colon = text.rfind(':');
    long long number = 0;
    if (colon == std::string::npos || !whole(text.substr(colon + 1), 0, 65535, number))
        return false;
    host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    port = int(number);
    return !host.empty();
}

}

bool server_options::parse(int argc, char** argv, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            help = true;
            return true;
        }
        if (i + 1 >= argc) {
            error = "unknown option or missing value: " + option;
            return false;
        }
        const std::string value = argv[++i];
        long long number = 0;
        bool good = true;
        if (option == "--data")
            data_folder = value;
        else if (option == "--database")
            database = value;
        else if (option == "--levels")
            level_folders.push_back(value);
        else if (option == "--listen")
            good = address(value, host, port);
        else if (option == "--workers")
            good = whole(value, 1, 256, number), workers = unsigned(number);
        else if (option == "--queue")
            good = whole(value, 1, 100000, number), queue = std::size_t(number);
        else if (option == "--job-seconds")
            good = whole(value, 1, 3600, number), job_seconds = int(number);
        else if (option == "--timeout")
            good = whole(value, 1, 3600, number), timeout_seconds = int(number);
        else if (option == "--max-frames")
            good = whole(value, 1, 2000000, number), max_frames = std::size_t(number);
        else if (option == "--max-body")
            good = whole(value, 1024, 1LL << 30, number), max_body = std::size_t(number);
        else if (option == "--max-unpacked")
            good = whole(value, 1024, 1LL << 30, number), max_unpacked = std::size_t(number);
        else if (option == "--player-rate")
            good = rate(value, player_rate);
        else if (option == "--address-rate")
            good = rate(value, address_rate);
        else if (option == "--request-rate")
            good = rate(value, request_rate);
        else if (option == "--shares-per-day")
            good = whole(value, 0, 100000, number), shares_per_day = int(number);
        else if (option == "--max-level")
            good = whole(value, 1024, 1LL << 30, number), max_level = std::size_t(number);
        else {
            error = "unknown option: " + option;
            return false;
        }
        if (!good) {
            error = "cannot use " + option + " " + value;
            return false;
        }
    }
    if (data_folder.empty() == database.empty()) {
        error = "give either --data DIR or --database postgresql://...";
        return false;
    }
    if (!database.empty() && database.rfind("postgresql://", 0) != 0 && database.rfind("postgres://", 0) != 0) {
        error = "--database takes a postgresql:// address";
        return false;
    }
    return true;
}

std::string server_options::usage()
{
    return "Usage: quillax-server (--data DIR | --database postgresql://...) [options]\n"
           "\n"
           "The Quillax leaderboard: ranks only runs it has played again itself.\n"
           "\n"
           "  --data DIR            keep the leaderboard in DIR/quillax.sqlite (DIR is made if missing)\n"
           "  --database URL        keep it in PostgreSQL instead (postgresql://user@host/db)\n"
           "  --levels DIR          also verify runs on the .map files in DIR (repeatable); the\n"
           "                        game's shipped levels are known whenever its data are found\n"
           "  --listen ADDR:PORT    where to serve HTTP (default 127.0.0.1:8080; [::1]:PORT for IPv6)\n"
           "  --workers N           runs verified at once (default: one per core)\n"
           "  --queue N             runs waiting for a worker before \"busy\" (default 32)\n"
           "  --job-seconds S       longest a run's verification may take (default 60)\n"
           "  --timeout S           limit on each read and write of a request (default 20)\n"
           "  --max-frames N        longest run accepted, in frames (default 216000, an hour at 60 fps)\n"
           "  --max-body BYTES      largest request body as sent (default 4194304)\n"
           "  --max-unpacked BYTES  largest body after gzip (default 16777216)\n"
           "  --player-rate N       runs a minute from one player (default 6; 0: no limit)\n"
           "  --address-rate N      runs a minute from one address (default 30; 0: no limit)\n"
           "  --request-rate N      requests a minute from one address (default 1200; 0: no limit)\n"
           "  --shares-per-day N    levels one player may share in 24 hours (default 10; 0: none)\n"
           "  --max-level BYTES     largest level file shared (default 262144)\n"
           "  --help                this text\n";
}
