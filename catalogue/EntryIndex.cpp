#include "EntryIndex.h"

#include "LetterCase.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

size_t hashOf(const QString& key)
{
    return size_t(qHash(QStringView(key), 0));
}

} // namespace

bool EntryIndex::isSeparator(char32_t character)
{
    return character == U' ' || character == U'-' || character == U'.' || character == U'/' ||
           character == U'_';
}

void EntryIndex::keyOf(QStringView text, Key key, QString* out)
{
    out->clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            character = QChar::surrogateToUcs4(text[i], text[++i]);
        if (key == Key::LetterCaseAndSeparators && isSeparator(character))
            continue;
        const char32_t folded = LetterCase::folded(character);
        if (QChar::requiresSurrogates(folded)) {
            out->append(QChar(QChar::highSurrogate(folded)));
            out->append(QChar(QChar::lowSurrogate(folded)));
        } else {
            out->append(QChar(char16_t(folded)));
        }
    }
}

EntryIndex::EntryIndex(CachedList::Entries entries, Key key) : m_entries(std::move(entries)), m_key(key)
{
    const qsizetype count = m_entries ? m_entries->size() : 0;
    // At most three slots in four taken, so that a search meets a free slot soon.
    size_t tableSize = 16;
    while (tableSize * 3 < size_t(count) * 4)
        tableSize *= 2;
    m_slots.assign(tableSize, 0);
    m_mask = tableSize - 1;

    QString entryKey;
    for (qsizetype place = 0; place < count; ++place) {
        keyOf(m_entries->at(place), m_key, &entryKey);
        if (entryKey.isEmpty())
            continue;
        size_t slot = hashOf(entryKey) & m_mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & m_mask;
        m_slots[slot] = quint32(place + 1);
    }
}

std::vector<qsizetype> EntryIndex::equal(QStringView text) const
{
    std::vector<qsizetype> places;
    QString wanted;
    keyOf(text, m_key, &wanted);
    if (wanted.isEmpty())
        return places;
    QString entryKey;
    for (size_t slot = hashOf(wanted) & m_mask; m_slots[slot] != 0; slot = (slot + 1) & m_mask) {
        const qsizetype place = qsizetype(m_slots[slot]) - 1;
        keyOf(m_entries->at(place), m_key, &entryKey);
        if (entryKey == wanted)
            places.push_back(place);
    }
    std::sort(places.begin(), places.end());
    return places;
}

QStringList EntryIndex::equalTexts(QStringView text) const
{
    QStringList texts;
    QSet<QString> seen;
    for (const qsizetype place : equal(text)) {
        const QString entry = m_entries->at(place).toString();
        if (!seen.contains(entry)) {
            seen.insert(entry);
            texts.append(entry);
        }
    }
    return texts;
}

qsizetype EntryIndex::bytes() const
{
    return qsizetype(m_slots.capacity() * sizeof(quint32));
}
