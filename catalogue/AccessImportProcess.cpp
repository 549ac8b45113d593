#include "AccessImportProcess.h"

#include "base/ImportProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// How often the time limits are looked at.
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

} // namespace

AccessImportProcess::AccessImportProcess(const QString& program, const QString& accessPath,
                                         const QString& sqlitePath, int silenceLimitMs)
    : m_program(program), m_accessPath(accessPath), m_sqlitePath(sqlitePath), m_silenceLimitMs(silenceLimitMs)
{
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_watch.setInterval(kWatchIntervalMs);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &AccessImportProcess::readProgress);
    connect(&m_process, &QProcess::finished, this, &AccessImportProcess::finish);
    connect(&m_watch, &QTimer::timeout, this, &AccessImportProcess::checkLimits);
}

AccessImportProcess::~AccessImportProcess()
{
    m_process.disconnect(this);
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QString AccessImportProcess::program()
{
    if (!programForTesting().isEmpty())
        return programForTesting();
    const QString path =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(ImportProgram::kName));
    return QFileInfo(path).isExecutable() ? path : QString();
}

void AccessImportProcess::setProgramForTesting(const QString& path)
{
    programForTesting() = path;
}

bool AccessImportProcess::start()
{
    m_process.start(m_program, {m_accessPath, m_sqlitePath}, QIODevice::ReadOnly);
    if (!m_process.waitForStarted()) {
        m_stopped = true;
        finish();
        return false;
    }
    m_deadline.setRemainingTime(timeLimitMs(m_accessPath));
    m_silence.setRemainingTime(m_silenceLimitMs);
    m_watch.start();
    return true;
}

void AccessImportProcess::waitForEnd()
{
    while (!m_ended) {
        // The output and the program's end are handled inside this wait, by the same slots an
        // event loop would call.
        m_process.waitForFinished(kWatchIntervalMs);
        checkLimits();
        if (m_process.state() == QProcess::NotRunning)
            finish();
    }
}

void AccessImportProcess::stop()
{
    if (m_ended)
        return;
    m_stopped = true;
    m_process.kill();
    m_process.waitForFinished();
    finish();
}

void AccessImportProcess::readProgress()
{
    bool heard = false;
    while (m_process.canReadLine()) {
        heard = true;
        const QByteArray line = m_process.readLine().trimmed();
        bool ok = false;
        const int percent = line.startsWith("progress ") ? line.mid(9).toInt(&ok) : 0;
        if (ok && percent > m_last) {
            m_last = qBound(0, percent, 100);
            emit progressed(m_last);
        }
    }
    if (heard)
        m_silence.setRemainingTime(m_silenceLimitMs);
}

void AccessImportProcess::checkLimits()
{
    if (!m_ended && m_process.state() != QProcess::NotRunning &&
        (m_deadline.hasExpired() || m_silence.hasExpired()))
        stop();
}

void AccessImportProcess::finish()
{
    if (m_ended)
        return;
    m_watch.stop();
    readProgress();
    m_ended = true;
    m_succeeded = !m_stopped && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    emit ended(m_succeeded);
}
