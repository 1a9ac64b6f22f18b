// The databases' constructors, each in the file of its own library's calls.
#pragma once

#include <memory>
#include <string>

#include "server/sql_database.h"

namespace server {

// Throws DatabaseError.
std::unique_ptr<SqlDatabase> OpenSqlite(const std::string& path);
std::unique_ptr<SqlDatabase> OpenPostgres(const std::string& address);

}  // namespace server
