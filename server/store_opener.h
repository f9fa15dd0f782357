#pragma once

// Opens the store the command line names: SQLite in DIR/quillax.sqlite
// (making DIR when it is missing) or PostgreSQL at a postgresql:// address.
// Throws std::runtime_error saying what went wrong.

#include "run_store.h"

#include <memory>

struct server_options;

class store_opener {
public:
    static std::unique_ptr<run_store> open(const server_options& options);
};
