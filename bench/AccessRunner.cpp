#include "AccessRunner.h"

#include "AccessBenchFile.h"
#include "Median.h"
#include "SelfProcess.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace AccessRunner {

namespace {

// A conversion takes seconds on the large catalogue: three runs give a steady median.
constexpr int kFirstConversionRuns = 3;

struct ChildLines
{
    QStringList values; // the fields after the tag
    QString lists;
    bool ok = false;
    bool copied = false; // a converted copy was left in the cache folder
};

// Runs a child whose cache folder is new and empty, so that nothing converted before is found.
ChildLines runWithEmptyCache(const QStringList& arguments, const QString& tag)
{
    ChildLines found;
    QTemporaryDir cache;
    if (!cache.isValid())
        return found;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
    bool ok = false;
    const QStringList lines = SelfProcess::run(arguments, &ok, environment);
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.first() == tag)
            found.values = fields.mid(1);
        else if (fields.first() == QLatin1String("LISTS") && fields.size() == 2)
            found.lists = fields[1];
    }
    // Two times and the outcome.
    found.ok = ok && found.values.size() == 3 && found.values.last() == QLatin1String("1");
    QDirIterator copies(cache.path(), {QStringLiteral("access-*.sqlite")}, QDir::Files,
                        QDirIterator::Subdirectories);
    found.copied = copies.hasNext();
    return found;
}

// The first openings of an Access file, each converting it: medians of the lists' and the whole copy's times.
struct FirstConversion
{
    double listsMs = NAN;
    double wholeMs = NAN;
    bool ok = true;      // every child ran and opened the file
    bool correct = true; // and left its copy, on the SQLite catalogue's lists
};

FirstConversion firstConversions(const QString& access,
                                 const std::function<bool(const ChildLines&)>& sameLists)
{
    FirstConversion found;
    std::vector<double> listsTimes;
    std::vector<double> wholeTimes;
    for (int i = 0; i < kFirstConversionRuns; ++i) {
        const ChildLines child =
            runWithEmptyCache({QStringLiteral("--access-first"), access}, QStringLiteral("FIRST"));
        found.ok = found.ok && child.ok;
        found.correct = found.correct && child.ok && child.copied && sameLists(child);
        if (child.ok) {
            listsTimes.push_back(child.values[0].toDouble());
            wholeTimes.push_back(child.values[1].toDouble());
        }
    }
    found.listsMs = medianOf(listsTimes);
    found.wholeMs = medianOf(wholeTimes);
    return found;
}

qsizetype indexOf(const SizeResult& result, const QString& operation)
{
    for (qsizetype i = 0; i < result.measurements.size(); ++i) {
        if (result.measurements[i].operation == operation)
            return i;
    }
    return -1;
}

} // namespace

void add(SizeResult* result, const QString& catalogue, const QString& access, int runs)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(result->size), qPrintable(access));
    const auto sameLists = [&](const ChildLines& child) {
        return !child.lists.isEmpty() && child.lists == result->listSizes;
    };

    // The program keeps the lists an opening prepared while they come back unchanged, so the
    // OpenCatalogue row times reopening; the opening at start is timed in new processes.
    std::vector<double> startTimes;
    bool startCorrect = true;
    for (int i = 0; i < kFirstConversionRuns; ++i) {
        const ChildLines child =
            runWithEmptyCache({QStringLiteral("--access-first"), catalogue}, QStringLiteral("FIRST"));
        startCorrect = startCorrect && child.ok && sameLists(child);
        if (child.ok)
            startTimes.push_back(child.values[0].toDouble());
    }
    const double startMs = medianOf(startTimes);
    std::fprintf(stderr, "  %-28s %9.2f ms\n", "first opening", startMs);

    const FirstConversion first = firstConversions(access, sameLists);
    const double firstMs = first.listsMs;
    const double wholeMs = first.wholeMs;
    const bool firstCorrect = first.correct;
    bool ok = startCorrect && first.ok;
    std::fprintf(stderr, "  %-28s %9.2f ms\n", "first conversion", firstMs);
    std::fprintf(stderr, "  %-28s %9.2f ms\n", "first conversion, whole", wholeMs);
    // The same catalogue as an encrypted ACE file: decrypted in memory before it is read.
    const FirstConversion encrypted = firstConversions(AccessBenchFile::encryptedAcePath(access), sameLists);
    ok = ok && encrypted.ok;
    std::fprintf(stderr, "  %-28s %9.2f ms\n", "encrypted ACE, first", encrypted.listsMs);

    const ChildLines copy = runWithEmptyCache(
        {QStringLiteral("--access-copy"), catalogue, access, QStringLiteral("--runs"), QString::number(runs)},
        QStringLiteral("COPY"));
    ok = ok && copy.ok;
    const double copyMs = copy.ok ? copy.values[0].toDouble() : NAN;
    const double bareMs = copy.ok ? copy.values[1].toDouble() : NAN;
    std::fprintf(stderr, "  %-28s %9.2f ms\n", "converted copy", copyMs);

    // The converted copy is opened as an SQLite catalogue is: the same allowance of one sort.
    const qsizetype open = indexOf(*result, QStringLiteral("OpenCatalogue"));
    const qsizetype sort = indexOf(*result, QStringLiteral("sort of competitor references"));
    const double sortMs = sort >= 0 ? result->measurements[sort].programMs : NAN;
    const double openBareMs = open >= 0 ? result->measurements[open].bareMs : NAN;
    const QList<Measurement> rows{
        {QStringLiteral("OpenCatalogue, first in a new process"), Measurement::Kind::Opening, startMs,
         openBareMs, sortMs, startCorrect},
        {QStringLiteral("OpenCatalogue, Access file, first conversion"), Measurement::Kind::Conversion,
         firstMs, bareMs, NAN, firstCorrect},
        // What a query asked for at once waits for: the rest of the conversion.
        {QStringLiteral("Access file, first conversion, copy finished"), Measurement::Kind::Info, wholeMs,
         NAN, NAN, firstCorrect},
        {QStringLiteral("OpenCatalogue, encrypted ACE file, first conversion"), Measurement::Kind::Conversion,
         encrypted.listsMs, bareMs, NAN, encrypted.correct},
        {QStringLiteral("OpenCatalogue, Access file, converted copy"), Measurement::Kind::Opening, copyMs,
         bareMs, sortMs, copy.ok && copy.copied && sameLists(copy)},
    };
    const qsizetype at = open >= 0 ? open + 1 : result->measurements.size();
    for (qsizetype i = 0; i < rows.size(); ++i)
        result->measurements.insert(at + i, rows[i]);
    result->ok = result->ok && ok;
}

} // namespace AccessRunner
