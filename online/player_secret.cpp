#include "player_secret.h"

#include "app/safe_file.h"
#include "app/trimmed.h"

#include <sys/random.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>

std::string player_secret::make()
{
    unsigned char bytes[32];
    size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return "";
        got += size_t(n);
    }
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

bool player_secret::well_formed(const std::string& secret)
{
    return secret.size() == 64 && secret.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::string player_secret::load_or_make(const std::filesystem::path& file, std::string& error)
{
    error.clear();
    std::error_code missing;
    if (std::filesystem::exists(file, missing)) {
        std::ifstream in(file, std::ios::binary);
        std::string line, more;
        std::getline(in, line);
        const std::string secret = trimmed(line);
        // One line, the secret, and nothing after it.
        if (in && well_formed(secret) && !std::getline(in, more)) {
            // Another program may have widened it; only the player reads it.
            ::chmod(file.c_str(), 0600);
            return secret;
        }
        if (safe_file::set_aside(file, "it holds no player secret").empty()) {
            error = "the player secret " + file.string() + " cannot be read or set aside";
            return "";
        }
    }
    const std::string secret = make();
    if (secret.empty()) {
        error = "the system's random source gave no bytes for a player secret";
        return "";
    }
    error = safe_file::write(file, secret + "\n", 0600);
    return error.empty() ? secret : "";
}
