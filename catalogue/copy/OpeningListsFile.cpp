#include "OpeningListsFile.h"

#include <QFile>
#include <QFileInfo>

OpeningListsFile OpeningListsFile::read(const QString& path, const QString& copy)
{
    OpeningListsFile file;
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        return file;
    const QByteArray bytes = input.readAll();
    CachedList::Builder builders[OpeningLists::Version];
    QStringList version;
    const QByteArray conversion = QFileInfo(copy).fileName().toUtf8();
    file.ok = OpeningLists::decode(bytes, conversion, [&](int list, OpeningLists::Value value) {
        if (list == OpeningLists::Version)
            version.append(value.data ? QString::fromUtf8(value.data, value.size) : QString());
        else if (value.data)
            builders[list].appendUtf8(value.data, value.size);
        else
            builders[list].appendNull();
    });
    if (!file.ok)
        return file;
    for (int list = 0; list < OpeningLists::Version; ++list)
        file.lists[list] = builders[list].finish();
    file.version = version;
    return file;
}

QStringList OpeningListsFile::versionColumns()
{
    return {QStringLiteral("Versao"),     QStringLiteral("Data"),         QStringLiteral("Revisao"),
            QStringLiteral("TituloLink"), QStringLiteral("LinkPrograma"), QStringLiteral("DicaParaLink")};
}
