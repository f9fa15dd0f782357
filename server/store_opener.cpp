#include "store_opener.h"

#include "postgres_store.h"
#include "server_options.h"
#include "sqlite_store.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

std::unique_ptr<run_store> store_opener::open(const server_options& options)
{
    if (!options.database.empty()) {
        std::fprintf(stderr, "quillax-server: keeping the leaderboard in PostgreSQL\n");
        return std::make_unique<postgres_store>(options.database);
    }
    const std::filesystem::path folder = options.data_folder;
    std::error_code failed;
    std::filesystem::create_directories(folder, failed);
    if (failed)
        throw std::runtime_error("Cannot make the data folder " + folder.string() + ": " + failed.message());
    const std::filesystem::path file = folder / "quillax.sqlite";
    std::fprintf(stderr, "quillax-server: keeping the leaderboard in %s\n", file.c_str());
    return std::make_unique<sqlite_store>(file);
}
