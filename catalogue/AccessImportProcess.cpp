#include "AccessImportProcess.h"

#include "AccessImportTool.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

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

} // namespace

namespace AccessImportProcess {

QString program()
{
    const QString path = QDir(QCoreApplication::applicationDirPath())
                             .filePath(QString::fromLatin1(AccessImportTool::kProgramName));
    return QFileInfo(path).isExecutable() ? path : QString();
}

bool run(const QString& program, const QString& accessPath, const QString& sqlitePath,
         const std::function<void(int)>& progress, int silenceLimitMs)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {accessPath, sqlitePath}, QIODevice::ReadOnly);
    if (!process.waitForStarted())
        return false;
    const QDeadlineTimer deadline(timeLimitMs(accessPath));
    QDeadlineTimer silence(silenceLimitMs);
    int last = -1;
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired() || silence.hasExpired()) {
            process.kill();
            process.waitForFinished();
            return false;
        }
        process.waitForReadyRead(200);
        if (readProgress(process, &last, progress))
            silence.setRemainingTime(silenceLimitMs);
    }
    readProgress(process, &last, progress);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace AccessImportProcess
