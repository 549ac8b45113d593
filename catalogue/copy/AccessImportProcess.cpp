#include "AccessImportProcess.h"

#include "ImportProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// How often the time limits are looked at.
constexpr int kWatchIntervalMs = 100;
// The import says why it failed in a line; more is not kept.
constexpr qsizetype kMostErrorOutput = 4096;

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
                                         const QString& sqlitePath, int silenceLimitMs,
                                         const QString& listsPath)
    : m_program(program), m_accessPath(accessPath), m_sqlitePath(sqlitePath), m_listsPath(listsPath),
      m_silenceLimitMs(silenceLimitMs)
{
    m_watch.setInterval(kWatchIntervalMs);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &AccessImportProcess::readProgress);
    connect(&m_process, &QProcess::readyReadStandardError, this, &AccessImportProcess::readError);
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
    QStringList arguments{m_accessPath, m_sqlitePath};
    if (!m_listsPath.isEmpty())
        arguments.append(m_listsPath);
    m_process.start(m_program, arguments, QIODevice::ReadOnly);
    if (!m_process.waitForStarted()) {
        m_stopped = true;
        m_failure = QStringLiteral("o programa de conversão não pôde ser iniciado (%1)").arg(m_program);
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
    waitUntil(false);
}

void AccessImportProcess::waitForLists()
{
    waitUntil(true);
}

void AccessImportProcess::waitUntil(bool listsWillDo)
{
    while (!m_ended && !(listsWillDo && m_listsWritten)) {
        // The output and the program's end are handled inside this wait, by the same slots an
        // event loop would call; for the lists, each line is looked at as it arrives.
        if (listsWillDo)
            m_process.waitForReadyRead(kWatchIntervalMs);
        else
            m_process.waitForFinished(kWatchIntervalMs);
        checkLimits();
        if (m_process.state() == QProcess::NotRunning)
            finish();
    }
}

void AccessImportProcess::stop()
{
    stopFor(QStringLiteral("a conversão foi interrompida"));
}

void AccessImportProcess::stopFor(const QString& why)
{
    if (m_ended)
        return;
    m_stopped = true;
    m_failure = why;
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
        if (line == ImportProgram::kListsWritten && !m_listsPath.isEmpty() && !m_listsWritten) {
            m_listsWritten = true;
            emit listsReady();
            continue;
        }
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

void AccessImportProcess::readError()
{
    const QByteArray output = m_process.readAllStandardError();
    m_errorOutput.append(output.left(kMostErrorOutput - m_errorOutput.size()));
}

void AccessImportProcess::checkLimits()
{
    if (m_ended || m_process.state() == QProcess::NotRunning)
        return;
    if (m_deadline.hasExpired())
        stopFor(QStringLiteral("a conversão passou do tempo que lhe cabe"));
    else if (m_silence.hasExpired())
        stopFor(QStringLiteral("a conversão deixou de responder"));
}

QString AccessImportProcess::endedWithout() const
{
    if (m_process.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("o programa de conversão terminou de forma anormal");
    // Its last line, without the program's name in front.
    const QString said =
        QString::fromLocal8Bit(m_errorOutput).trimmed().split(QLatin1Char('\n')).last().trimmed();
    const QString name = QString::fromLatin1(ImportProgram::kName) + QStringLiteral(": ");
    if (said.isEmpty())
        return QStringLiteral("o programa de conversão terminou com o código %1").arg(m_process.exitCode());
    return said.startsWith(name) ? said.mid(name.size()) : said;
}

void AccessImportProcess::finish()
{
    if (m_ended)
        return;
    m_watch.stop();
    readProgress();
    readError();
    m_ended = true;
    m_succeeded = !m_stopped && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    if (!m_succeeded && !m_stopped)
        m_failure = endedWithout();
    emit ended(m_succeeded);
}
