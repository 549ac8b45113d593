#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

// One conversion in the separate import program (access/AccessImportTool), passing its progress
// on and telling when it has ended. A program that crashes, fails, falls silent for too long or
// outlives its time limit (which grows with the file's size) is a failed conversion.
//
// While an event loop runs, the conversion goes on by itself and its signals arrive from that
// loop; waitForEnd() waits without one, for a caller with no windows to keep alive.
class AccessImportProcess : public QObject
{
    Q_OBJECT

public:
    // The import reports at least every second while it works; a silence this long means it hangs.
    static constexpr int kSilenceLimitMs = 20 * 1000;

    // With `listsPath`, the import also writes there the lists the opening of the copy reads,
    // before it builds the copy's indexes (OpeningLists).
    AccessImportProcess(const QString& program, const QString& accessPath, const QString& sqlitePath,
                        int silenceLimitMs = kSilenceLimitMs, const QString& listsPath = QString());
    // A conversion still running is stopped.
    ~AccessImportProcess() override;

    // The import program beside the running program, or an empty string when there is none.
    static QString program();
    // Tests stand another program in its place; an empty path restores the one beside the program.
    static void setProgramForTesting(const QString& path);

    // False when the program does not start; the conversion has then ended, failed.
    bool start();
    bool hasEnded() const { return m_ended; }
    // Whether the import said the lists file is complete.
    bool listsWritten() const { return m_listsWritten; }
    // Whether the copy was written whole; known once the conversion has ended.
    bool succeeded() const { return m_succeeded; }
    // Why a conversion that has ended failed: the import program's own words, or how it ended.
    QString failure() const { return m_failure; }
    // Waits for the end, holding the thread: no event loop runs meanwhile.
    void waitForEnd();
    // The same, until the lists are written or the conversion has ended.
    void waitForLists();
    // Ends the conversion at once, as failed.
    void stop();

signals:
    // How far the conversion has come, 0 to 100, each figure higher than the last.
    void progressed(int percent);
    void listsReady();
    void ended(bool converted);

private:
    // Holds the thread until the end, or the lists written when they will do.
    void waitUntil(bool listsWillDo);
    void readProgress();
    void readError();
    void checkLimits();
    void stopFor(const QString& why);
    QString endedWithout() const;
    void finish();

    QString m_program;
    QString m_accessPath;
    QString m_sqlitePath;
    QString m_listsPath;
    int m_silenceLimitMs;
    QProcess m_process;
    QTimer m_watch;
    QDeadlineTimer m_deadline;
    QDeadlineTimer m_silence;
    int m_last = -1;
    QByteArray m_errorOutput;
    QString m_failure;
    bool m_stopped = false;
    bool m_ended = false;
    bool m_succeeded = false;
    bool m_listsWritten = false;
};
