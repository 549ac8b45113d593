#include "HouseBrands.h"

#include <sqlite3.h>

namespace HouseBrands {

namespace {

// NOCASE as the engine has it: equal lengths and equal bytes with ASCII letters folded.
bool equalNoCase(const QByteArray& a, const QByteArray& b)
{
    return a.size() == b.size() && sqlite3_strnicmp(a.constData(), b.constData(), int(a.size())) == 0;
}

} // namespace

bool isHouseBrand(const QString& stored)
{
    const QByteArray text = stored.toUtf8();
    return equalNoCase(text, storedQV().toUtf8()) || equalNoCase(text, storedVestral().toUtf8());
}

QStringList withoutHouseBrands(const QStringList& stored)
{
    QStringList competitors;
    for (const QString& manufacturer : stored) {
        if (!isHouseBrand(manufacturer))
            competitors.append(manufacturer);
    }
    return competitors;
}

} // namespace HouseBrands
