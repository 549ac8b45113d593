#include "AlphabeticalOrder.h"

#include <algorithm>
#include <array>
#include <vector>

namespace AlphabeticalOrder {

namespace {

constexpr char16_t kNotOneUnit = 0xFFFF;

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
        quint64 prefix[kPrefixWords]; // the key's first units, four to a word, zero after its end
        quint32 index;
        quint16 length; // of the key, up to the most that fits
        bool byPrefix;  // the key holds no unit from U+D800 up, so unit order is code point order
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

    // The items, taken out once: the keys stay to compare them by.
    std::vector<Item> takeItems() { return std::move(m_items); }

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

// Whether item a comes before item b in the order: by the keys' prefixes, then the whole keys,
// then the exact characters, then the place in the list. No two items are equal.
class Before
{
public:
    Before(const SortKeys& keys, const std::vector<QStringView>& texts) : m_keys(&keys), m_texts(&texts) {}

    bool operator()(const SortKeys::Item& a, const SortKeys::Item& b) const
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
            const int byKey = m_keys->key(a.index).compare(m_keys->key(b.index));
            if (byKey != 0)
                return byKey < 0;
        }
        const int exact = (*m_texts)[a.index].compare((*m_texts)[b.index]);
        return exact != 0 ? exact < 0 : a.index < b.index;
    }

private:
    const SortKeys* m_keys;
    const std::vector<QStringView>* m_texts;
};

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

int compare(QStringView a, QStringView b)
{
    // As Before orders two texts of a list: by their keys, then by their exact characters.
    const int byKey = sortKey(a.toString()).compare(sortKey(b.toString()));
    return byKey != 0 ? byKey : a.compare(b);
}

std::vector<quint32> order(const std::vector<QStringView>& texts)
{
    SortKeys keys(texts);
    std::vector<SortKeys::Item> items = keys.takeItems();
    const Before before(keys, texts);
    // Lists read with an ORDER BY are often in this order already.
    if (!std::is_sorted(items.begin(), items.end(), before))
        std::sort(items.begin(), items.end(), before);
    std::vector<quint32> places;
    places.reserve(items.size());
    for (const SortKeys::Item& item : items)
        places.push_back(item.index);
    return places;
}

} // namespace AlphabeticalOrder
