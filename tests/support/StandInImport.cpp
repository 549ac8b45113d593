#include "StandInImport.h"

#include "SmallFiles.h"
#include "catalogue/copy/AccessImportProcess.h"

#include <QFile>

StandInImport::StandInImport(const QString& path, const QByteArray& script) : m_ready(write(path, script))
{
    if (m_ready)
        AccessImportProcess::setProgramForTesting(path);
}

StandInImport::~StandInImport()
{
    AccessImportProcess::setProgramForTesting(QString());
}

bool StandInImport::write(const QString& path, const QByteArray& script)
{
    return writeFile(path, "#!/bin/sh\n" + script + "\n") &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
