#include "sqlite_statement.h"

#include <sqlite3.h>

#include <stdexcept>

namespace {

void check(sqlite3* db, int code)
{
    if (code != SQLITE_OK)
        throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
}

}

sqlite_statement::sqlite_statement(sqlite3* db, const std::string& sql) : db(db)
{
    check(db, sqlite3_prepare_v3(db, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr));
}

sqlite_statement::~sqlite_statement()
{
    sqlite3_finalize(statement);
}

sqlite_statement& sqlite_statement::start()
{
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    next_parameter = 1;
    return *this;
}

sqlite_statement& sqlite_statement::bind(const std::string& value)
{
    check(db, sqlite3_bind_text(statement, next_parameter++, value.data(), int(value.size()), SQLITE_TRANSIENT));
    return *this;
}

sqlite_statement& sqlite_statement::bind(std::int64_t value)
{
    check(db, sqlite3_bind_int64(statement, next_parameter++, value));
    return *this;
}

sqlite_statement& sqlite_statement::bind(double value)
{
    check(db, sqlite3_bind_double(statement, next_parameter++, value));
    return *this;
}

bool sqlite_statement::step()
{
    const int code = sqlite3_step(statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    const std::string message = sqlite3_errmsg(db);
    sqlite3_reset(statement);
    throw std::runtime_error("SQLite: " + message);
}

void sqlite_statement::run()
{
    while (step()) {
    }
    sqlite3_reset(statement);
}

std::int64_t sqlite_statement::integer(int column) const
{
    return sqlite3_column_int64(statement, column);
}

double sqlite_statement::real(int column) const
{
    return sqlite3_column_double(statement, column);
}

std::string sqlite_statement::text(int column) const
{
    const unsigned char* value = sqlite3_column_text(statement, column);
    return value ? std::string(reinterpret_cast<const char*>(value), std::size_t(sqlite3_column_bytes(statement, column)))
                 : std::string();
}
