#include "ReferenceOffers.h"

#include "MatchKey.h"

#include <algorithm>
#include <cstring>

namespace {

// A key's group is made of the classes of its first two units: digits and the letters a to z
// each have a class of their own, other units share the rest. A key of one unit has a group
// of its own after its first unit's others, so that all keys beginning with one unit lie
// side by side.
constexpr int kClasses = 64;
constexpr int kSecondClasses = kClasses + 1;
constexpr int kGroups = kClasses * kSecondClasses;
constexpr quint16 kNoGroup = 0xFFFF; // an empty key never matches

int unitClass(char16_t unit)
{
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0';
    if (unit >= u'a' && unit <= u'z')
        return 10 + (unit - u'a');
    return 36 + int(unit % (kClasses - 36));
}

quint16 groupOf(const char16_t* key, qsizetype length)
{
    if (length == 0)
        return kNoGroup;
    return quint16(unitClass(key[0]) * kSecondClasses + (length > 1 ? unitClass(key[1]) : kClasses));
}

// The `most` smallest places offered, kept in order.
class Smallest
{
public:
    explicit Smallest(int most) : m_most(size_t(most)) { m_places.reserve(m_most + 1); }

    bool full() const { return m_places.size() >= m_most; }
    bool wants(quint32 place) const { return !full() || place < m_places.back(); }
    void offer(quint32 place)
    {
        if (!wants(place))
            return;
        m_places.insert(std::upper_bound(m_places.begin(), m_places.end(), place), place);
        if (m_places.size() > m_most)
            m_places.pop_back();
    }
    const std::vector<quint32>& places() const { return m_places; }

private:
    size_t m_most;
    std::vector<quint32> m_places;
};

} // namespace

ReferenceOffers::ReferenceOffers(CachedList::Entries entries) : m_entries(std::move(entries))
{
    const size_t count = size_t(m_entries->size());
    std::vector<quint16> groups(count);
    std::vector<quint32> lengths(count);
    std::vector<quint32> inGroup(kGroups + 1, 0);
    std::vector<char16_t> key;
    size_t units = 0;
    for (size_t place = 0; place < count; ++place) {
        const QStringView text = m_entries->at(qsizetype(place));
        if (key.size() < 2 * size_t(text.size()))
            key.resize(2 * size_t(text.size()));
        const qsizetype length = MatchKey::append(text, MatchKey::Kind::Everything, key.data());
        groups[place] = groupOf(key.data(), length);
        lengths[place] = quint32(length);
        if (groups[place] != kNoGroup) {
            ++inGroup[groups[place]];
            units += size_t(length);
        }
    }

    // Each group's slots in the list's order.
    m_groupStart.assign(kGroups + 1, 0);
    for (int g = 0; g < kGroups; ++g)
        m_groupStart[size_t(g) + 1] = m_groupStart[size_t(g)] + inGroup[size_t(g)];
    std::vector<quint32> next(m_groupStart.begin(), m_groupStart.end() - 1);
    m_places.resize(m_groupStart.back());
    m_keyEnds.resize(m_groupStart.back());
    std::vector<quint32> slotLength(m_groupStart.back());
    for (size_t place = 0; place < count; ++place) {
        if (groups[place] == kNoGroup)
            continue;
        const quint32 slot = next[groups[place]]++;
        m_places[slot] = quint32(place);
        slotLength[slot] = lengths[place];
    }
    quint32 end = 0;
    for (size_t slot = 0; slot < m_keyEnds.size(); ++slot) {
        end += slotLength[slot];
        m_keyEnds[slot] = end;
    }
    m_keys.resize(units);
    for (size_t slot = 0; slot < m_places.size(); ++slot)
        MatchKey::append(m_entries->at(m_places[slot]), MatchKey::Kind::Everything,
                         m_keys.data() + (m_keyEnds[slot] - slotLength[slot]));
}

std::vector<qsizetype> ReferenceOffers::find(QStringView typed, int most) const
{
    const QString wanted = MatchKey::of(typed, MatchKey::Kind::Everything);
    if (wanted.isEmpty() || most <= 0)
        return {};
    const QString typedFolded = MatchKey::of(typed, MatchKey::Kind::LetterCase);
    const char16_t* wantedUnits = reinterpret_cast<const char16_t*>(wanted.utf16());
    const size_t wantedBytes = size_t(wanted.size()) * sizeof(char16_t);

    // One unit typed: every group that begins with it, which are not in the list's order
    // among themselves. Two or more: one group, in the list's order.
    const int first = unitClass(wantedUnits[0]);
    const bool oneGroup = wanted.size() > 1;
    const size_t from =
        m_groupStart[size_t(first * kSecondClasses + (oneGroup ? unitClass(wantedUnits[1]) : 0))];
    const size_t to = m_groupStart[size_t(first * kSecondClasses +
                                          (oneGroup ? unitClass(wantedUnits[1]) + 1 : kSecondClasses))];

    Smallest asTyped(most);
    Smallest others(most);
    for (size_t slot = from; slot < to; ++slot) {
        const quint32 start = slot == 0 ? 0 : m_keyEnds[slot - 1];
        if (m_keyEnds[slot] - start < quint32(wanted.size()) ||
            std::memcmp(m_keys.data() + start, wantedUnits, wantedBytes) != 0)
            continue;
        const quint32 place = m_places[slot];
        if (!asTyped.wants(place) && !others.wants(place))
            continue;
        if (MatchKey::beginsWith(m_entries->at(place), typedFolded, MatchKey::Kind::LetterCase))
            asTyped.offer(place);
        else
            others.offer(place);
        // Later slots of the group come later in the list: the first offers are all found.
        if (oneGroup && asTyped.full())
            break;
    }

    std::vector<qsizetype> found(asTyped.places().begin(), asTyped.places().end());
    for (const quint32 place : others.places()) {
        if (found.size() >= size_t(most))
            break;
        found.push_back(place);
    }
    return found;
}

qsizetype ReferenceOffers::bytes() const
{
    return qsizetype(m_groupStart.capacity() * sizeof(quint32) + m_places.capacity() * sizeof(quint32) +
                     m_keyEnds.capacity() * sizeof(quint32) + m_keys.capacity() * sizeof(char16_t));
}
