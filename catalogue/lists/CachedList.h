#pragma once

#include "CancelFlag.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

// How a list value becomes an entry of a drop-down list.
enum class EntryRule
{
    AsStored,            // the value unchanged; null values left out
    Trimmed,             // leading and trailing blanks removed; a null value gives an empty entry
    TrimmedAndScrambled, // trimmed, then passed through ScrambleText; null values left out
};

// The whole result of a one-column query, in result order; an element may be null.
// Copies share their data, and the entries derived from it for a drop-down list are made
// once and shared by every window that shows them. The values never change once read; the
// entries are kept under a lock, so that any thread may ask for them. Lists run to a million
// texts, so the texts are kept end to end in one buffer rather than one allocation each.
class CachedList
{
public:
    // Texts end to end in one buffer, in a given order; read only once made.
    class Texts
    {
    public:
        Texts() = default;
        // The texts end to end in `chars`, each ending where `ends` says.
        Texts(QString chars, std::vector<quint32> ends);

        qsizetype size() const { return qsizetype(m_order.empty() ? m_ends.size() : m_order.size()); }
        // The text at a position of the order.
        QStringView at(qsizetype position) const
        {
            return stored(m_order.empty() ? position : m_order[size_t(position)]);
        }
        QStringList toStringList() const;

        void reserve(qsizetype texts, qsizetype characters);
        void append(QStringView text);
        void appendScrambled(QStringView text);
        // The text as appended, by its place in the buffer.
        QStringView stored(qsizetype index) const
        {
            const quint32 start = index == 0 ? 0 : m_ends[size_t(index) - 1];
            return QStringView(m_chars).mid(start, m_ends[size_t(index)] - start);
        }
        qsizetype storedCount() const { return qsizetype(m_ends.size()); }
        qsizetype characterCount() const { return m_ends.empty() ? 0 : qsizetype(m_ends.back()); }
        // Shows the texts in this order of their places in the buffer.
        void setOrder(std::vector<quint32> order) { m_order = std::move(order); }

        bool operator==(const Texts& other) const
        {
            return m_ends == other.m_ends && m_order == other.m_order && m_chars == other.m_chars;
        }

    private:
        QString m_chars;
        std::vector<quint32> m_ends;
        std::vector<quint32> m_order; // empty: as appended
    };
    using Entries = std::shared_ptr<const Texts>;

    // Collects a list as it is read, its texts decoded straight into one buffer that grows ahead
    // of them; the finished list keeps no spare room.
    class Builder
    {
    public:
        void append(QStringView text);
        void appendUtf8(const char* text, qsizetype bytes);
        void appendNull();
        CachedList finish();

    private:
        // The characters of the texts so far, and room for `characters` more after them.
        qsizetype used() const;
        QChar* room(qsizetype characters);
        void appended(QChar* end, bool null);

        QString m_chars;
        std::vector<quint32> m_ends;
        std::vector<bool> m_nulls;
    };

    CachedList();
    CachedList(const QStringList& values, std::vector<bool> nulls);
    CachedList(Texts values, std::vector<bool> nulls);

    qsizetype size() const { return m_values->storedCount(); }
    bool isEmpty() const { return size() == 0; }
    bool isNull(qsizetype i) const { return m_nulls->at(size_t(i)); }
    QString at(qsizetype i) const { return m_values->stored(i).toString(); }
    QStringView stored(qsizetype i) const { return m_values->stored(i); }

    // True when both lists hold the same values in the same order.
    bool hasSameValues(const CachedList& other) const;

    // The entries shown for this list, sorted alphabetically when `sorted` is set. Made once, by
    // whichever thread asks first, and shared by every copy of the list; a thread that asks while
    // they are being made waits for them.
    Entries entries(EntryRule rule, bool sorted) const;
    // The same, given up between its parts once the flag is set: null then, and nothing kept.
    Entries entries(EntryRule rule, bool sorted, const CancelFlag& cancel) const;
    // Whether those entries are made, or being made by some thread; told without waiting.
    bool entriesUnderWay(EntryRule rule, bool sorted) const;
    // How many entries of a rule the list gives, known without making them.
    qsizetype entryCount(EntryRule rule) const;
    // Tells these entries apart from those of any other list or form, while the list lives.
    const void* entriesIdentity(EntryRule rule, bool sorted) const;

private:
    struct EntryCache;

    static Entries derive(const Texts& values, const std::vector<bool>& nulls, EntryRule rule, bool sorted,
                          const CancelFlag& cancel);

    std::shared_ptr<const Texts> m_values;
    std::shared_ptr<const std::vector<bool>> m_nulls;
    std::shared_ptr<EntryCache> m_cache;
    qsizetype m_nullCount = 0;
};
