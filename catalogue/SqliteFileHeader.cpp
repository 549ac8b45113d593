#include "SqliteFileHeader.h"

#include <QFileDevice>
#include <QtEndian>

namespace {

constexpr int kHeaderSize = 100;
constexpr int kPageSize = 16;
constexpr int kReservedBytes = 20;
constexpr int kChangeCounter = 24;
constexpr int kPageCount = 28;
constexpr int kFileFormat = 44;
constexpr int kLargestRootPage = 52;
constexpr int kTextEncoding = 56;
constexpr int kVersionValidFor = 92;
constexpr quint32 kUtf8 = 1;

quint32 get16(const QByteArray& bytes, int offset)
{
    return qFromBigEndian<quint16>(bytes.constData() + offset);
}

quint32 get32(const QByteArray& bytes, int offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

} // namespace

bool SqliteFileHeader::read(QFileDevice& file)
{
    if (!file.seek(0))
        return false;
    m_bytes = file.read(kHeaderSize);
    if (m_bytes.size() != kHeaderSize)
        return false;
    const qint64 fileSize = file.size();
    const quint32 size = get16(m_bytes, kPageSize);
    m_pageSize = size == 1 ? 65536 : size;
    m_canAppend = false;
    if (m_pageSize < 512 || (m_pageSize & (m_pageSize - 1)) != 0)
        return true;
    m_usableSize = m_pageSize - quint8(m_bytes[kReservedBytes]);
    // The declared size holds only when written by the same change as the counter.
    const quint32 declared = get32(m_bytes, kPageCount);
    const bool declaredValid = declared != 0 && get32(m_bytes, kVersionValidFor) == get32(m_bytes, kChangeCounter);
    m_pageCount = declaredValid ? declared : quint32(fileSize / m_pageSize);
    m_smallConstants = get32(m_bytes, kFileFormat) >= 4;
    m_canAppend = m_usableSize >= 480 && get32(m_bytes, kLargestRootPage) == 0 &&
                  get32(m_bytes, kTextEncoding) == kUtf8 && fileSize == qint64(m_pageCount) * m_pageSize;
    return true;
}

bool SqliteFileHeader::writePageCount(QFileDevice& file, quint32 pages)
{
    const quint32 change = get32(m_bytes, kChangeCounter) + 1;
    qToBigEndian(pages, m_bytes.data() + kPageCount);
    qToBigEndian(change, m_bytes.data() + kChangeCounter);
    qToBigEndian(change, m_bytes.data() + kVersionValidFor);
    if (!file.seek(0) || file.write(m_bytes) != m_bytes.size())
        return false;
    m_pageCount = pages;
    return true;
}
