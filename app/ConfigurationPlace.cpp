#include "ConfigurationPlace.h"

#include "base/ProgramLocation.h"
#include "catalogue/opened/ConfigurationFile.h"

#include <QFileInfo>

namespace ConfigurationPlace {

Place find()
{
    const QString beside = ConfigurationFile::path();
    // Anything in the file's place beside the program, even what cannot be read, is the
    // configuration: passing it over would hide the fault.
    if (QFileInfo(beside).exists() || QFileInfo(beside).isSymLink())
        return {beside, QString()};
    QString why;
    const QString user = ConfigurationFile::userPath();
    if (user.isEmpty() || !ConfigurationFile::folderTakesNoFile(ProgramLocation::directory(), &why))
        return {beside, QString()};
    return {user, why};
}

} // namespace ConfigurationPlace
