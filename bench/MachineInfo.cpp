#include "MachineInfo.h"

#include <QFile>
#include <QThread>

namespace MachineInfo {

namespace {

QString field(const QString& file, const QByteArray& name)
{
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& line : source.readAll().split('\n')) {
        if (line.startsWith(name)) {
            const qsizetype colon = line.indexOf(':');
            return QString::fromUtf8(line.mid(colon + 1).trimmed());
        }
    }
    return QString();
}

} // namespace

QString cpuModel()
{
    const QString model = field(QStringLiteral("/proc/cpuinfo"), "model name");
    return model.isEmpty() ? QStringLiteral("unknown CPU") : model;
}

int cores()
{
    return QThread::idealThreadCount();
}

QString memory()
{
    const qint64 kb =
        field(QStringLiteral("/proc/meminfo"), "MemTotal").split(QLatin1Char(' ')).first().toLongLong();
    return QStringLiteral("%1 GiB RAM").arg(double(kb) / (1024.0 * 1024.0), 0, 'f', 1);
}

QString summary()
{
    return QStringLiteral("%1, %2 cores, %3").arg(cpuModel()).arg(cores()).arg(memory());
}

} // namespace MachineInfo
