#include "SizeRunner.h"

#include "AccessRunner.h"
#include "ChildRun.h"
#include "MeasurementLine.h"
#include "MemoryRun.h"
#include "SelfProcess.h"
#include "StartRun.h"
#include "SweepRun.h"

#include <QTextStream>

#include <cstdio>

const Measurement* SizeResult::find(const QString& operation) const
{
    for (const Measurement& m : measurements) {
        if (m.operation == operation)
            return &m;
    }
    return nullptr;
}

namespace SizeRunner {

int memoryMain(const QString& catalogue)
{
    const MemoryRun::Peak peak = MemoryRun::peak(catalogue);
    QTextStream(stdout) << "PEAK\t" << peak.residentKb << '\n' << "OFFERS\t" << peak.offersKb << '\n';
    return peak.residentKb < 0 ? 1 : 0;
}

int childMain(const QString& catalogue, int runs)
{
    ChildRun child(catalogue, runs);
    const bool ok = child.run();
    QTextStream out(stdout);
    for (const Measurement& m : child.measurements() + QList<Measurement>{SweepRun::measure(runs)})
        out << MeasurementLine::format(m) << '\n';
    out << "LISTS\t" << child.listSizes() << '\n';
    out.flush();
    return ok ? 0 : 1;
}

SizeResult run(const QString& size, const QString& catalogue, const QString& access, int runs)
{
    SizeResult result;
    result.size = size;
    std::fprintf(stderr, "%s: %s\n", qPrintable(size), qPrintable(catalogue));
    bool timed = false;
    bool measured = false;
    QStringList lines = SelfProcess::run(
        {QStringLiteral("--child"), catalogue, QStringLiteral("--runs"), QString::number(runs)}, &timed);
    lines += SelfProcess::run({QStringLiteral("--memory"), catalogue}, &measured);
    result.ok = timed && measured;
    for (const QString& line : std::as_const(lines)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        Measurement m;
        if (MeasurementLine::parse(line, &m)) {
            result.measurements.append(m);
        } else if (fields.first() == QLatin1String("PEAK") && fields.size() == 2) {
            result.peakKb = fields[1].toLongLong();
        } else if (fields.first() == QLatin1String("OFFERS") && fields.size() == 2) {
            result.offersKb = fields[1].toLongLong();
        } else if (fields.first() == QLatin1String("LISTS") && fields.size() == 2) {
            result.listSizes = fields[1];
        }
    }
    // Five pairs of new processes, as a user would start them one after the other.
    result.measurements.prepend(StartRun::measure(catalogue, result.listSizes, std::max(5, runs / 2)));
    AccessRunner::add(&result, catalogue, access, runs);
    return result;
}

} // namespace SizeRunner
