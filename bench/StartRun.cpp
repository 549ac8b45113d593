#include "StartRun.h"

#include "BenchQueries.h"
#include "Median.h"
#include "ProgramDriver.h"
#include "RecordingPlatform.h"
#include "app/Main.h"
#include "base/ProgramLocation.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/opened/ConfigurationFile.h"
#include "ui/main/MDIForm1.h"
#include "ui/main/ShowMainWindow.h"
#include "ui/search/ComboBox.h"
#include "ui/search/Form2.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace StartRun {

namespace {

constexpr int kGiveUpMs = 60000;

// The five lists, the count and the version row as the program reads them, with the house
// brands bound as the program binds them.
QString shellScript()
{
    const QVariantList brands = BenchQueries::houseBrands();
    const auto literal = [](const QVariant& value) {
        return QStringLiteral("\"'") + value.toString() + QStringLiteral("'\"");
    };
    QString script = QStringLiteral(".parameter set ?1 %1\n.parameter set ?2 %2\n")
                         .arg(literal(brands.at(0)), literal(brands.at(1)));
    for (const QString& sql : {CatalogueSql::CountHouseReferences, CatalogueSql::HouseReferences,
                               CatalogueSql::Descriptions, CatalogueSql::CompetitorReferences,
                               CatalogueSql::Families, CatalogueSql::Manufacturers, CatalogueSql::Version})
        script += sql + QStringLiteral(";\n");
    return script;
}

// A process from its start to its end, in milliseconds; NaN when it failed.
double timedProcess(QProcess& process, const QString& program, const QStringList& arguments)
{
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    const bool ended = process.waitForFinished(kGiveUpMs);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? ms : NAN;
}

bool ready(MDIForm1* main)
{
    if (!main || !main->isVisible() || !main->windowHandle() || !main->windowHandle()->isExposed())
        return false;
    const QList<Form2*> windows = main->findChildren<Form2*>();
    if (windows.isEmpty() || !windows.first()->isVisible())
        return false;
    Form2* window = windows.first();
    ComboBox* house = ProgramDriver::combo(window, "CbxRef");
    return window->focusWidget() == house && house->count() > 0 &&
           ProgramDriver::combo(window, "comReferences")->count() > 0;
}

} // namespace

int childMain(const QString& folder)
{
    ProgramLocation::setExecutableForTesting(folder + QStringLiteral("/lumeo"));
    RecordingPlatform platform;
    if (!Main())
        return 1;
    QElapsedTimer waited;
    waited.start();
    while (!ready(MainWindow())) {
        if (waited.elapsed() > kGiveUpMs || !platform.messageTexts().isEmpty())
            return 1;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    // What the first paint after that leaves pending.
    QCoreApplication::processEvents();
    std::printf("LISTS\t%s\n", qPrintable(ProgramDriver::listSizes()));
    std::fflush(stdout);
    // The time ends here: nothing is torn down.
    std::_Exit(0);
}

Measurement measure(const QString& catalogue, const QString& listSizes, int pairs)
{
    Measurement m;
    m.operation = QStringLiteral("start to the first search window");
    m.kind = Measurement::Kind::Start;
    QTemporaryDir folder;
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    QFile script(folder.filePath(QStringLiteral("lists.sql")));
    if (!folder.isValid() || shell.isEmpty() ||
        !ConfigurationFile::write(folder.filePath(QStringLiteral("lumeo.cfg")), catalogue) ||
        !script.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "the start cannot be measured (is the sqlite3 shell installed?)\n");
        m.correct = false;
        return m;
    }
    script.write(shellScript().toUtf8());
    script.close();

    std::vector<double> programTimes;
    std::vector<double> bareTimes;
    for (int i = 0; i < pairs; ++i) {
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const double programMs = timedProcess(program, QCoreApplication::applicationFilePath(),
                                              {QStringLiteral("--start"), folder.path()});
        const bool shown = QString::fromUtf8(program.readAllStandardOutput()).trimmed() ==
                           QStringLiteral("LISTS\t") + listSizes;
        QProcess bare;
        bare.setStandardInputFile(script.fileName());
        bare.setStandardOutputFile(QProcess::nullDevice());
        const double bareMs = timedProcess(bare, shell, {QStringLiteral("-batch"), catalogue});
        m.correct = m.correct && shown && !std::isnan(programMs) && !std::isnan(bareMs);
        if (!std::isnan(programMs))
            programTimes.push_back(programMs);
        if (!std::isnan(bareMs))
            bareTimes.push_back(bareMs);
    }
    m.programMs = medianOf(programTimes);
    m.bareMs = medianOf(bareTimes);
    std::fprintf(stderr, "  %-28s %9.2f ms (shell %.2f ms)\n", "start", m.programMs, m.bareMs);
    return m;
}

} // namespace StartRun
