#include "SmallFiles.h"

#include <QFile>

QByteArray readFile(const QString& path, const QByteArray& ifUnreadable)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : ifUnreadable;
}

bool writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode extra)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | extra) && file.write(bytes) == bytes.size();
}
