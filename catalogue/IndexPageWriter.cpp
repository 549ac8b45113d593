#include "IndexPageWriter.h"

#include "SqliteRecord.h"

#include <QFileDevice>
#include <QtEndian>
#include <cstring>

namespace {

constexpr char kInteriorIndexPage = 0x02;
constexpr char kLeafIndexPage = 0x0a;
constexpr quint32 kLeafHeader = 8;
constexpr quint32 kInteriorHeader = 12;
// The page holding the byte at 1 GiB is kept for file locks on some systems and never
// holds data.
constexpr quint64 kLockByteOffset = 0x40000000;

} // namespace

// One page being filled: cells are written against the page's end as they come, and the
// header and cell pointers when the page is complete.
class IndexPageWriter::Page
{
public:
    Page(bool interior, quint32 pageSize, quint32 usableSize)
        : m_interior(interior), m_header(interior ? kInteriorHeader : kLeafHeader), m_usableSize(usableSize),
          m_bytes(int(pageSize), '\0')
    {
        clear();
    }

    bool isEmpty() const { return m_cells.empty(); }
    bool fits(qsizetype entrySize) const { return m_used + cellSize(entrySize) + 2 <= m_usableSize; }
    void add(QByteArrayView entry, quint32 leftChild = 0)
    {
        const quint32 size = cellSize(entry.size());
        m_end -= size;
        char* cell = m_bytes.data() + m_end;
        if (m_interior) {
            qToBigEndian(leftChild, cell);
            cell += 4;
        }
        cell += SqliteRecord::putVarint(cell, quint64(entry.size()));
        std::memcpy(cell, entry.data(), size_t(entry.size()));
        m_cells.push_back({m_end, quint32(entry.size()), leftChild});
        m_used += size + 2;
    }
    Divider takeLast()
    {
        const Cell last = m_cells.back();
        const quint32 size = cellSize(last.entrySize);
        const char* entry = m_bytes.constData() + last.offset + (m_interior ? 4 : 0) +
                            SqliteRecord::varintLength(last.entrySize);
        Divider divider{QByteArray(entry, int(last.entrySize)), last.leftChild};
        std::memset(m_bytes.data() + last.offset, 0, size);
        m_cells.pop_back();
        m_end += size;
        m_used -= size + 2;
        return divider;
    }
    // Completes the header and cell pointers; the bytes stay valid until clear().
    const QByteArray& finish(quint32 rightChild)
    {
        char* page = m_bytes.data();
        page[0] = m_interior ? kInteriorIndexPage : kLeafIndexPage;
        qToBigEndian(quint16(m_cells.size()), page + 3);
        // 65536, the start of an empty content area on the largest pages, is written as 0.
        qToBigEndian(quint16(m_end & 0xffff), page + 5);
        if (m_interior)
            qToBigEndian(rightChild, page + 8);
        for (size_t i = 0; i < m_cells.size(); ++i)
            qToBigEndian(quint16(m_cells[i].offset), page + m_header + 2 * i);
        return m_bytes;
    }
    void clear()
    {
        m_bytes.fill('\0');
        m_cells.clear();
        m_end = m_usableSize;
        m_used = m_header;
    }

private:
    struct Cell
    {
        quint32 offset;
        quint32 entrySize;
        quint32 leftChild;
    };

    quint32 cellSize(qsizetype entrySize) const
    {
        // SQLite takes no cell to be shorter than four bytes.
        const quint32 size = quint32(SqliteRecord::varintLength(quint64(entrySize)) + entrySize);
        return (m_interior ? 4 : 0) + qMax(size, 4u);
    }

    bool m_interior;
    quint32 m_header;
    quint32 m_usableSize;
    QByteArray m_bytes;
    std::vector<Cell> m_cells;
    quint32 m_end = 0;
    quint32 m_used = 0;
};

IndexPageWriter::IndexPageWriter(QFileDevice& file, quint32 pageSize, quint32 usableSize, quint32 nextPage)
    : m_file(file), m_pageSize(pageSize), m_usableSize(usableSize), m_nextPage(nextPage)
{
}

quint32 IndexPageWriter::maxEntrySize(quint32 usableSize)
{
    return (usableSize - 12) * 64 / 255 - 23;
}

quint32 IndexPageWriter::flush(Page& page, quint32 rightChild)
{
    if (m_nextPage == kLockByteOffset / m_pageSize + 1) {
        const QByteArray unused(int(m_pageSize), '\0');
        m_failed = m_failed || m_file.write(unused) != unused.size();
        ++m_nextPage;
    }
    const QByteArray& bytes = page.finish(rightChild);
    m_failed = m_failed || m_file.write(bytes) != bytes.size();
    page.clear();
    return m_nextPage++;
}

quint32 IndexPageWriter::write(qint64 count, const Entries& entry)
{
    // The leaves, then one level at a time above them: a level's cells are the dividers of
    // the level below, each with the page on its left; the page right of the last divider is
    // the level's right-most child.
    std::vector<Divider> dividers;
    quint32 top = writeLevel(false, count, [&](qint64 i) { return Cell{entry(i), 0}; }, 0, &dividers);
    while (!dividers.empty() && !m_failed) {
        std::vector<Divider> above;
        const auto cell = [&](qint64 i) {
            const Divider& divider = dividers[size_t(i)];
            return Cell{QByteArrayView(divider.entry), divider.leftChild};
        };
        top = writeLevel(true, qint64(dividers.size()), cell, top, &above);
        dividers = std::move(above);
    }
    return m_failed ? 0 : top;
}

quint32 IndexPageWriter::writeLevel(bool interior, qint64 count, const std::function<Cell(qint64)>& cellAt,
                                    quint32 lastChild, std::vector<Divider>* above)
{
    // Each full page passes the cell that did not fit up to the level above, as the divider
    // between it and the next page.
    Page page(interior, m_pageSize, m_usableSize);
    const qsizetype longest = qsizetype(maxEntrySize(m_usableSize));
    for (qint64 i = 0; i < count; ++i) {
        const Cell cell = cellAt(i);
        if (cell.entry.size() > longest) {
            m_failed = true;
            return 0;
        }
        if (page.isEmpty() || page.fits(cell.entry.size())) {
            page.add(cell.entry, cell.leftChild);
            continue;
        }
        if (i + 1 < count) {
            const quint32 full = flush(page, cell.leftChild);
            above->push_back({cell.entry.toByteArray(), full});
            continue;
        }
        // The last cell would leave the last page empty: the page's own last cell divides.
        Divider last = page.takeLast();
        const quint32 full = flush(page, last.leftChild);
        above->push_back({std::move(last.entry), full});
        page.add(cell.entry, cell.leftChild);
    }
    return flush(page, lastChild);
}
