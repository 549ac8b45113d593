#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// An Access (Jet 3, Jet 4 or ACE) file opened read-only through the mdbtools library, with
// its catalogue of tables read. A Jet file's database password only masks a header field and
// is not needed; RC4-encoded Jet files are decoded page by page. An ACE file encrypted with
// its database password (AccessOfficeEncryption) is decrypted with it into memory, never
// to disk, and read from there.
class AccessDatabase
{
public:
    // The password the maker's own program opens its catalogue with.
    static const QString kCataloguePassword;

    explicit AccessDatabase(const QString& path, const QString& password = kCataloguePassword);
    ~AccessDatabase();
    AccessDatabase(const AccessDatabase&) = delete;
    AccessDatabase& operator=(const AccessDatabase&) = delete;

    // False when the file is missing, is no Jet 3 or Jet 4 file, is not a whole number of
    // pages long, or its catalogue cannot be read or contradicts itself (AccessSystemCatalogue).
    bool isOpen() const;
    // Why an encrypted file was not opened (a wrong password, an unknown encryption); empty
    // otherwise.
    QString errorString() const { return m_error; }
    // The user tables, as the file names them.
    QStringList tableNames() const;
    // The stored name of a user table matched without regard to case, or an empty string.
    QString findTable(const QString& name) const;

    struct Native;
    Native& native() const { return *m_native; }

private:
    std::unique_ptr<Native> m_native;
    QStringList m_tables;
    QString m_error;
};
