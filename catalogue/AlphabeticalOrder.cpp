#include "AlphabeticalOrder.h"

#include "BackgroundWork.h"

#include <algorithm>
#include <array>
#include <vector>

namespace AlphabeticalOrder {

namespace {

constexpr char16_t kNotOneUnit = 0xFFFF;
constexpr size_t kSortedInHalves = 20000;

// The key of each Latin-1 character on its own. A text of such characters has as key the
// keys of its characters in turn (they decompose one by one, and fold one by one), which
// spares the lists of a million references the normalisation of every text.
const std::array<char16_t, 256>& latinKeys()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> keys{};
        for (int c = 0; c < 256; ++c) {
            const QString key = sortKey(QString(QChar(c)));
            keys[size_t(c)] = key.size() == 1 ? key.at(0).unicode() : kNotOneUnit;
        }
        return keys;
    }();
    return table;
}

// The keys of all texts, end to end, with the first twelve units of each packed into
// numbers: most comparisons are decided by those numbers alone.
class SortKeys
{
public:
    static constexpr size_t kPrefixWords = 3;
    static constexpr size_t kPrefixUnits = 4 * kPrefixWords;

    struct Item
    {
        quint64 prefix[kPrefixWords];  // the key's first units, four to a word, zero after its end
        quint32 index;
        quint16 length;  // of the key, up to the most that fits
        bool byPrefix;   // the key holds no unit from U+D800 up, so unit order is code point order
    };

    explicit SortKeys(const std::vector<QStringView>& texts)
    {
        const std::array<char16_t, 256>& latin = latinKeys();
        m_start.reserve(texts.size() + 1);
        m_items.reserve(texts.size());
        // Most keys have a unit per character: their room is made once, not grown.
        size_t characters = 0;
        for (const QStringView text : texts)
            characters += size_t(text.size());
        m_units.reserve(characters);
        for (size_t i = 0; i < texts.size(); ++i) {
            const size_t start = m_units.size();
            m_start.push_back(quint32(start));
            if (!appendLatin(texts[i], latin)) {
                m_units.resize(start);
                const QString key = sortKey(texts[i].toString());
                m_units.insert(m_units.end(), key.utf16(), key.utf16() + key.size());
            }
            Item item{{}, quint32(i), quint16(std::min<size_t>(m_units.size() - start, 0xFFFF)), true};
            for (size_t u = start; u < m_units.size(); ++u) {
                item.byPrefix = item.byPrefix && m_units[u] < 0xD800;
                const size_t at = u - start;
                if (at < 4 * kPrefixWords)
                    item.prefix[at / 4] |= quint64(m_units[u]) << (16 * (3 - at % 4));
            }
            m_items.push_back(item);
        }
        m_start.push_back(quint32(m_units.size()));
    }

    std::vector<Item>& items() { return m_items; }
    const std::vector<Item>& items() const { return m_items; }

    QStringView key(quint32 index) const
    {
        return QStringView(m_units.data() + m_start[index], qsizetype(m_start[index + 1] - m_start[index]));
    }

private:
    bool appendLatin(QStringView text, const std::array<char16_t, 256>& latin)
    {
        for (const QChar c : text) {
            if (c.unicode() > 0xFF || latin[c.unicode()] == kNotOneUnit)
                return false;
            m_units.push_back(latin[c.unicode()]);
        }
        return true;
    }

    std::vector<char16_t> m_units;
    std::vector<quint32> m_start;
    std::vector<Item> m_items;
};

// Whether item a of one set of keys comes before item b of another (or the same) in the order:
// by the keys' prefixes, then the whole keys, then the exact characters, then the place in the
// whole list. No two items are equal.
class Before
{
public:
    struct Side
    {
        const SortKeys* keys;
        const std::vector<QStringView>* texts;
        quint32 offset; // of the set's first text in the whole list
    };

    static bool precedes(const SortKeys::Item& a, const Side& sa, const SortKeys::Item& b, const Side& sb)
    {
        bool keysCompared = false;
        if (a.byPrefix && b.byPrefix) {
            for (size_t w = 0; w < SortKeys::kPrefixWords; ++w) {
                if (a.prefix[w] != b.prefix[w])
                    return a.prefix[w] < b.prefix[w];
            }
            // Keys that fit whole in their prefixes differ only in length.
            if (a.length <= SortKeys::kPrefixUnits && b.length <= SortKeys::kPrefixUnits) {
                if (a.length != b.length)
                    return a.length < b.length;
                keysCompared = true;
            }
        }
        if (!keysCompared) {
            const int byKey = sa.keys->key(a.index).compare(sb.keys->key(b.index));
            if (byKey != 0)
                return byKey < 0;
        }
        const int exact = (*sa.texts)[a.index].compare((*sb.texts)[b.index]);
        return exact != 0 ? exact < 0 : sa.offset + a.index < sb.offset + b.index;
    }
};

// A long list is sorted in two halves at once, on two threads, and the halves merge into the
// one order.
template <typename Less> void sortItems(std::vector<SortKeys::Item>& items, const Less& before)
{
    // Lists read with an ORDER BY are often in this order already.
    if (std::is_sorted(items.begin(), items.end(), before))
        return;
    if (items.size() < kSortedInHalves) {
        std::sort(items.begin(), items.end(), before);
        return;
    }
    const auto middle = items.begin() + std::ptrdiff_t(items.size() / 2);
    const BackgroundWork<bool> firstHalf([&] {
        std::sort(items.begin(), middle, before);
        return true;
    });
    std::sort(middle, items.end(), before);
    firstHalf.take();
    std::inplace_merge(items.begin(), middle, items.end(), before);
}

} // namespace

