#include "IndexPageWriter.h"

#include "SqliteRecord.h"

#include <QFileDevice>
#include <cstring>

namespace {

constexpr char kInteriorIndexPage = 0x02;
constexpr char kLeafIndexPage = 0x0a;
constexpr quint32 kLeafHeader = 8;
constexpr quint32 kInteriorHeader = 12;
// The page holding the byte at 1 GiB is kept for file locks on some systems and never
// holds data.
constexpr quint64 kLockByteOffset = 0x40000000;

void put16(char* out, quint32 value)
{
    out[0] = char((value >> 8) & 0xff);
    out[1] = char(value & 0xff);
}

void put32(char* out, quint32 value)
{
    for (int i = 3; i >= 0; --i) {
        out[i] = char(value & 0xff);
        value >>= 8;
    }
}

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
            put32(cell, leftChild);
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
        put16(page + 3, quint32(m_cells.size()));
        // 65536, the start of an empty content area on the largest pages, is written as 0.
        put16(page + 5, m_end & 0xffff);
        if (m_interior)
            put32(page + 8, rightChild);
        for (size_t i = 0; i < m_cells.size(); ++i)
            put16(page + m_header + 2 * i, m_cells[i].offset);
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
    // Leaves: each full leaf passes the entry that did not fit up to the level above, as the
    // divider between it and the next leaf.
    Page leaf(false, m_pageSize, m_usableSize);
    std::vector<Divider> dividers;
    for (qint64 i = 0; i < count; ++i) {
        const QByteArrayView bytes = entry(i);
        if (bytes.size() > qsizetype(maxEntrySize(m_usableSize)))
            return 0;
        if (leaf.isEmpty() || leaf.fits(bytes.size())) {
            leaf.add(bytes);
            continue;
        }
        if (i + 1 < count) {
            const quint32 full = flush(leaf, 0);
            dividers.push_back({bytes.toByteArray(), full});
            continue;
        }
        // The last entry would leave the last leaf empty: the leaf's own last entry divides.
        Divider divider = leaf.takeLast();
        divider.leftChild = flush(leaf, 0);
        dividers.push_back(std::move(divider));
        leaf.add(bytes);
    }
    const quint32 lastLeaf = flush(leaf, 0);
    const quint32 root = dividers.empty() ? lastLeaf : writeInteriorLevels(std::move(dividers), lastLeaf);
    return m_failed ? 0 : root;
}

quint32 IndexPageWriter::writeInteriorLevels(std::vector<Divider> dividers, quint32 lastChild)
{
    // One level at a time: its cells are the dividers of the level below, each with the page
    // on its left; the page right of the last divider is the level's right-most child.
    while (!dividers.empty()) {
        Page page(true, m_pageSize, m_usableSize);
        std::vector<Divider> above;
        for (size_t i = 0; i < dividers.size(); ++i) {
            Divider& divider = dividers[i];
            if (page.isEmpty() || page.fits(divider.entry.size())) {
                page.add(divider.entry, divider.leftChild);
                continue;
            }
            if (i + 1 < dividers.size()) {
                const quint32 full = flush(page, divider.leftChild);
                above.push_back({std::move(divider.entry), full});
                continue;
            }
            Divider last = page.takeLast();
            const quint32 full = flush(page, last.leftChild);
            above.push_back({std::move(last.entry), full});
            page.add(divider.entry, divider.leftChild);
        }
        lastChild = flush(page, lastChild);
        dividers = std::move(above);
    }
    return lastChild;
}
