#include "CachedList.h"

#include "AlphabeticalOrder.h"
#include "ScrambleText.h"
#include "TextForms.h"
#include "Utf8Text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>

namespace {

// Rows derived between two looks at the cancel flag.
constexpr qsizetype kRowsBetweenChecks = 8192;

size_t cacheSlot(EntryRule rule, bool sorted)
{
    return size_t(int(rule) * 2 + (sorted ? 1 : 0));
}

} // namespace

// The entries of each rule and order, each made under its own lock: a thread that finds them
// being made waits for them instead of making them again. Whether they are under way is told
// without the lock, so that asking never waits for a making.
struct CachedList::EntryCache
{
    struct Slot
    {
        std::mutex making;
        Entries made;
        std::atomic<bool> underWay{false};
    };
    std::array<Slot, 6> byRule;
};

CachedList::Texts::Texts(QString chars, std::vector<quint32> ends)
    : m_chars(std::move(chars)), m_ends(std::move(ends))
{
}

QStringList CachedList::Texts::toStringList() const
{
    QStringList list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list.append(at(i).toString());
    return list;
}

void CachedList::Texts::reserve(qsizetype texts, qsizetype characters)
{
    m_ends.reserve(size_t(texts));
    m_chars.reserve(characters);
}

void CachedList::Texts::append(QStringView text)
{
    m_chars.append(text);
    m_ends.push_back(quint32(m_chars.size()));
}

void CachedList::Texts::appendScrambled(QStringView text)
{
    const qsizetype at = m_chars.size();
    m_chars.resize(at + text.size());
    ScrambleTextInto(text, m_chars.data() + at);
    m_ends.push_back(quint32(m_chars.size()));
}

CachedList::CachedList() : CachedList(Texts(), {}) {}

CachedList::CachedList(const QStringList& values, std::vector<bool> nulls)
{
    Texts texts;
    qsizetype characters = 0;
    for (const QString& value : values)
        characters += value.size();
    texts.reserve(values.size(), characters);
    for (const QString& value : values)
        texts.append(value);
    *this = CachedList(std::move(texts), std::move(nulls));
}

CachedList::CachedList(Texts values, std::vector<bool> nulls) : m_cache(std::make_shared<EntryCache>())
{
    nulls.resize(size_t(values.storedCount()), false);
    m_values = std::make_shared<const Texts>(std::move(values));
    m_nullCount = qsizetype(std::count(nulls.begin(), nulls.end(), true));
    m_nulls = std::make_shared<const std::vector<bool>>(std::move(nulls));
}

bool CachedList::hasSameValues(const CachedList& other) const
{
    return m_values == other.m_values || (*m_values == *other.m_values && *m_nulls == *other.m_nulls);
}

CachedList::Entries CachedList::entries(EntryRule rule, bool sorted) const
{
    return entries(rule, sorted, nullptr);
}

CachedList::Entries CachedList::entries(EntryRule rule, bool sorted, const CancelFlag& cancel) const
{
    EntryCache::Slot& slot = m_cache->byRule[cacheSlot(rule, sorted)];
    const std::lock_guard<std::mutex> lock(slot.making);
    if (!slot.made) {
        slot.underWay = true;
        slot.made = derive(*m_values, *m_nulls, rule, sorted, cancel);
        slot.underWay = slot.made != nullptr;
    }
    return slot.made;
}

bool CachedList::entriesUnderWay(EntryRule rule, bool sorted) const
{
    return m_cache->byRule[cacheSlot(rule, sorted)].underWay;
}

qsizetype CachedList::entryCount(EntryRule rule) const
{
    // Only the trimmed form keeps a null value, as an empty entry.
    return rule == EntryRule::Trimmed ? size() : size() - m_nullCount;
}

const void* CachedList::entriesIdentity(EntryRule rule, bool sorted) const
{
    return &m_cache->byRule[cacheSlot(rule, sorted)];
}

CachedList::Entries CachedList::derive(const Texts& values, const std::vector<bool>& nulls, EntryRule rule,
                                       bool sorted, const CancelFlag& cancel)
{
    auto shown = std::make_shared<Texts>();
    // Trimming only shortens the values: their own length is room enough, made once.
    shown->reserve(values.storedCount(), values.characterCount());
    for (qsizetype i = 0; i < values.storedCount(); ++i) {
        if (i % kRowsBetweenChecks == 0 && isCancelled(cancel))
            return nullptr;
        if (nulls[size_t(i)]) {
            if (rule == EntryRule::Trimmed)
                shown->append(QStringView());
            continue;
        }
        const QStringView value = values.stored(i);
        const QStringView text = rule == EntryRule::AsStored ? value : TextForms::trimBlanks(value);
        if (rule == EntryRule::TrimmedAndScrambled)
            shown->appendScrambled(text);
        else
            shown->append(text);
    }
    if (sorted) {
        if (isCancelled(cancel))
            return nullptr;
        std::vector<QStringView> views;
        views.reserve(size_t(shown->storedCount()));
        for (qsizetype i = 0; i < shown->storedCount(); ++i)
            views.push_back(shown->stored(i));
        shown->setOrder(AlphabeticalOrder::order(views));
    }
    return shown;
}

qsizetype CachedList::Builder::used() const
{
    return m_ends.empty() ? 0 : qsizetype(m_ends.back());
}

QChar* CachedList::Builder::room(qsizetype characters)
{
    const qsizetype used = this->used();
    if (m_chars.size() - used < characters)
        m_chars.resize(std::max(used + characters, m_chars.size() * 2 + 4096));
    return m_chars.data() + used;
}

void CachedList::Builder::appended(QChar* end, bool null)
{
    m_ends.push_back(quint32(end - m_chars.constData()));
    m_nulls.push_back(null);
}

void CachedList::Builder::append(QStringView text)
{
    QChar* out = room(text.size());
    std::copy(text.begin(), text.end(), out);
    appended(out + text.size(), false);
}

void CachedList::Builder::appendUtf8(const char* text, qsizetype bytes)
{
    // A UTF-8 text never has more UTF-16 units than bytes; Qt's decoder asks for one more.
    QChar* const out = room(bytes + 1);
    appended(Utf8Text::decodeInto(QByteArrayView(text, bytes), out), false);
}

void CachedList::Builder::appendNull()
{
    appended(room(0), true);
}

CachedList CachedList::Builder::finish()
{
    m_chars.resize(used());
    m_chars.squeeze();
    m_ends.shrink_to_fit();
    return CachedList(Texts(std::move(m_chars), std::move(m_ends)), std::move(m_nulls));
}
