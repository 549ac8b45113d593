#include "Fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

const QString Tahoma = QStringLiteral("Tahoma");
const QString SansSerif = QStringLiteral("Liberation Sans");

// Wine's Tahoma when the system has no Tahoma of its own; false when neither is there.
bool haveTahoma()
{
    if (QFontDatabase::hasFamily(Tahoma))
        return true;
    bool loaded = false;
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
            loaded = true;
    }
    return loaded && QFontDatabase::hasFamily(Tahoma);
}

} // namespace

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), SansSerif);
    QFont::insertSubstitution(QStringLiteral("Arial"), SansSerif);
    if (!haveTahoma())
        QFont::insertSubstitution(Tahoma, SansSerif);
}
