#include "AccessImportProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {

// How often the wait looks at the time limits.
constexpr int kWatchIntervalMs = 100;

QString& programForTesting()
{
    static QString path;
    return path;
}

// A minute, plus a second for every 4 MB: many times what a sound file of that size needs.
qint64 timeLimitMs(const QString& accessPath)
{
    return 60 * 1000 + QFileInfo(accessPath).size() / (4 * 1024 * 1024) * 1000;
}

// Passes new figures on; true when the process said anything at all.
bool readProgress(QProcess& process, int* last, const std::function<void(int)>& progress)
{
    bool heard = false;
    while (process.canReadLine()) {
        heard = true;
        const QByteArray line = process.readLine().trimmed();
        bool ok = false;
        const int percent = line.startsWith("progress ") ? line.mid(9).toInt(&ok) : 0;
        if (ok && percent > *last) {
            *last = qBound(0, percent, 100);
            if (progress)
                progress(*last);
        }
    }
    return heard;
}

// Refuses the window system's requests to close a window while a conversion runs: the window
// that started it may be waiting for its result. Clicks and keys are held by the event loop.
class CloseRequestsRefused : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace AccessImportProcess {

QString program()
{
    if (!programForTesting().isEmpty())
        return programForTesting();
    const QString path = QDir(QCoreApplication::applicationDirPath())
                             .filePath(QString::fromLatin1(kProgramName));
    return QFileInfo(path).isExecutable() ? path : QString();
}

void setProgramForTesting(const QString& path)
{
    programForTesting() = path;
}

bool run(const QString& program, const QString& accessPath, const QString& sqlitePath,
         const std::function<void(int)>& progress, int silenceLimitMs)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {accessPath, sqlitePath}, QIODevice::ReadOnly);
    if (!process.waitForStarted())
        return false;

    QEventLoop wait;
    const QDeadlineTimer deadline(timeLimitMs(accessPath));
    QDeadlineTimer silence(silenceLimitMs);
    int last = -1;
    bool stopped = false;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &wait, [&] {
        if (readProgress(process, &last, progress))
            silence.setRemainingTime(silenceLimitMs);
    });
    QObject::connect(&process, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer watch;
    watch.setInterval(kWatchIntervalMs);
    QObject::connect(&watch, &QTimer::timeout, &wait, [&] {
        if (deadline.hasExpired() || silence.hasExpired()) {
            stopped = true;
            process.kill();
        }
    });
    watch.start();

    CloseRequestsRefused closeRequests;
    QCoreApplication* application = QCoreApplication::instance();
    if (application)
        application->installEventFilter(&closeRequests);
    if (process.state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (application)
        application->removeEventFilter(&closeRequests);

    // The wait also ends when the program is told to quit.
    if (process.state() != QProcess::NotRunning) {
        stopped = true;
        process.kill();
        process.waitForFinished();
    }
    readProgress(process, &last, progress);
    return !stopped && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace AccessImportProcess
