#include "AccessImportProcess.h"

#include "AccessImportTool.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// A minute, plus a second for every 4 MB: several times what a sound file of that size needs.
qint64 timeLimitMs(const QString& accessPath)
{
    return 60 * 1000 + QFileInfo(accessPath).size() / (4 * 1024 * 1024) * 1000;
}

void reportProgress(QProcess& process, const std::function<void(int)>& progress)
{
    while (process.canReadLine()) {
        const QByteArray line = process.readLine().trimmed();
        if (line.startsWith("progress ") && progress) {
            bool ok = false;
            const int percent = line.mid(9).toInt(&ok);
            if (ok)
                progress(qBound(0, percent, 100));
        }
    }
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
         const std::function<void(int)>& progress)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {accessPath, sqlitePath}, QIODevice::ReadOnly);
    if (!process.waitForStarted())
        return false;
    const QDeadlineTimer deadline(timeLimitMs(accessPath));
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired()) {
            process.kill();
            process.waitForFinished();
            return false;
        }
        process.waitForReadyRead(qMin<qint64>(deadline.remainingTime(), 200));
        reportProgress(process, progress);
    }
    reportProgress(process, progress);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace AccessImportProcess
