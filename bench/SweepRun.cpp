#include "SweepRun.h"

#include "Median.h"
#include "SmallFiles.h"
#include "catalogue/copy/AccessCopyCache.h"
#include "catalogue/copy/AccessCopySweep.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace SweepRun {

namespace {

// Copies of each sort in the folder.
constexpr int kEach = 10;

enum class Copy
{
    Recent,
    Orphan,
    Unused,
};

// A stand-in copy of a few bytes: the sweep reads names, records and times, never the copies.
bool writeCopy(const QString& path, Copy sort)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("a converted copy") < 0 || !file.flush())
        return false;
    const QDateTime unused = QDateTime::currentDateTime().addDays(-AccessCopySweep::kUnusedDays - 1);
    return sort != Copy::Unused || file.setFileTime(unused, QFileDevice::FileModificationTime);
}

// One sweep over a new folder; NaN when the folder could not be made or the sweep took other
// copies than the stale ones.
double sweptMs()
{
    const QTemporaryDir folder;
    const QDir sources(folder.path());
    const QString cache = folder.filePath(QStringLiteral("cache"));
    if (!folder.isValid() || !QDir().mkpath(cache))
        return NAN;
    QStringList kept;
    QStringList stale;
    for (int i = 0; i < 3 * kEach; ++i) {
        const auto sort = Copy(i % 3);
        const QString source = sources.filePath(QStringLiteral("catalogue-%1.mdb").arg(i));
        const QString copy = AccessCopyCache::copyPath(cache, QFileInfo(source));
        if (!writeFile(source, "an Access file") || !writeCopy(copy, sort))
            return NAN;
        AccessCopyCache::recordSource(copy, QFileInfo(source));
        if (sort == Copy::Orphan)
            QFile::remove(source);
        (sort == Copy::Recent ? kept : stale).append(copy);
    }
    const double ms = timeMs([&] { AccessCopySweep::removeUnwanted(cache); });
    const auto present = [](const QString& copy) {
        return QFile::exists(copy) && QFile::exists(AccessCopyCache::sourceRecordPath(copy));
    };
    const auto gone = [](const QString& copy) {
        return !QFile::exists(copy) && !QFile::exists(AccessCopyCache::sourceRecordPath(copy));
    };
    return std::all_of(kept.begin(), kept.end(), present) && std::all_of(stale.begin(), stale.end(), gone)
               ? ms
               : NAN;
}

} // namespace

Measurement measure(int runs)
{
    Measurement m;
    m.operation =
        QStringLiteral("Access cache sweep, %1 stale copies among %2").arg(2 * kEach).arg(3 * kEach);
    m.kind = Measurement::Kind::Info;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double ms = sweptMs();
        m.correct = m.correct && !std::isnan(ms);
        if (!std::isnan(ms))
            times.push_back(ms);
    }
    m.programMs = medianOf(times);
    std::fprintf(stderr, "  %-28s %9.2f ms\n", qPrintable(m.operation), m.programMs);
    return m;
}

} // namespace SweepRun
