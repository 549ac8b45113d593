// The speed-at-scale benchmark. Without arguments: makes (or reuses) the three sample
// catalogues and their Access copies in the build folder, measures each size whole in child
// processes three rounds over, prints one table of the rounds' medians and spreads and writes it
// to bench/results.md.
//
//   lumeo_bench [--sizes small,medium,large] [--rounds N] [--runs N] [--results FILE]
//   lumeo_bench --child CATALOGUE [--runs N]     (the timings of one size; used by the above)
//   lumeo_bench --memory CATALOGUE               (the memory peak of one size)
//   lumeo_bench --start FOLDER                   (the program started from FOLDER, to its first window)
//   lumeo_bench --access-first ACCESS            (one opening of an Access file, converting it)
//   lumeo_bench --access-copy CATALOGUE ACCESS [--runs N]
//                                                (openings of its converted copy, beside the bare ones)

#include "AccessBenchFile.h"
#include "AccessRun.h"
#include "BenchCatalogue.h"
#include "MachineInfo.h"
#include "ResultTable.h"
#include "SizeRounds.h"
#include "SizeRunner.h"
#include "StartRun.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Where the account of earlier runs begins in the results file.
const QByteArray kEarlierRuns = QByteArrayLiteral("## Earlier runs");

QString option(const QStringList& arguments, const QString& name, const QString& fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : fallback;
}

// The offscreen platform says, each time, that it cannot raise the loading window.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int parentMain(const QStringList& arguments)
{
    const int runs = option(arguments, QStringLiteral("--runs"), QStringLiteral("11")).toInt();
    const int rounds =
        std::max(1, option(arguments, QStringLiteral("--rounds"), QStringLiteral("3")).toInt());
    const QStringList wanted =
        option(arguments, QStringLiteral("--sizes"), QStringLiteral("small,medium,large"))
            .split(QLatin1Char(','));
    const double loadAtStart = MachineInfo::loadAverage();
    const QString resultsPath =
        option(arguments, QStringLiteral("--results"), QStringLiteral(LUMEO_SOURCE_DIR "/bench/results.md"));
    const QString here = QCoreApplication::applicationDirPath();
    const QString generator = QDir(here).filePath(QStringLiteral("makecatalogue"));
    const QString writer = QDir(here).filePath(QStringLiteral("jet4writer"));
    const QString folder = QDir(here).filePath(QStringLiteral("bench-catalogues"));

    QList<SizeResult> sizes;
    bool allOk = true;
    for (const BenchCatalogue& catalogue : BenchCatalogue::all()) {
        if (!wanted.contains(catalogue.name))
            continue;
        const QString path = catalogue.ensure(folder, generator);
        const QString access = path.isEmpty() ? QString() : AccessBenchFile::ensure(path, writer);
        if (access.isEmpty())
            return 1;
        QList<SizeResult> measured;
        for (int round = 1; round <= rounds; ++round) {
            std::fprintf(stderr, "round %d of %d\n", round, rounds);
            measured.append(SizeRunner::run(catalogue.name, path, access, runs));
        }
        const SizeResult result = SizeRounds::combine(measured);
        allOk = allOk && result.ok;
        sizes.append(result);
    }

    const ResultTable table(sizes, rounds);
    const QString load = MachineInfo::loadNote(loadAtStart, MachineInfo::loadAverage());
    const QString machine =
        MachineInfo::summary() + (load.isEmpty() ? QString() : QStringLiteral(", ") + load);
    std::printf("\nMachine: %s\n\n%s", qPrintable(machine), qPrintable(table.text()));
    // The new table replaces the last; the account of earlier runs below it stays.
    QFile results(resultsPath);
    QByteArray earlier;
    if (results.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QByteArray old = results.readAll();
        const qsizetype at = old.indexOf(kEarlierRuns);
        if (at >= 0)
            earlier = QByteArrayLiteral("\n") + old.mid(at);
        results.close();
    }
    if (results.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        results.write(table.markdown(machine, QDate::currentDate().toString(Qt::ISODate)).toUtf8() + earlier);
        std::printf("\nWritten to %s\n", qPrintable(resultsPath));
    }
    return allOk ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    bool child = false;
    for (int i = 1; i < argc; ++i) {
        for (const char* flag : {"--child", "--memory", "--access-first", "--access-copy", "--start"})
            child = child || std::strcmp(argv[i], flag) == 0;
    }
    if (!child) {
        QCoreApplication application(argc, argv);
        return parentMain(application.arguments());
    }

    // The windows are real widgets, drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const QString runs = option(arguments, QStringLiteral("--runs"), QStringLiteral("11"));
    if (arguments.contains(QStringLiteral("--start")))
        return StartRun::childMain(option(arguments, QStringLiteral("--start"), QString()));
    if (arguments.contains(QStringLiteral("--memory")))
        return SizeRunner::memoryMain(option(arguments, QStringLiteral("--memory"), QString()));
    if (arguments.contains(QStringLiteral("--access-first")))
        return AccessRun::firstConversionMain(option(arguments, QStringLiteral("--access-first"), QString()));
    if (arguments.contains(QStringLiteral("--access-copy"))) {
        const qsizetype at = arguments.indexOf(QStringLiteral("--access-copy"));
        if (at + 2 >= arguments.size())
            return 2;
        return AccessRun::convertedCopyMain(arguments.at(at + 1), arguments.at(at + 2), runs.toInt());
    }
    return SizeRunner::childMain(option(arguments, QStringLiteral("--child"), QString()), runs.toInt());
}
