#include "AccessBenchFile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace AccessBenchFile {

namespace {

// `path` written from `catalogue` by `writer` with `options`, unless it is newer than the catalogue.
bool written(const QString& catalogue, const QString& path, const QString& writer, const QStringList& options)
{
    const QFileInfo source(catalogue);
    const QFileInfo existing(path);
    if (existing.isFile() && existing.lastModified() >= source.lastModified())
        return true;

    std::fprintf(stderr, "writing %s...\n", qPrintable(existing.fileName()));
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    QProcess write;
    write.setProcessChannelMode(QProcess::ForwardedChannels);
    write.start(writer, options + QStringList{catalogue, partial});
    if (!write.waitForFinished(-1) || write.exitStatus() != QProcess::NormalExit || write.exitCode() != 0) {
        std::fprintf(stderr, "the Jet 4 writer failed: %s\n", qPrintable(writer));
        QFile::remove(partial);
        return false;
    }
    QFile::remove(path);
    return QFile::rename(partial, path);
}

} // namespace

QString ensure(const QString& catalogue, const QString& writer)
{
    const QFileInfo source(catalogue);
    const QString path =
        source.path() + QLatin1Char('/') + source.completeBaseName() + QStringLiteral(".mdb");
    const bool made = written(catalogue, path, writer, {}) &&
                      written(catalogue, encryptedAcePath(path), writer,
                              {QStringLiteral("--ace"), QStringLiteral("--catalogue-password")});
    return made ? path : QString();
}

QString encryptedAcePath(const QString& access)
{
    const QFileInfo mdb(access);
    return mdb.path() + QLatin1Char('/') + mdb.completeBaseName() + QStringLiteral("-encrypted.accdb");
}

} // namespace AccessBenchFile
