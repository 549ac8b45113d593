#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// An Access (Jet 3 or Jet 4) file opened read-only through the mdbtools library, with its
// catalogue of tables read. The file's database password only masks a header field and is
// not needed; RC4-encoded files are decoded page by page.
class AccessDatabase
{
public:
    explicit AccessDatabase(const QString& path);
    ~AccessDatabase();
    AccessDatabase(const AccessDatabase&) = delete;
    AccessDatabase& operator=(const AccessDatabase&) = delete;

    // False when the file is missing, is no Jet 3 or Jet 4 file, is not a whole number of
    // pages long, or its catalogue cannot be read or contradicts itself (AccessSystemCatalogue).
    bool isOpen() const;
    // The user tables, as the file names them.
    QStringList tableNames() const;
    // The stored name of a user table matched without regard to case, or an empty string.
    QString findTable(const QString& name) const;

    struct Native;
    Native& native() const { return *m_native; }

private:
    std::unique_ptr<Native> m_native;
    QStringList m_tables;
};
