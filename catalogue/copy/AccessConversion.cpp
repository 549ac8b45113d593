#include "AccessConversion.h"

#include "AccessCopyCache.h"
#include "ImportWait.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

AccessConversion::AccessConversion(const QString& accessPath, const QString& copy, bool withLists)
    : m_accessPath(accessPath), m_copy(copy), m_part(AccessCopyCache::temporaryPath(copy)),
      m_lists(withLists ? AccessCopyCache::listsPath(m_part) : QString())
{
}

AccessConversion::~AccessConversion()
{
    if (m_import) {
        m_import->disconnect(this);
        m_import->stop();
    }
    QFile::remove(m_part);
    if (!m_lists.isEmpty())
        QFile::remove(m_lists);
}

bool AccessConversion::start()
{
    // The library reading the file is not proof against every kind of damage (a damaged page
    // map can make it read astray), so the conversion runs in a process of its own, never in
    // this one: without the import program there is no conversion.
    const QString program = AccessImportProcess::program();
    if (program.isEmpty()) {
        m_failure = QStringLiteral("o programa de conversão não está ao lado do programa");
    } else {
        m_lock = AccessCopyCache::lockTemporary(m_part);
        if (!m_lock)
            m_failure = QStringLiteral("a cópia convertida não pôde ser criada em %1")
                            .arg(QFileInfo(m_copy).absolutePath());
    }
    if (!m_failure.isEmpty()) {
        m_ended = true;
        return false;
    }
    m_import = std::make_unique<AccessImportProcess>(program, m_accessPath, m_part,
                                                     AccessImportProcess::kSilenceLimitMs, m_lists);
    connect(m_import.get(), &AccessImportProcess::ended, this, &AccessConversion::keep);
    return m_import->start();
}

void AccessConversion::waitForLists()
{
    if (m_import && !m_ended)
        ImportWait::waitForLists(*m_import);
}

void AccessConversion::waitForEnd()
{
    if (m_import && !m_ended)
        ImportWait::waitForEnd(*m_import);
}

void AccessConversion::keep()
{
    // Another program may have finished the same copy meanwhile; either copy will do.
    const bool converted = m_import->succeeded();
    m_succeeded = converted && (QFile::rename(m_part, m_copy) || QFileInfo::exists(m_copy));
    QFile::remove(m_part);
    // Read by now: the opening takes them before it hands the conversion over.
    if (!m_lists.isEmpty())
        QFile::remove(m_lists);
    if (!m_succeeded) {
        m_failure =
            converted ? QStringLiteral("a cópia convertida não pôde ser guardada") : m_import->failure();
    } else {
        const QFileInfo accessFile(m_accessPath);
        AccessCopyCache::removeStale(QFileInfo(m_copy).absolutePath(), accessFile, m_copy);
        AccessCopyCache::recordSource(m_copy, accessFile);
    }
    m_lock.reset();
    m_ended = true;
    emit ended(m_succeeded);
}
