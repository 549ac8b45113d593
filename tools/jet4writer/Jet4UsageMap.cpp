#include "Jet4UsageMap.h"

#include "Jet4Format.h"
#include "Jet4PageFile.h"

#include <QMap>

#include <algorithm>

using namespace Jet4Format;

namespace {

// Bitmaps longer than this go to usage-map pages so the row leaves room on its page.
constexpr int kInlineBitmapLimit = 512;
constexpr std::uint32_t kPagesPerMapPage = (kPageSize - 4) * 8;

void setBit(QByteArray& bitmap, int offset, std::uint32_t bit)
{
    const int index = offset + static_cast<int>(bit / 8);
    bitmap[index] = static_cast<char>(bitmap.at(index) | (1 << (bit % 8)));
}

} // namespace

namespace Jet4UsageMap {

QByteArray build(const QVector<std::uint32_t>& pages, Jet4PageFile& file)
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!pages.isEmpty()) {
        first = *std::min_element(pages.begin(), pages.end());
        last = *std::max_element(pages.begin(), pages.end());
    }
    const std::uint32_t span = pages.isEmpty() ? 1 : last - first + 1;
    if ((span + 7) / 8 <= kInlineBitmapLimit) {
        QByteArray row(5 + static_cast<int>((span + 7) / 8), '\0');
        put32(row, 1, first);
        for (const std::uint32_t page : pages)
            setBit(row, 5, page - first);
        return row;
    }

    QMap<std::uint32_t, QByteArray> mapPages;
    for (const std::uint32_t page : pages) {
        QByteArray& bitmap = mapPages[page / kPagesPerMapPage];
        if (bitmap.isEmpty()) {
            bitmap = QByteArray(kPageSize, '\0');
            bitmap[0] = kPageUsageMap;
            bitmap[1] = 0x01;
        }
        setBit(bitmap, 4, page % kPagesPerMapPage);
    }
    QByteArray row(1 + 4 * static_cast<int>(mapPages.lastKey() + 1), '\0');
    row[0] = 0x01;
    for (auto it = mapPages.cbegin(); it != mapPages.cend(); ++it) {
        const std::uint32_t number = file.allocate();
        if (!file.write(number, it.value()))
            return {};
        put32(row, 1 + 4 * static_cast<int>(it.key()), number);
    }
    return row;
}

} // namespace Jet4UsageMap
