#pragma once

#include <QByteArray>

class QFileDevice;

// The first hundred bytes of an SQLite database file: how its pages are laid out, and the
// fields that change when pages are added after the last one.
class SqliteFileHeader
{
public:
    // Reads the header of an open file; false when it cannot be read.
    bool read(QFileDevice& file);

    quint32 pageSize() const { return m_pageSize; }
    // The bytes of each page that hold data (the rest is kept for extensions).
    quint32 usableSize() const { return m_usableSize; }
    quint32 pageCount() const { return m_pageCount; }
    // File format 4 and later store the integers 0 and 1 in a record's header alone.
    bool smallConstants() const { return m_smallConstants; }
    // False for files that pages cannot simply be added to: text not in UTF-8, pages kept
    // for incremental vacuum, a size that is not the declared number of pages.
    bool canAppendPages() const { return m_canAppend; }

    // Declares the file `pages` long, under a new change counter that vouches for it.
    bool writePageCount(QFileDevice& file, quint32 pages);

private:
    QByteArray m_bytes;
    quint32 m_pageSize = 0;
    quint32 m_usableSize = 0;
    quint32 m_pageCount = 0;
    bool m_smallConstants = false;
    bool m_canAppend = false;
};
