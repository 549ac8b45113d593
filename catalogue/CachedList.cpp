#include "CachedList.h"

#include "AlphabeticalOrder.h"
#include "TextForms.h"
#include "base/ScrambleText.h"

#include <QStringDecoder>

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

void CachedList::Texts::appendAll(const Texts& other)
{
    const quint32 offset = quint32(m_chars.size());
    m_chars.append(other.m_chars);
    for (const quint32 end : other.m_ends)
        m_ends.push_back(offset + end);
}

void CachedList::Texts::appendUtf8(const char* text, qsizetype bytes)
{
    // Decoded straight into the buffer: a UTF-8 text never has more UTF-16 units than bytes.
    // The characters of one and two bytes, all that catalogue texts and their scrambled forms
    // hold, are decoded here: a decoder set up for each of a million short texts would take as
    // long as reading them. Anything else is left to Qt's decoder.
    const auto* in = reinterpret_cast<const uchar*>(text);
    uchar any = 0;
    for (qsizetype i = 0; i < bytes; ++i)
        any |= in[i];
    // Most texts are plain ASCII, which Qt widens many characters at a time.
    if (any < 0x80) {
        m_chars.append(QLatin1StringView(text, bytes));
        m_ends.push_back(quint32(m_chars.size()));
        return;
    }
    const qsizetype at = m_chars.size();
    m_chars.resize(at + bytes);
    QChar* out = m_chars.data() + at;
    const uchar* const end = in + bytes;
    while (in < end) {
        if (in[0] < 0x80) {
            *out++ = QChar(in[0]);
            ++in;
        } else if (in[0] >= 0xC2 && in[0] <= 0xDF && in + 1 < end && (in[1] & 0xC0) == 0x80) {
            *out++ = QChar(char16_t(((in[0] & 0x1F) << 6) | (in[1] & 0x3F)));
            in += 2;
        } else {
            QStringDecoder decoder(QStringDecoder::Utf8);
            out = m_chars.data() + at;
            out = decoder.appendToBuffer(out, QByteArrayView(text, bytes));
            break;
        }
    }
    m_chars.resize(out - m_chars.constData());
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

CachedList::Entries CachedList::entries(EntryRule rule, bool sorted, const WorkPool::CancelFlag& cancel) const
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
                                       bool sorted, const WorkPool::CancelFlag& cancel)
{
    auto shown = std::make_shared<Texts>();
    // Trimming only shortens the values: their own length is room enough, made once.
    shown->reserve(values.storedCount(), values.characterCount());
    for (qsizetype i = 0; i < values.storedCount(); ++i) {
        if (i % kRowsBetweenChecks == 0 && WorkPool::isCancelled(cancel))
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
        if (WorkPool::isCancelled(cancel))
            return nullptr;
        std::vector<QStringView> views;
        views.reserve(size_t(shown->storedCount()));
        for (qsizetype i = 0; i < shown->storedCount(); ++i)
            views.push_back(shown->stored(i));
        shown->setOrder(AlphabeticalOrder::order(views));
    }
    return shown;
}

void CachedList::Builder::append(QStringView text)
{
    m_parts.back().append(text);
    rowAppended(false);
}

void CachedList::Builder::appendUtf8(const char* text, qsizetype bytes)
{
    m_parts.back().appendUtf8(text, bytes);
    rowAppended(false);
}

void CachedList::Builder::appendNull()
{
    m_parts.back().append(QStringView());
    rowAppended(true);
}

void CachedList::Builder::rowAppended(bool null)
{
    constexpr qsizetype kPartRows = 8192;
    m_nulls.push_back(null);
    if (m_parts.back().storedCount() == kPartRows)
        m_parts.emplace_back();
}

CachedList CachedList::Builder::finish()
{
    if (m_parts.size() == 1)
        return CachedList(std::move(m_parts.front()), std::move(m_nulls));
    Texts all;
    qsizetype characters = 0;
    for (const Texts& part : m_parts)
        characters += part.characterCount();
    all.reserve(qsizetype(m_nulls.size()), characters);
    for (Texts& part : m_parts) {
        all.appendAll(part);
        part = Texts();
    }
    return CachedList(std::move(all), std::move(m_nulls));
}
