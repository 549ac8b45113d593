#include "EntryPlace.h"

#include "AlphabeticalOrder.h"

EntryPlace EntryPlace::of(const CachedList::Texts& sorted, QStringView text)
{
    qsizetype low = 0;
    qsizetype high = sorted.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (AlphabeticalOrder::compare(sorted.at(middle), text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return EntryPlace{low, low < sorted.size() && sorted.at(low) == text};
}
