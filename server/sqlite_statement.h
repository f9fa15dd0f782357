#pragma once

// One prepared SQLite statement, bound and stepped through a thin wrapper;
// reset after each use so it can be used again. Throws std::runtime_error
// with SQLite's message on any failure.

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

class sqlite_statement {
public:
    sqlite_statement(sqlite3* db, const std::string& sql);
    ~sqlite_statement();
    sqlite_statement(const sqlite_statement&) = delete;
    sqlite_statement& operator=(const sqlite_statement&) = delete;

    // Binds the parameters from 1 on, after resetting the statement.
    sqlite_statement& start();
    sqlite_statement& bind(const std::string& value);
    sqlite_statement& bind(std::int64_t value);
    sqlite_statement& bind(double value);
    // True while there is a row to read; false at the end.
    bool step();
    // Steps to the end, for statements that return nothing.
    void run();

    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;

private:
    sqlite3* db;
    sqlite3_stmt* statement = nullptr;
    int next_parameter = 1;
};
