#include "Jet4LongValueStore.h"

#include "Jet4Format.h"
#include "Jet4PageFile.h"

using namespace Jet4Format;

namespace {

constexpr int kInlineLimit = 64;
constexpr int kChainChunk = kMaxRowSize - 4;

QByteArray reference(std::uint32_t lengthAndFlags, std::uint32_t firstRow)
{
    QByteArray bytes;
    append32(bytes, lengthAndFlags);
    append32(bytes, firstRow);
    append32(bytes, 0);
    return bytes;
}

} // namespace

Jet4LongValueStore::Jet4LongValueStore(Jet4PageFile& file) : m_file(file) {}

std::uint32_t Jet4LongValueStore::addToSharedPage(const QByteArray& row)
{
    if (m_page && !m_page->fits(row.size()))
        flush();
    if (!m_page) {
        m_page = std::make_unique<Jet4DataPage>(Jet4DataPage::longValuePage());
        m_pageNumber = m_file.allocate();
    }
    return pageRow(m_pageNumber, m_page->add(row));
}

QByteArray Jet4LongValueStore::store(const QByteArray& value)
{
    const auto length = static_cast<std::uint32_t>(value.size());
    if (value.size() <= kInlineLimit)
        return reference(length | kLongValueInline, 0) + value;
    if (value.size() <= kMaxRowSize)
        return reference(length | kLongValueSinglePage, addToSharedPage(value));

    const int chunks = (value.size() + kChainChunk - 1) / kChainChunk;
    QByteArray last;
    append32(last, 0);
    last += value.mid((chunks - 1) * kChainChunk);
    std::uint32_t next = addToSharedPage(last);
    for (int i = chunks - 2; i >= 0; --i) {
        QByteArray row;
        append32(row, next);
        row += value.mid(i * kChainChunk, kChainChunk);
        Jet4DataPage page = Jet4DataPage::longValuePage();
        page.add(row);
        const std::uint32_t number = m_file.allocate();
        if (!m_file.write(number, page.build()))
            m_failed = true;
        next = pageRow(number, 0);
    }
    return reference(length, next);
}

bool Jet4LongValueStore::flush()
{
    if (m_page) {
        if (!m_file.write(m_pageNumber, m_page->build()))
            m_failed = true;
        m_page.reset();
    }
    return !m_failed;
}
