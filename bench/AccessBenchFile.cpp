#include "AccessBenchFile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace AccessBenchFile {

QString ensure(const QString& catalogue, const QString& writer)
{
    const QFileInfo source(catalogue);
    const QString path =
        source.path() + QLatin1Char('/') + source.completeBaseName() + QStringLiteral(".mdb");
    const QFileInfo existing(path);
    if (existing.isFile() && existing.lastModified() >= source.lastModified())
        return path;

    std::fprintf(stderr, "writing the Access copy of %s...\n", qPrintable(source.fileName()));
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    QProcess write;
    write.setProcessChannelMode(QProcess::ForwardedChannels);
    write.start(writer, {catalogue, partial});
    if (!write.waitForFinished(-1) || write.exitStatus() != QProcess::NormalExit || write.exitCode() != 0) {
        std::fprintf(stderr, "the Jet 4 writer failed: %s\n", qPrintable(writer));
        QFile::remove(partial);
        return QString();
    }
    QFile::remove(path);
    return QFile::rename(partial, path) ? path : QString();
}

} // namespace AccessBenchFile
