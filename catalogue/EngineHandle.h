#pragma once

struct sqlite3;
class QSqlDatabase;

// The engine's own handle behind a connection; null when the connection is not an SQLite one.
sqlite3* engineHandle(const QSqlDatabase& db);
