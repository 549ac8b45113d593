#include "CachedList.h"

#include "AlphabeticalOrder.h"
#include "TextForms.h"
#include "base/ScrambleText.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

struct CachedList::EntryCache
{
    std::array<Entries, 6> byRule;  // by rule and order
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

void CachedList::Texts::appendUtf8(const char* text, qsizetype bytes)
{
    // Decoded straight into the buffer: a UTF-8 text never has more UTF-16 units than bytes.
    const qsizetype at = m_chars.size();
    m_chars.resize(at + bytes);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QChar* end = decoder.appendToBuffer(m_chars.data() + at, QByteArrayView(text, bytes));
    m_chars.resize(end - m_chars.constData());
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

bool CachedList::hasSameValues(const CachedList& other) const
{
    return m_values == other.m_values
           || (*m_values == *other.m_values && *m_nulls == *other.m_nulls);
}

CachedList::Entries CachedList::entries(EntryRule rule, bool sorted) const
{
    const size_t key = size_t(int(rule) * 2 + (sorted ? 1 : 0));
    Entries& cached = m_cache->byRule[key];
    if (cached)
        return cached;

    std::vector<QStringView> kept;
    kept.reserve(size_t(size()));
    qsizetype characters = 0;
    for (qsizetype i = 0; i < size(); ++i) {
        if (isNull(i)) {
            if (rule == EntryRule::Trimmed)
                kept.push_back(QStringView());
            continue;
        }
        const QStringView value = m_values->stored(i);
        kept.push_back(rule == EntryRule::AsStored ? value : TextForms::trimBlanks(value));
        characters += kept.back().size();
    }

    auto shown = std::make_shared<Texts>();
    shown->reserve(qsizetype(kept.size()), characters);
    for (const QStringView text : kept) {
        if (rule == EntryRule::TrimmedAndScrambled)
            shown->appendScrambled(text);
        else
            shown->append(text);
    }
    if (sorted) {
        std::vector<QStringView> texts;
        texts.reserve(kept.size());
        for (qsizetype i = 0; i < shown->storedCount(); ++i)
            texts.push_back(shown->stored(i));
        shown->setOrder(AlphabeticalOrder::order(texts));
    }
    cached = shown;
    return cached;
}
