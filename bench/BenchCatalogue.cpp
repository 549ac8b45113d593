#include "BenchCatalogue.h"

#include "base/CatalogueSchema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <cstdio>

namespace {

QString schemaDigest()
{
    const QByteArray indexes = CatalogueSchema::createIndexStatements().join(QLatin1Char(';')).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(indexes, QCryptographicHash::Sha1).toHex().left(8));
}

} // namespace

QList<BenchCatalogue> BenchCatalogue::all()
{
    return {
        {QStringLiteral("small"), 3000, 30000},
        {QStringLiteral("medium"), 30000, 300000},
        {QStringLiteral("large"), 100000, 1000000},
    };
}

QString BenchCatalogue::ensure(const QString& folder, const QString& generator) const
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.kvl").arg(name, schemaDigest()));
    if (QFile::exists(path))
        return path;

    std::fprintf(stderr, "making the %s catalogue (%d products, %d cross-references)...\n", qPrintable(name),
                 products, relations);
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    QProcess make;
    make.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    make.start(generator, {QStringLiteral("--products"), QString::number(products),
                           QStringLiteral("--relations"), QString::number(relations), partial});
    if (!make.waitForFinished(-1) || make.exitStatus() != QProcess::NormalExit || make.exitCode() != 0) {
        std::fprintf(stderr, "the generator failed: %s\n", qPrintable(generator));
        return QString();
    }
    return QFile::rename(partial, path) ? path : QString();
}
