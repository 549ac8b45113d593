#pragma once

#include <QElapsedTimer>
#include <functional>

// The figure (0-100) an import reports. Copying the rows takes the first quarter and building
// the indexes the rest, as they share the time. The rows count by number and by size alike, so
// that the figure moves through a few thousand photos as through a million short rows. An index is weighed by
// the work SQLite does for it, a few virtual machine steps per row and column, which SQLite reports as it
// goes, so that the figure keeps moving through a long index build. Figures only grow; after a second without
// a new one the last is repeated, so that whoever waits can tell a long step from a hang.
class AccessImportProgress
{
public:
    // `fileBytes`: the Access file's size, a little more than the values it holds.
    AccessImportProgress(const std::function<void(int)>& report, qint64 totalRows, qint64 fileBytes);

    void rows(qint64 done, qint64 bytes);
    // The index builds start; `totalSteps` is what indexSteps() gives for all of them.
    void beginIndexes(qint64 totalSteps);
    // The indexes built so far, weighed as indexSteps() weighs them.
    void indexesBuilt(qint64 stepsSoFar);
    // SQLite took `steps` more steps.
    void working(qint64 steps);

    // What SQLite is expected to take for an index of `columns` columns over `rows` rows.
    static qint64 indexSteps(qint64 rows, int columns);

private:
    void set(int percent);
    void report(int percent);

    const std::function<void(int)>& m_report;
    qint64 m_totalRows;
    qint64 m_fileBytes;
    qint64 m_indexSteps = 0;
    qint64 m_indexStepsDone = 0;
    bool m_indexing = false;
    int m_last = -1;
    QElapsedTimer m_sinceReport;
};