QString sortKey(const QString& text)
{
    bool plain = true;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            plain = false;
            break;
        }
    }
    if (plain)
        return text.toLower();

    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            key.append(c);
    }
    return key.toCaseFolded();
}

struct SortedPart::Sorted
{
    std::vector<QStringView> texts;
    SortKeys keys;

    explicit Sorted(std::vector<QStringView> partTexts) : texts(std::move(partTexts)), keys(texts)
    {
        const Before::Side side{&keys, &texts, 0};
        sortItems(keys.items(), [&](const SortKeys::Item& a, const SortKeys::Item& b) {
            return Before::precedes(a, side, b, side);
        });
    }
};

SortedPart::SortedPart(std::vector<QStringView> texts)
    : m_sorted(std::make_shared<const Sorted>(std::move(texts)))
{
}

size_t SortedPart::size() const
{
    return m_sorted->texts.size();
}

std::vector<quint32> SortedPart::places() const
{
    const std::vector<SortKeys::Item>& items = m_sorted->keys.items();
    std::vector<quint32> places;
    places.reserve(items.size());
    for (const SortKeys::Item& item : items)
        places.push_back(item.index);
    return places;
}

namespace {

// An item of a part, and the part's place in the whole list.
struct Placed
{
    const SortKeys::Item* item;
    const Before::Side* side;
};
using Run = std::vector<Placed>;

bool placedBefore(const Placed& a, const Placed& b)
{
    return Before::precedes(*a.item, *a.side, *b.item, *b.side);
}

// Neighbouring runs merge two by two until one is left.
Run mergeRuns(std::vector<Run> runs)
{
    while (runs.size() > 1) {
        std::vector<Run> merged;
        merged.reserve((runs.size() + 1) / 2);
        for (size_t r = 0; r + 1 < runs.size(); r += 2) {
            Run both(runs[r].size() + runs[r + 1].size());
            std::merge(runs[r].begin(), runs[r].end(), runs[r + 1].begin(), runs[r + 1].end(), both.begin(),
                       placedBefore);
            merged.push_back(std::move(both));
        }
        if (runs.size() % 2 == 1)
            merged.push_back(std::move(runs.back()));
        runs = std::move(merged);
    }
    return runs.empty() ? Run() : std::move(runs.front());
}

// Two runs merged by two threads: the first half of the first run with what comes before its
// middle item in the second on another thread, the rest here.
Run mergeInHalves(const Run& a, const Run& b)
{
    Run both(a.size() + b.size());
    const auto aMiddle = a.begin() + std::ptrdiff_t(a.size() / 2);
    const auto bMiddle =
        aMiddle == a.end() ? b.end() : std::lower_bound(b.begin(), b.end(), *aMiddle, placedBefore);
    const auto bothMiddle = both.begin() + (aMiddle - a.begin()) + (bMiddle - b.begin());
    const BackgroundWork<bool> firstHalf([&] {
        std::merge(a.begin(), aMiddle, b.begin(), bMiddle, both.begin(), placedBefore);
        return true;
    });
    std::merge(aMiddle, a.end(), bMiddle, b.end(), bothMiddle, placedBefore);
    firstHalf.take();
    return both;
}

} // namespace

std::vector<quint32> merge(const std::vector<SortedPart>& parts)
{
    std::vector<Before::Side> sides;
    sides.reserve(parts.size());
    quint32 offset = 0;
    for (const SortedPart& part : parts) {
        sides.push_back({&part.m_sorted->keys, &part.m_sorted->texts, offset});
        offset += quint32(part.size());
    }
    std::vector<Run> runs;
    for (size_t p = 0; p < parts.size(); ++p) {
        Run run;
        run.reserve(parts[p].size());
        for (const SortKeys::Item& item : parts[p].m_sorted->keys.items())
            run.push_back({&item, &sides[p]});
        runs.push_back(std::move(run));
    }

    Run merged;
    if (runs.size() < 2 || offset < kSortedInHalves) {
        merged = mergeRuns(std::move(runs));
    } else {
        // The first half of the parts merge on another thread, the second here; then both halves
        // merge on the two threads.
        const auto middle = runs.begin() + std::ptrdiff_t(runs.size() / 2);
        std::vector<Run> first(std::make_move_iterator(runs.begin()), std::make_move_iterator(middle));
        std::vector<Run> second(std::make_move_iterator(middle), std::make_move_iterator(runs.end()));
        const BackgroundWork<Run> firstMerged([&first] { return mergeRuns(std::move(first)); });
        const Run secondMerged = mergeRuns(std::move(second));
        merged = mergeInHalves(firstMerged.take(), secondMerged);
    }
    std::vector<quint32> places;
    places.reserve(merged.size());
    for (const Placed& placed : merged)
        places.push_back(placed.side->offset + placed.item->index);
    return places;
}

std::vector<quint32> order(const std::vector<QStringView>& texts)
{
    return SortedPart(texts).places();
}

} // namespace AlphabeticalOrder
