#include "SizeRunner.h"

#include "ChildRun.h"
#include "MemoryRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTextStream>

#include <cstdio>

namespace SizeRunner {

namespace {

QString number(double value)
{
    return std::isnan(value) ? QStringLiteral("nan") : QString::number(value, 'f', 4);
}

double parse(const QString& text)
{
    return text == QLatin1String("nan") ? NAN : text.toDouble();
}

} // namespace

int memoryMain(const QString& catalogue)
{
    const qint64 peak = MemoryRun::peakKb(catalogue);
    QTextStream(stdout) << "PEAK\t" << peak << '\n';
    return peak < 0 ? 1 : 0;
}

int childMain(const QString& catalogue, int runs)
{
    ChildRun child(catalogue, runs);
    const bool ok = child.run();
    QTextStream out(stdout);
    for (const Measurement& m : child.measurements())
        out << "M\t" << m.operation << '\t' << int(m.kind) << '\t' << number(m.programMs) << '\t'
            << number(m.bareMs) << '\t' << number(m.allowanceMs) << '\t' << int(m.correct) << '\n';
    out << "LISTS\t" << child.listSizes() << '\n';
    out.flush();
    return ok ? 0 : 1;
}

namespace {

// Runs this program again with `arguments` and gives the lines it wrote; empty on a crash.
QStringList runChild(const QStringList& arguments, bool* ok)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    *ok = child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    return QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
}

} // namespace

SizeResult run(const QString& size, const QString& catalogue, int runs)
{
    SizeResult result;
    result.size = size;
    std::fprintf(stderr, "%s: %s\n", qPrintable(size), qPrintable(catalogue));
    bool timed = false;
    bool measured = false;
    QStringList lines = runChild(
        {QStringLiteral("--child"), catalogue, QStringLiteral("--runs"), QString::number(runs)}, &timed);
    lines += runChild({QStringLiteral("--memory"), catalogue}, &measured);
    result.ok = timed && measured;
    for (const QString& line : std::as_const(lines)) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.first() == QLatin1String("M") && parts.size() == 7) {
            result.measurements.append({parts[1], Measurement::Kind(parts[2].toInt()), parse(parts[3]),
                                        parse(parts[4]), parse(parts[5]), parts[6] == QLatin1String("1")});
        } else if (parts.first() == QLatin1String("PEAK") && parts.size() == 2) {
            result.peakKb = parts[1].toLongLong();
        } else if (parts.first() == QLatin1String("LISTS") && parts.size() == 2) {
            result.listSizes = parts[1];
        }
    }
    return result;
}

} // namespace SizeRunner
