#include "AccessCopySweep.h"

#include "AccessCopyCache.h"

#include <QDateTime>
#include <QFileInfo>

namespace AccessCopySweep {

void removeUnwanted(const QString& directory)
{
    const QDateTime unusedSince = QDateTime::currentDateTime().addDays(-kUnusedDays);
    for (const QString& copy : AccessCopyCache::copies(directory)) {
        // A copy without a record is judged by its age alone.
        const QString source = AccessCopyCache::recordedSource(copy);
        const bool orphan = !source.isEmpty() && !QFileInfo::exists(source);
        if (orphan || QFileInfo(copy).lastModified() < unusedSince)
            AccessCopyCache::removeUnlessInUse(copy);
    }
}

} // namespace AccessCopySweep
