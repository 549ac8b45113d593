#include "CachedList.h"

#include "AlphabeticalOrder.h"
#include "BackgroundWork.h"
#include "TextForms.h"
#include "base/ScrambleText.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Shorter lists take less time to derive than a thread takes to start.
constexpr qsizetype kPreparedApart = 20000;
// Rows of a list read a part at a time: each is derived and sorted in about the time the
// next takes to read, and few enough parts merge quickly.
constexpr qsizetype kPartRows = 8192;

size_t cacheSlot(EntryRule rule, bool sorted)
{
    return size_t(int(rule) * 2 + (sorted ? 1 : 0));
}

// The texts in the order they were appended, for sorting.
std::vector<QStringView> storedViews(const CachedList::Texts& texts)
{
    std::vector<QStringView> views;
    views.reserve(size_t(texts.storedCount()));
    for (qsizetype i = 0; i < texts.storedCount(); ++i)
        views.push_back(texts.stored(i));
    return views;
}

} // namespace

struct CachedList::EntryCache
{
    std::array<Entries, 6> byRule;                      // by rule and order
    std::array<BackgroundWork<Entries>, 6> pending;     // being made on another thread
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
    const qsizetype at = m_chars.size();
    m_chars.resize(at + bytes);
    QChar* out = m_chars.data() + at;
    const auto* in = reinterpret_cast<const uchar*>(text);
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

CachedList::CachedList()
    : CachedList(Texts(), {})
{
}

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

CachedList::CachedList(Texts values, std::vector<bool> nulls)
    : m_cache(std::make_shared<EntryCache>())
{
    nulls.resize(size_t(values.storedCount()), false);
    m_values = std::make_shared<const Texts>(std::move(values));
    m_nulls = std::make_shared<const std::vector<bool>>(std::move(nulls));
}

CachedList::CachedList(std::shared_ptr<const Texts> values, std::vector<bool> nulls)
    : m_values(std::move(values)), m_cache(std::make_shared<EntryCache>())
{
    nulls.resize(size_t(m_values->storedCount()), false);
    m_nulls = std::make_shared<const std::vector<bool>>(std::move(nulls));
}

bool CachedList::hasSameValues(const CachedList& other) const
{
    return m_values == other.m_values
           || (*m_values == *other.m_values && *m_nulls == *other.m_nulls);
}

CachedList::Entries CachedList::entries(EntryRule rule, bool sorted) const
{
    const size_t slot = cacheSlot(rule, sorted);
    Entries& cached = m_cache->byRule[slot];
    if (cached)
        return cached;
    BackgroundWork<Entries>& pending = m_cache->pending[slot];
    if (pending.isValid()) {
        cached = pending.take();
        pending = {};
    } else {
        cached = derive(*m_values, *m_nulls, rule, sorted);
    }
    return cached;
}

void CachedList::prepareEntries(EntryRule rule, bool sorted) const
{
    const size_t slot = cacheSlot(rule, sorted);
    if (m_cache->byRule[slot] || m_cache->pending[slot].isValid())
        return;
    if (size() < kPreparedApart) {
        entries(rule, sorted);
        return;
    }
    m_cache->pending[slot] = BackgroundWork<Entries>(
        [values = m_values, nulls = m_nulls, rule, sorted] { return derive(*values, *nulls, rule, sorted); });
}

CachedList::Entries CachedList::derive(const Texts& values, const std::vector<bool>& nulls, EntryRule rule,
                                       bool sorted)
{
    auto shown = std::make_shared<Texts>();
    // Trimming only shortens the values: their own length is room enough, made once.
    shown->reserve(values.storedCount(), values.characterCount());
    for (qsizetype i = 0; i < values.storedCount(); ++i) {
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
        shown->setOrder(AlphabeticalOrder::order(storedViews(*shown)));
    }
    return shown;
}

struct CachedList::Builder::PartEntries
{
    std::shared_ptr<Texts> shown;
    std::optional<AlphabeticalOrder::SortedPart> order; // when sorted
};

CachedList::Builder::Builder() = default;

CachedList::Builder::Builder(EntryRule rule, bool sorted) : m_prepared(true), m_rule(rule), m_sorted(sorted)
{
}

CachedList::Builder::Builder(Builder&&) noexcept = default;
CachedList::Builder::~Builder() = default;

void CachedList::Builder::append(QStringView text)
{
    m_part.append(text);
    rowAppended(false);
}

void CachedList::Builder::appendUtf8(const char* text, qsizetype bytes)
{
    m_part.appendUtf8(text, bytes);
    rowAppended(false);
}

void CachedList::Builder::appendNull()
{
    m_part.append(QStringView());
    rowAppended(true);
}

void CachedList::Builder::rowAppended(bool null)
{
    m_partNulls.push_back(null);
    if (m_prepared && m_part.storedCount() == kPartRows)
        endPart();
}

void CachedList::Builder::endPart(bool last)
{
    auto values = std::make_shared<const Texts>(std::move(m_part));
    m_part = Texts();
    m_values.push_back(values);
    m_nulls.push_back(std::move(m_partNulls));
    m_partNulls = {};
    if (!m_prepared)
        return;
    // The last part is made here: nothing is left to read beside it.
    if (last) {
        auto entries = std::make_shared<PartEntries>(derivePart(*values, m_nulls.back(), m_rule, m_sorted));
        m_entries.push_back([entries] { return std::move(*entries); });
        return;
    }
    BackgroundWork<std::shared_ptr<PartEntries>> work(
        [values, nulls = m_nulls.back(), rule = m_rule, sorted = m_sorted] {
            return std::make_shared<PartEntries>(derivePart(*values, nulls, rule, sorted));
        });
    m_entries.push_back([work] { return std::move(*work.take()); });
}

CachedList::Builder::PartEntries CachedList::Builder::derivePart(const Texts& values,
                                                                 const std::vector<bool>& nulls,
                                                                 EntryRule rule, bool sorted)
{
    PartEntries part;
    part.shown = std::const_pointer_cast<Texts>(derive(values, nulls, rule, false));
    if (sorted) {
        part.order.emplace(storedViews(*part.shown));
    }
    return part;
}

CachedList CachedList::Builder::finish()
{
    // A short list is made here whole; the last part of a long one is made and merged with the
    // others on a thread of their own, while the caller goes on to its other queries.
    const bool whole = m_values.empty();
    if (m_part.storedCount() > 0 || whole)
        endPart(whole);

    std::shared_ptr<const Texts> values = m_values.front();
    std::vector<bool> nulls = m_nulls.front();
    if (m_values.size() > 1) {
        auto all = std::make_shared<Texts>();
        qsizetype texts = 0;
        qsizetype characters = 0;
        for (const auto& part : m_values) {
            texts += part->storedCount();
            characters += part->characterCount();
        }
        all->reserve(texts, characters);
        nulls.clear();
        for (size_t p = 0; p < m_values.size(); ++p) {
            all->appendAll(*m_values[p]);
            nulls.insert(nulls.end(), m_nulls[p].begin(), m_nulls[p].end());
        }
        values = all;
    }
    CachedList list(values, std::move(nulls));
    if (!m_prepared)
        return list;

    const size_t slot = cacheSlot(m_rule, m_sorted);
    const auto joined = [parts = m_entries, sorted = m_sorted, texts = values->storedCount(),
                         characters = values->characterCount()]() -> Entries {
        std::vector<PartEntries> made;
        for (const auto& take : parts)
            made.push_back(take());
        std::shared_ptr<Texts> shown = made.front().shown;
        if (made.size() > 1) {
            shown = std::make_shared<Texts>();
            shown->reserve(texts, characters);
            for (const PartEntries& part : made)
                shown->appendAll(*part.shown);
        }
        if (sorted) {
            std::vector<AlphabeticalOrder::SortedPart> orders;
            for (PartEntries& part : made)
                orders.push_back(std::move(*part.order));
            shown->setOrder(orders.size() == 1 ? orders.front().places() : AlphabeticalOrder::merge(orders));
        }
        return shown;
    };
    if (whole)
        list.m_cache->byRule[slot] = joined();
    else
        list.m_cache->pending[slot] = BackgroundWork<Entries>(joined);
    return list;
}
