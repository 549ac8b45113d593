#include "Jet4DataPage.h"

#include "Jet4Format.h"

#include <cstring>

using namespace Jet4Format;

Jet4DataPage::Jet4DataPage(std::uint32_t owner) : m_owner(owner) {}

Jet4DataPage Jet4DataPage::longValuePage()
{
    Jet4DataPage page(0);
    page.m_longValues = true;
    return page;
}

int Jet4DataPage::freeSpace() const
{
    return kPageSize - kRowOffsetsStart - 2 * m_rows.size() - m_used;
}

bool Jet4DataPage::fits(int rowSize) const
{
    return m_rows.size() < kMaxRowsPerPage && rowSize + 2 <= freeSpace();
}

int Jet4DataPage::add(const QByteArray& row, bool deleted)
{
    return addFlagged(row, deleted ? kDeletedRow : 0);
}

int Jet4DataPage::addFlagged(const QByteArray& row, std::uint32_t flags)
{
    m_rows.append(row);
    m_flags.append(flags);
    m_used += row.size();
    return m_rows.size() - 1;
}

QByteArray Jet4DataPage::build() const
{
    QByteArray page(kPageSize, '\0');
    page[0] = kPageData;
    page[1] = 0x01;
    put16(page, 2, freeSpace());
    if (m_longValues)
        std::memcpy(page.data() + 4, "LVAL", 4);
    else
        put32(page, 4, m_owner);
    put16(page, kRowCountOffset, m_rows.size());
    int end = kPageSize;
    for (int i = 0; i < m_rows.size(); ++i) {
        const QByteArray& row = m_rows.at(i);
        const int start = end - row.size();
        std::memcpy(page.data() + start, row.constData(), row.size());
        put16(page, kRowOffsetsStart + 2 * i, start | m_flags.at(i));
        end = start;
    }
    return page;
}
