#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <vector>

class QFileDevice;

// Writes the entries of one index, given in index order, as the pages of an SQLite index
// b-tree after the last page of a database file: full leaves from left to right, then each
// level of interior pages above them, so that every page is written once and in file order.
// Each entry lives in exactly one page, and every leaf is at the same depth.
class IndexPageWriter
{
public:
    // `nextPage`: the number the first page written gets.
    IndexPageWriter(QFileDevice& file, quint32 pageSize, quint32 usableSize, quint32 nextPage);

    // The largest entry an index page holds whole. Longer entries need overflow pages, which
    // this writer does not write.
    static quint32 maxEntrySize(quint32 usableSize);

    // `entry(i)` gives the bytes of entry i, valid until the next call.
    using Entries = std::function<QByteArrayView(qint64)>;
    // Writes `count` entries; returns the root page's number, or 0 when the file could not
    // be written.
    quint32 write(qint64 count, const Entries& entry);
    // The number of the page after the last one written.
    quint32 nextPage() const { return m_nextPage; }

private:
    struct Divider
    {
        QByteArray entry;
        quint32 leftChild = 0;
    };
    struct Cell
    {
        QByteArrayView entry;
        quint32 leftChild;
    };
    class Page;

    // Writes one level of pages; returns the last page's number.
    quint32 writeLevel(bool interior, qint64 count, const std::function<Cell(qint64)>& cellAt, quint32 lastChild,
                       std::vector<Divider>* above);
    quint32 flush(Page& page, quint32 rightChild);

    QFileDevice& m_file;
    quint32 m_pageSize;
    quint32 m_usableSize;
    quint32 m_nextPage;
    bool m_failed = false;
};
