#include "StoredFile.h"

#include "TextForms.h"
#include "Windows1252.h"

namespace StoredFile {

QByteArray bytes(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    return Windows1252::encode(value.toString());
}

QString extension(const QByteArray& stored)
{
    return TextForms::trimBlanks(Windows1252::decode(stored.left(ExtensionLength)));
}

bool isPlainExtension(const QString& extension)
{
    for (const QChar c : extension) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')))
            return false;
    }
    return true;
}

} // namespace StoredFile
