#pragma once

#include "AccessImportProcess.h"

#include <QObject>
#include <QString>

#include <memory>

class QLockFile;

// One conversion of an Access file into its copy in the cache, from the start of the import
// program to the copy kept under its own name: the lock on the temporary file the import
// writes, the file of the opening's lists it may write first, and the copy kept at the end
// (older copies of the same file then go, and the copy records its source). A conversion that
// goes unfinished is stopped and what it wrote is removed.
class AccessConversion : public QObject
{
    Q_OBJECT

public:
    // `withLists`: the import also writes the lists the opening reads (OpeningLists).
    AccessConversion(const QString& accessPath, const QString& copy, bool withLists);
    ~AccessConversion() override;

    // False when it could not start; it has ended then, and failure() says why.
    bool start();
    // Wait as ImportWait says: for the lists or the end, or for the end alone.
    void waitForLists();
    void waitForEnd();

    bool listsWritten() const { return m_import && m_import->listsWritten(); }
    QString listsPath() const { return m_lists; }
    // The temporary copy the import writes, which its lists name.
    QString partPath() const { return m_part; }
    QString copyPath() const { return m_copy; }
    bool hasEnded() const { return m_ended; }
    // Whether the copy is in place; known once the conversion has ended.
    bool succeeded() const { return m_succeeded; }
    // Why a conversion that has ended has no copy.
    QString failure() const { return m_failure; }

signals:
    void ended(bool kept);

private:
    void keep();

    QString m_accessPath;
    QString m_copy;
    QString m_part;
    QString m_lists;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<AccessImportProcess> m_import;
    bool m_ended = false;
    bool m_succeeded = false;
    QString m_failure;
};
