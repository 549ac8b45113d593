#include "ReadOnlyFolder.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder)
{
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::ExeOther);
    if (geteuid() != 0)
        return;
    // The folders above, made by the test, must let the ordinary user through.
    const QString parent = QFileInfo(m_folder).absolutePath();
    QFile::setPermissions(parent, QFile::permissions(parent) | QFile::ExeOther | QFile::ReadOther);
    m_wasRoot = setegid(Nobody) == 0 && seteuid(Nobody) == 0;
    if (!m_wasRoot)
        qFatal("cannot act as an ordinary user");
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_wasRoot && (seteuid(0) != 0 || setegid(0) != 0))
        qFatal("cannot act as root again");
    QFile::setPermissions(m_folder, QFile::permissions(m_folder) | QFile::WriteOwner);
}
