#include "MachineInfo.h"

#include <QFile>
#include <QThread>

#include <cmath>

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

double loadAverage()
{
    QFile source(QStringLiteral("/proc/loadavg"));
    if (!source.open(QIODevice::ReadOnly))
        return NAN;
    bool ok = false;
    const double load = source.readAll().split(' ').first().toDouble(&ok);
    return ok ? load : NAN;
}

QString loadNote(double atStart, double atEnd)
{
    if (std::isnan(atStart) || std::isnan(atEnd))
        return QString();
    const QString note = QStringLiteral("1-minute load %1 at the start, %2 at the end")
                             .arg(atStart, 0, 'f', 2)
                             .arg(atEnd, 0, 'f', 2);
    // Other work on a shared machine slows every figure; the table says so rather than hide it.
    // The figure at the end includes the runs themselves.
    return atStart < 1.0
               ? note
               : note + QStringLiteral(" (other work was running at the start, so the times may be high)");
}

} // namespace MachineInfo
