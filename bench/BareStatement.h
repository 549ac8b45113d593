#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One SQL text prepared, bound and stepped straight through the engine's C interface,
// reading every column of every row it steps onto, as the program would.
class BareStatement
{
public:
    BareStatement(sqlite3* db, const QString& sql, const QVariantList& values);
    ~BareStatement();
    BareStatement(const BareStatement&) = delete;
    BareStatement& operator=(const BareStatement&) = delete;

    bool ok() const { return m_statement != nullptr; }
    // Steps onto the next row and reads all its columns; false at the end.
    bool next();

    // Every row's first column; with `keep`, the texts and nulls are also kept.
    qint64 readAll(QStringList* keepTexts = nullptr, std::vector<bool>* keepNulls = nullptr);

private:
    sqlite3_stmt* m_statement = nullptr;
    qint64 m_touched = 0; // bytes read, so the reads are not optimised away
};
