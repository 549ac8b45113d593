#include "AccessOpeningLists.h"

#include "AccessRowBatch.h"
#include "base/HouseBrands.h"
#include "base/NocaseText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <thread>
#include <unordered_map>

namespace {

using OpeningLists::Value;
using Column = AccessOpeningLists::Column;
using NocaseText::folded;

// Below this many rows a sort is not worth a second thread.
constexpr size_t kRowsForTwoThreads = 50000;

// SQLite's NOCASE, nulls first: ASCII letters folded, the bytes compared up to the shorter
// length, where a NUL in both ends the comparison, and then the shorter text first.
int compareNocase(Value a, Value b)
{
    if (!a.data || !b.data)
        return int(a.data != nullptr) - int(b.data != nullptr);
    const auto* x = reinterpret_cast<const unsigned char*>(a.data);
    const auto* y = reinterpret_cast<const unsigned char*>(b.data);
    const qsizetype common = std::min(a.size, b.size);
    for (qsizetype i = 0; i < common; ++i) {
        if (x[i] == 0) {
            if (y[i] != 0)
                return -int(folded(y[i]));
            break;
        }
        if (folded(x[i]) != folded(y[i]))
            return int(folded(x[i])) - int(folded(y[i]));
    }
    return a.size < b.size ? -1 : int(a.size > b.size);
}

// A row with the first 32 folded bytes of its first key, up to a NUL: keys whose beginnings
// differ are ordered by them alone, without reaching the row's values.
struct SortKey
{
    quint64 start[4] = {};
    quint32 row = 0;
};

SortKey sortKey(Value value, quint32 row)
{
    constexpr qsizetype kBytes = sizeof(SortKey::start);
    unsigned char bytes[kBytes] = {};
    const qsizetype size = value.data ? std::min(value.size, kBytes) : 0;
    for (qsizetype i = 0; i < size && value.data[i] != 0; ++i)
        bytes[i] = folded(static_cast<unsigned char>(value.data[i]));
    SortKey key;
    for (int i = 0; i < kBytes; ++i)
        key.start[i / 8] = key.start[i / 8] << 8 | bytes[i];
    key.row = row;
    return key;
}

template <typename Less> void sortOnTwoThreads(std::vector<SortKey>& keys, const Less& less)
{
    if (keys.size() < kRowsForTwoThreads) {
        std::sort(keys.begin(), keys.end(), less);
        return;
    }
    const auto middle = keys.begin() + std::ptrdiff_t(keys.size() / 2);
    std::thread firstHalf([&] { std::sort(keys.begin(), middle, less); });
    std::sort(middle, keys.end(), less);
    firstHalf.join();
    std::inplace_merge(keys.begin(), middle, keys.end(), less);
}

// Rows in the order of an index on the key columns: the keys, then the order of storage.
std::vector<quint32> ordered(const std::vector<quint32>& rows, const std::vector<const Column*>& keys)
{
    std::vector<SortKey> sorted;
    sorted.reserve(rows.size());
    for (const quint32 row : rows)
        sorted.push_back(sortKey(keys.front()->value(row), row));
    sortOnTwoThreads(sorted, [&keys](const SortKey& a, const SortKey& b) {
        for (int i = 0; i < 4; ++i) {
            if (a.start[i] != b.start[i])
                return a.start[i] < b.start[i];
        }
        for (const Column* key : keys) {
            const int order = compareNocase(key->value(a.row), key->value(b.row));
            if (order != 0)
                return order < 0;
        }
        return a.row < b.row;
    });
    std::vector<quint32> result;
    result.reserve(sorted.size());
    for (const SortKey& key : sorted)
        result.push_back(key.row);
    return result;
}

std::vector<quint32> allRows(const Column& column)
{
    std::vector<quint32> rows(column.spans.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = quint32(i);
    return rows;
}

struct NocaseHash
{
    size_t operator()(Value value) const
    {
        return value.data ? NocaseText::hash(QByteArrayView(value.data, value.size)) : 0;
    }
};

struct NocaseEqual
{
    bool operator()(Value a, Value b) const { return compareNocase(a, b) == 0; }
};

// One row for each group of values equal under NOCASE, in the groups' order: the row that
// `earlier(a, b)` puts first of its group (`rows` come in storage order).
template <typename Earlier>
std::vector<quint32> oneOfEachGroup(const Column& column, const std::vector<quint32>& rows,
                                    const Earlier& earlier)
{
    std::unordered_map<Value, quint32, NocaseHash, NocaseEqual> groups;
    quint32* last = nullptr;
    Value lastValue;
    for (const quint32 row : rows) {
        const Value value = column.value(row);
        // Rows of one value often come together: the same bytes need no look-up.
        const bool same = last && value.data && lastValue.data && value.size == lastValue.size &&
                          std::memcmp(value.data, lastValue.data, size_t(value.size)) == 0;
        if (!same) {
            last = &groups.try_emplace(value, row).first->second;
            lastValue = value;
        }
        if (earlier(row, *last))
            *last = row;
    }
    std::vector<quint32> first;
    first.reserve(groups.size());
    for (const auto& group : groups)
        first.push_back(group.second);
    return ordered(first, {&column});
}

// The first stored row of each group, as a distinct list or a group read through an index of
// that column alone keeps it.
std::vector<quint32> firstOfEachGroup(const Column& column)
{
    return oneOfEachGroup(column, allRows(column), std::less<quint32>());
}

std::vector<Value> valuesOf(const Column& column, const std::vector<quint32>& rows)
{
    std::vector<Value> values;
    values.reserve(rows.size());
    for (const quint32 row : rows)
        values.push_back(column.value(row));
    return values;
}

} // namespace

Value AccessOpeningLists::Column::value(size_t row) const
{
    const Span& span = spans[row];
    return span.size < 0 ? Value() : Value{bytes.data() + span.offset, span.size};
}

void AccessOpeningLists::Column::reserve(qint64 rows)
{
    // Room for the usual short texts; a declared count is no promise, so no more than a million.
    const size_t expected = size_t(qBound(qint64(0), rows, qint64(1) << 20));
    spans.reserve(expected);
    bytes.reserve(expected * 16);
}

bool AccessOpeningLists::Column::append(const AccessRowBatch& batch, int row, int column)
{
    using Kind = AccessRowBatch::Value::Kind;
    const AccessRowBatch::Value& value = batch.value(row, column);
    Span span;
    const bool text = value.kind == Kind::Text;
    const bool fits = bytes.size() + size_t(value.size) <= std::numeric_limits<qint32>::max();
    if (text && fits) {
        span.offset = quint32(bytes.size());
        span.size = qint32(value.size);
        const char* from = batch.bytes(value);
        bytes.insert(bytes.end(), from, from + value.size);
    }
    spans.push_back(span);
    return (text && fits) || value.kind == Kind::Null;
}

AccessOpeningLists::AccessOpeningLists(const QStringList& tables, const QList<QStringList>& columns,
                                       const std::vector<qint64>& rows)
    : m_qv(HouseBrands::storedQV().toUtf8()), m_vestral(HouseBrands::storedVestral().toUtf8())
{
    const auto source = [&](Field field, const char* table, const char* column) {
        m_fields[field].table = int(tables.indexOf(QString::fromUtf8(table)));
        const int found = m_fields[field].table;
        if (found < 0)
            return;
        m_fields[field].column = int(columns[found].indexOf(QString::fromUtf8(column)));
        m_fields[field].values.reserve(rows[size_t(found)]);
    };
    source(HouseReference, "Tabela Referencias", "Referencia");
    source(HouseDescription, "Tabela Referencias", "Descriçao");
    source(Reference, "RELATIONS", "REFERENCE");
    source(Company, "RELATIONS", "COMPANY");
    source(Family, "RELATIONS", "FAMILY");
    source(FamilyDescription, "FAMILIES", "DESCRIPTION");
    m_versionTable = int(tables.indexOf(QStringLiteral("TabelaVersao")));
    for (const Gathered& gathered : m_fields) {
        if (gathered.column < 0)
            m_sure = false;
    }
}

void AccessOpeningLists::collect(const AccessRowBatch& batch)
{
    for (Gathered& gathered : m_fields) {
        if (gathered.table != batch.table())
            continue;
        for (int row = 0; row < batch.rowCount(); ++row)
            m_sure = gathered.values.append(batch, row, gathered.column) && m_sure;
    }
    // "Select *" on the version table reads its first row.
    if (batch.table() == m_versionTable && m_version.spans.empty() && batch.rowCount() > 0) {
        for (int column = 0; column < batch.columnCount(); ++column)
            m_sure = m_version.append(batch, 0, column) && m_sure;
    }
}

std::vector<quint32> AccessOpeningLists::competitorRows() const
{
    const Column& companies = field(Company);
    const Value qv{m_qv.constData(), m_qv.size()};
    const Value vestral{m_vestral.constData(), m_vestral.size()};
    std::vector<quint32> rows;
    rows.reserve(companies.spans.size());
    for (quint32 row = 0; row < companies.spans.size(); ++row) {
        const Value company = companies.value(row);
        // "COMPANY <> ?" holds for no null.
        if (company.data && compareNocase(company, qv) != 0 && compareNocase(company, vestral) != 0)
            rows.push_back(row);
    }
    return rows;
}

std::vector<quint32> AccessOpeningLists::companyRows(const std::vector<quint32>& competitors) const
{
    // The manufacturer index orders each manufacturer's rows by family, then reference, then
    // storage: the distinct list shows the first of them.
    return oneOfEachGroup(field(Company), competitors, [this](quint32 a, quint32 b) {
        for (const Field key : {Family, Reference}) {
            const int order = compareNocase(field(key).value(a), field(key).value(b));
            if (order != 0)
                return order < 0;
        }
        return a < b;
    });
}

QByteArray AccessOpeningLists::encode(QByteArrayView conversion) const
{
    if (!m_sure)
        return QByteArray();
    std::vector<Value> lists[OpeningLists::ListCount];
    const std::vector<quint32> competitors = competitorRows();
    // The short lists are made beside the competitor references, the longest by far.
    bool othersMade = false;
    std::thread others([&] {
        try {
            const Column& houseReferences = field(HouseReference);
            lists[OpeningLists::indexOf(ListKind::HouseReferences)] =
                valuesOf(houseReferences, ordered(allRows(houseReferences), {&houseReferences}));
            lists[OpeningLists::indexOf(ListKind::Descriptions)] =
                valuesOf(field(HouseDescription), firstOfEachGroup(field(HouseDescription)));
            lists[OpeningLists::indexOf(ListKind::Families)] =
                valuesOf(field(FamilyDescription), firstOfEachGroup(field(FamilyDescription)));
            lists[OpeningLists::indexOf(ListKind::Manufacturers)] =
                valuesOf(field(Company), companyRows(competitors));
            lists[OpeningLists::Version] = valuesOf(m_version, allRows(m_version));
            othersMade = true;
        } catch (const std::bad_alloc&) {
        }
    });
    try {
        lists[OpeningLists::indexOf(ListKind::CompetitorReferences)] =
            valuesOf(field(Reference), ordered(competitors, {&field(Reference), &field(Company)}));
    } catch (const std::bad_alloc&) {
        others.join();
        throw;
    }
    others.join();
    if (!othersMade)
        throw std::bad_alloc();
    return OpeningLists::encode(conversion, lists);
}
