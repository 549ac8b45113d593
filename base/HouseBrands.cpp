#include "HouseBrands.h"

#include "NocaseText.h"

namespace HouseBrands {

bool isHouseBrand(const QString& stored)
{
    const QByteArray text = stored.toUtf8();
    return NocaseText::equal(text, storedQV().toUtf8()) || NocaseText::equal(text, storedVestral().toUtf8());
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
