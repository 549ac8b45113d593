#pragma once

#include <QByteArray>
#include <QVector>
#include <cstdint>

// A data page being filled: rows are stored from the end of the page towards its header,
// with their start offsets listed after the header. Long-value pages have the same layout
// with the word "LVAL" in place of the owning table's definition page.
class Jet4DataPage
{
public:
    // owner: the table definition page of the table whose rows the page holds.
    explicit Jet4DataPage(std::uint32_t owner);
    static Jet4DataPage longValuePage();

    bool fits(int rowSize) const;
    // Adds the row and returns its number on the page. A deleted row keeps its bytes, its
    // offset marked deleted, as Access leaves it until the file is compacted.
    int add(const QByteArray& row, bool deleted = false);
    // The same with the slot's flags (Jet4Format::kDeletedRow, kOverflowRow) as given.
    int addFlagged(const QByteArray& row, std::uint32_t flags);
    int rowCount() const { return m_rows.size(); }
    int freeSpace() const;
    QByteArray build() const;

private:
    std::uint32_t m_owner;
    bool m_longValues = false;
    QVector<QByteArray> m_rows;
    QVector<std::uint32_t> m_flags;
    int m_used = 0;
};
