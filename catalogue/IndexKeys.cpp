#include "IndexKeys.h"

#include "ByteBlocks.h"
#include "SqliteRecord.h"

#include <QByteArrayView>
#include <QVarLengthArray>
#include <algorithm>
#include <cstring>
#include <future>
#include <sqlite3.h>

namespace {

using Type = IndexKeys::Field::Kind;
enum class Collation : quint8 { Binary, NoCase };

// A column stops looking for repeated values once most of the first rows hold distinct ones.
constexpr quint32 kRowsBeforeJudging = 65536;

QByteArray quoted(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return (QLatin1Char('"') + escaped + QLatin1Char('"')).toUtf8();
}

int sign(qint64 difference)
{
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

// Nulls sort first, then numbers of either kind, then texts, then blobs.
int typeRank(Type type)
{
    return type == Type::Null ? 0 : (type == Type::Text ? 2 : (type == Type::Blob ? 3 : 1));
}

// SQLite's comparison of an integer with a floating-point value.
int compareIntegerWithReal(qint64 i, double r)
{
    if (r < -9223372036854775808.0)
        return 1;
    if (r >= 9223372036854775808.0)
        return -1;
    const qint64 y = qint64(r);
    if (i != y)
        return i < y ? -1 : 1;
    const double s = double(i);
    return s < r ? -1 : (s > r ? 1 : 0);
}

unsigned char foldCase(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// NOCASE as SQLite defines it: ASCII letters fold, other bytes compare as they are, and a
// zero byte common to both texts ends the comparison of bytes; then the shorter text is first.
int compareNoCase(const unsigned char* a, quint32 aSize, const unsigned char* b, quint32 bSize)
{
    const quint32 common = qMin(aSize, bSize);
    for (quint32 i = 0; i < common; ++i) {
        if (a[i] == b[i]) {
            if (a[i] == 0)
                break;
            continue;
        }
        const int difference = int(foldCase(a[i])) - int(foldCase(b[i]));
        if (difference != 0)
            return difference;
    }
    return sign(qint64(aSize) - qint64(bSize));
}

int compareBytes(const char* a, quint32 aSize, const char* b, quint32 bSize)
{
    const quint32 common = qMin(aSize, bSize);
    const int difference = common > 0 ? std::memcmp(a, b, common) : 0;
    return difference != 0 ? difference : sign(qint64(aSize) - qint64(bSize));
}

// The first sixteen bytes of a text as a collation compares them, up to a zero byte.
struct Prefix
{
    quint64 high = 0;
    quint64 low = 0;

    bool operator==(const Prefix& other) const { return high == other.high && low == other.low; }
    bool operator<(const Prefix& other) const { return high != other.high ? high < other.high : low < other.low; }
};

} // namespace

struct IndexKeys::Value
{
    Type type = Type::Null;
    quint32 size = 0;
    union {
        qint64 integer = 0;
        double real;
        const char* bytes;
    };

    int compare(const Value& other, Collation collation) const
    {
        const int rank = typeRank(type);
        const int otherRank = typeRank(other.type);
        if (rank != otherRank)
            return rank < otherRank ? -1 : 1;
        switch (type) {
        case Type::Null:
            return 0;
        case Type::Integer:
            if (other.type == Type::Real)
                return compareIntegerWithReal(integer, other.real);
            return integer < other.integer ? -1 : (integer > other.integer ? 1 : 0);
        case Type::Real:
            if (other.type == Type::Integer)
                return -compareIntegerWithReal(other.integer, real);
            return real < other.real ? -1 : (real > other.real ? 1 : 0);
        case Type::Text:
            if (collation == Collation::NoCase)
                return compareNoCase(reinterpret_cast<const unsigned char*>(bytes), size,
                                     reinterpret_cast<const unsigned char*>(other.bytes), other.size);
            return compareBytes(bytes, size, other.bytes, other.size);
        case Type::Blob:
            return compareBytes(bytes, size, other.bytes, other.size);
        }
        return 0;
    }

    // Sixteen bytes of a text from `from`, as its collation compares them, the bytes past
    // its end taken as zero. Texts without zero bytes that agree up to `from` compare as
    // these bytes do when they differ.
    Prefix textPrefix(Collation collation, quint32 from) const
    {
        Prefix prefix;
        for (quint32 i = 0; i < 16 && from + i < size; ++i) {
            const unsigned char c = static_cast<unsigned char>(bytes[from + i]);
            if (c == 0)
                break;
            quint64& half = i < 8 ? prefix.high : prefix.low;
            half |= quint64(collation == Collation::NoCase ? foldCase(c) : c) << (8 * (7 - i % 8));
        }
        return prefix;
    }

    quint32 serialType(bool smallConstants) const
    {
        switch (type) {
        case Type::Null:
            return SqliteRecord::kNullType;
        case Type::Integer:
            return SqliteRecord::integerType(integer, smallConstants);
        case Type::Real:
            return SqliteRecord::kRealType;
        case Type::Text:
            return SqliteRecord::textType(size);
        case Type::Blob:
            return SqliteRecord::blobType(size);
        }
        return SqliteRecord::kNullType;
    }
};

// One column's values and their ranks. Columns with few distinct values keep each once
// (a company, a family); columns of mostly distinct values keep one per row, which spares
// looking each up.
struct IndexKeys::Column
{
    Collation collation = Collation::Binary;
    bool textAffinity = false;
    std::vector<Value> values;
    std::vector<quint32> rankOfValue;
    quint32 longest = 0;

    // False when the column would not have stored a bound value as it is.
    bool storesUnchanged(const Field& field) const
    {
        switch (field.kind) {
        case Type::Null:
        case Type::Blob:
            return true;
        case Type::Integer:
            return !textAffinity;
        case Type::Real:
            return false;
        case Type::Text:
            return textAffinity;
        }
        return false;
    }

    quint32 add(const Field& field, ByteBlocks& bytes)
    {
        Value value;
        value.type = field.kind;
        switch (field.kind) {
        case Type::Integer:
            value.integer = field.integer;
            return find(value, &value.integer, sizeof value.integer);
        case Type::Real:
            value.real = field.real;
            m_hasReals = true;
            return find(value, &value.real, sizeof value.real);
        case Type::Text:
        case Type::Blob: {
            value.size = field.size;
            value.bytes = field.bytes;
            longest = qMax(longest, value.size);
            ++m_rowsSeen;
            if (m_rowsSeen == kRowsBeforeJudging && values.size() > kRowsBeforeJudging / 2) {
                m_eachRowItsOwn = true;
                m_slots = {};
            }
            if (m_eachRowItsOwn) {
                value.bytes = bytes.keep(field.bytes, value.size);
                return append(value);
            }
            const quint32 id = find(value, field.bytes, value.size);
            if (values[id].bytes == field.bytes)
                values[id].bytes = bytes.keep(field.bytes, value.size);
            return id;
        }
        case Type::Null:
            break;
        }
        return find(value, nullptr, 0);
    }

    // Orders the values; those the collation takes as equal share a rank.
    void rankValues()
    {
        m_slots = {};
        std::vector<Sortable> sorted;
        sorted.reserve(values.size());
        for (quint32 i = 0; i < quint32(values.size()); ++i)
            sorted.push_back(sortable(i));
        // Where the sorted values change: a value unequal to the one before it.
        std::vector<char> differs(sorted.size(), 0);
        sortByKey(sorted.data(), sorted.data() + sorted.size(), differs.data(), 0);
        rankOfValue.assign(values.size(), 0);
        quint32 rank = 0;
        for (size_t i = 0; i < sorted.size(); ++i) {
            rank += (i > 0 && differs[i]) ? 1 : 0;
            rankOfValue[sorted[i].value] = rank;
        }
    }

private:
    static constexpr quint32 kEmpty = 0xffffffffu;
    static constexpr quint32 kKeyBytes = 16;

    // A value with what decides most comparisons at hand: its kind, and for an integer or
    // text a key that orders it: the number, or sixteen bytes of the text from `depth`.
    struct Sortable
    {
        int typeRank;
        Prefix key;
        quint32 value;
    };

    Sortable sortable(quint32 i) const
    {
        const Value& v = values[i];
        Sortable s{typeRank(v.type), Prefix(), i};
        // With reals among them, numbers compare in full: no key orders both kinds.
        if (v.type == Type::Integer && !m_hasReals)
            s.key.high = quint64(v.integer) ^ (quint64(1) << 63);
        else if (v.type == Type::Text)
            s.key = v.textPrefix(collation, 0);
        return s;
    }

    static bool keyLess(const Sortable& a, const Sortable& b)
    {
        return a.typeRank != b.typeRank ? a.typeRank < b.typeRank : a.key < b.key;
    }

    static bool sameKey(const Sortable& a, const Sortable& b)
    {
        return a.typeRank == b.typeRank && a.key == b.key;
    }

    // Sorts by key, then each run of equal keys that the key does not settle: texts by their
    // next sixteen bytes, anything else (reals, blobs, texts with zero bytes) by full comparison.
    void sortByKey(Sortable* begin, Sortable* end, char* differs, quint32 depth)
    {
        std::sort(begin, end, keyLess);
        for (Sortable* run = begin; run != end;) {
            Sortable* runEnd = run + 1;
            while (runEnd != end && sameKey(*run, *runEnd)) {
                differs[runEnd - begin] = 0;
                ++runEnd;
            }
            if (runEnd != end)
                differs[runEnd - begin] = 1;
            if (runEnd - run > 1)
                settleRun(run, runEnd, differs + (run - begin), depth);
            run = runEnd;
        }
    }

    void settleRun(Sortable* begin, Sortable* end, char* differs, quint32 depth)
    {
        const Value& first = values[begin->value];
        if (first.type == Type::Null || (first.type == Type::Integer && !hasReals(begin, end)))
            return; // all equal
        if (first.type == Type::Text && !hasZeroBytes(begin, end)) {
            const quint32 next = (depth + 1) * kKeyBytes;
            bool anyLonger = false;
            for (Sortable* s = begin; s != end; ++s) {
                const Value& v = values[s->value];
                anyLonger = anyLonger || v.size > next;
                s->key = v.textPrefix(collation, next);
            }
            // Texts that end here with equal keys are equal.
            if (anyLonger)
                sortByKey(begin, end, differs, depth + 1);
            return;
        }
        std::sort(begin, end, [&](const Sortable& a, const Sortable& b) {
            return values[a.value].compare(values[b.value], collation) < 0;
        });
        for (Sortable* s = begin + 1; s != end; ++s)
            differs[s - begin] = values[(s - 1)->value].compare(values[s->value], collation) != 0;
    }

    bool hasReals(const Sortable* begin, const Sortable* end) const
    {
        return std::any_of(begin, end, [&](const Sortable& s) { return values[s.value].type == Type::Real; });
    }

    bool hasZeroBytes(const Sortable* begin, const Sortable* end) const
    {
        return std::any_of(begin, end, [&](const Sortable& s) {
            const Value& v = values[s.value];
            return v.type != Type::Text || (v.size > 0 && std::memchr(v.bytes, 0, v.size) != nullptr);
        });
    }

    quint32 append(const Value& value)
    {
        values.push_back(value);
        return quint32(values.size() - 1);
    }

    static quint64 hash(Type type, const void* data, size_t size)
    {
        quint64 h = 0x9e3779b97f4a7c15ull * (quint64(type) + 1) ^ size;
        const auto* bytes = static_cast<const unsigned char*>(data);
        size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            quint64 word = 0;
            std::memcpy(&word, bytes + i, 8);
            h = (h ^ word) * 0xff51afd7ed558ccdull;
            h ^= h >> 32;
        }
        quint64 tail = 0;
        if (size > i)
            std::memcpy(&tail, bytes + i, size - i);
        h = (h ^ tail) * 0xc4ceb9fe1a85ec53ull;
        return h ^ (h >> 29);
    }

    static bool same(const Value& known, const Value& value, const void* data, size_t size)
    {
        if (known.type != value.type)
            return false;
        if (value.type == Type::Text || value.type == Type::Blob)
            return known.size == size && (size == 0 || std::memcmp(known.bytes, data, size) == 0);
        return value.type == Type::Null || std::memcmp(&known.integer, data, size) == 0;
    }

    // The number of an equal value seen before, or of this one, added. Open addressing over
    // a table at most half full.
    quint32 find(const Value& value, const void* data, size_t size)
    {
        if (m_last != kEmpty && same(values[m_last], value, data, size))
            return m_last;
        if (values.size() * 2 >= m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = hash(value.type, data, size) & mask;; slot = (slot + 1) & mask) {
            const quint32 id = m_slots[slot];
            if (id == kEmpty) {
                m_slots[slot] = m_last = append(value);
                return m_last;
            }
            if (same(values[id], value, data, size))
                return m_last = id;
        }
    }

    void grow()
    {
        m_slots.assign(qMax<size_t>(64, m_slots.size() * 2), kEmpty);
        const size_t mask = m_slots.size() - 1;
        for (quint32 id = 0; id < quint32(values.size()); ++id) {
            const Value& v = values[id];
            const bool bytes = v.type == Type::Text || v.type == Type::Blob;
            size_t slot = hash(v.type, bytes ? static_cast<const void*>(v.bytes) : &v.integer,
                               bytes ? v.size : (v.type == Type::Null ? 0 : sizeof v.integer)) &
                          mask;
            while (m_slots[slot] != kEmpty)
                slot = (slot + 1) & mask;
            m_slots[slot] = id;
        }
    }

    std::vector<quint32> m_slots;
    quint32 m_last = kEmpty;
    quint32 m_rowsSeen = 0;
    bool m_eachRowItsOwn = false;
    bool m_hasReals = false;
};

IndexKeys::IndexKeys() : m_bytes(std::make_unique<ByteBlocks>()) {}

IndexKeys::~IndexKeys() = default;

bool IndexKeys::start(sqlite3* db, const QString& table, const QStringList& columns, Source source)
{
    m_names = columns;
    m_columns.clear();
    m_rows.clear();
    m_rowCount = 0;
    m_lastRowid = 0;
    m_sound = true;
    m_source = source;
    m_stride = 2 + size_t(columns.size());
    const QByteArray tableName = table.toUtf8();
    for (const QString& column : columns) {
        const char* declaredType = nullptr;
        const char* collation = nullptr;
        if (sqlite3_table_column_metadata(db, "main", tableName.constData(), column.toUtf8().constData(),
                                          &declaredType, &collation, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        const QByteArray type = QByteArray(declaredType ? declaredType : "").toUpper();
        Column keys;
        // SQLite's affinity rules, of which INTEGER and TEXT are the ones reproduced here.
        keys.textAffinity = !type.contains("INT");
        if (keys.textAffinity && !type.contains("CHAR") && !type.contains("CLOB") && !type.contains("TEXT"))
            return false;
        if (qstricmp(collation, "NOCASE") == 0)
            keys.collation = Collation::NoCase;
        else if (qstricmp(collation, "BINARY") != 0)
            return false;
        m_columns.push_back(std::move(keys));
    }
    return true;
}

void IndexKeys::addRow(qint64 rowid, const Field* fields)
{
    if (m_rowCount == 0x7fffffff || (m_rowCount > 0 && rowid <= m_lastRowid))
        m_sound = false;
    if (!m_sound)
        return;
    m_lastRowid = rowid;
    m_rows.push_back(quint32(quint64(rowid) & 0xffffffffu));
    m_rows.push_back(quint32(quint64(rowid) >> 32));
    for (size_t column = 0; column < m_columns.size(); ++column) {
        Column& keys = m_columns[column];
        if (m_source == Source::Bound && !keys.storesUnchanged(fields[column]))
            m_sound = false;
        m_rows.push_back(keys.add(fields[column], *m_bytes));
    }
    ++m_rowCount;
}

bool IndexKeys::finish()
{
    if (!m_sound)
        return false;
    std::vector<std::future<void>> ranking;
    for (Column& column : m_columns)
        ranking.push_back(std::async(std::launch::async, [&column] { column.rankValues(); }));
    for (std::future<void>& done : ranking)
        done.wait();
    return true;
}

bool IndexKeys::read(sqlite3* db, const QString& table, const QStringList& columns)
{
    if (!start(db, table, columns, Source::Stored))
        return false;
    QByteArray sql = "SELECT rowid";
    for (const QString& column : columns)
        sql += ", " + quoted(column);
    sql += " FROM " + quoted(table);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return false;
    }
    std::vector<Field> fields(m_columns.size());
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int i = 0; i < int(fields.size()); ++i) {
            Field& field = fields[size_t(i)];
            const int column = i + 1;
            switch (sqlite3_column_type(statement, column)) {
            case SQLITE_INTEGER:
                field.kind = Type::Integer;
                field.integer = sqlite3_column_int64(statement, column);
                break;
            case SQLITE_FLOAT:
                field.kind = Type::Real;
                field.real = sqlite3_column_double(statement, column);
                break;
            case SQLITE_TEXT:
                field.kind = Type::Text;
                field.bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                field.size = quint32(sqlite3_column_bytes(statement, column));
                break;
            case SQLITE_BLOB:
                field.kind = Type::Blob;
                field.bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
                field.size = quint32(sqlite3_column_bytes(statement, column));
                break;
            default:
                field.kind = Type::Null;
                break;
            }
        }
        addRow(sqlite3_column_int64(statement, 0), fields.data());
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE && finish();
}

int IndexKeys::columnOf(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const IndexKeys::Value& IndexKeys::value(int row, int column) const
{
    return m_columns[size_t(column)].values[m_rows[size_t(row) * m_stride + 2 + size_t(column)]];
}

qint64 IndexKeys::rowid(int row) const
{
    const quint32* ids = m_rows.data() + size_t(row) * m_stride;
    return qint64(quint64(ids[1]) << 32 | ids[0]);
}

bool IndexKeys::isNull(int row, int column) const
{
    return value(row, column).type == Type::Null;
}

quint32 IndexKeys::rank(int row, int column) const
{
    return m_columns[size_t(column)].rankOfValue[m_rows[size_t(row) * m_stride + 2 + size_t(column)]];
}

quint64 IndexKeys::longestEntry(const std::vector<int>& columns) const
{
    // Nine bytes of header and eight of value for each number, or the longest text or blob.
    quint64 longest = 9 + 9 + 8;
    for (const int column : columns)
        longest += 9 + qMax<quint64>(8, m_columns[size_t(column)].longest);
    return longest;
}

void IndexKeys::entry(const std::vector<int>& columns, int row, bool smallConstants, QByteArray& out) const
{
    // The columns' serial types, then the rowid's.
    const size_t count = columns.size();
    QVarLengthArray<quint32, 8> types(qsizetype(count + 1));
    const qint64 id = rowid(row);
    quint64 typesLength = 0;
    quint64 body = 0;
    for (size_t i = 0; i <= count; ++i) {
        types[i] = i < count ? value(row, columns[i]).serialType(smallConstants)
                             : SqliteRecord::integerType(id, smallConstants);
        typesLength += quint64(SqliteRecord::varintLength(types[i]));
        body += SqliteRecord::valueLength(types[i]);
    }
    const quint64 headerLength = SqliteRecord::headerLength(typesLength);
    out.resize(qsizetype(headerLength + body));

    char* header = out.data();
    header += SqliteRecord::putVarint(header, headerLength);
    char* data = out.data() + headerLength;
    for (size_t i = 0; i <= count; ++i) {
        header += SqliteRecord::putVarint(header, types[i]);
        if (i == count) {
            SqliteRecord::putInteger(data, id, types[i]);
            break;
        }
        const Value& v = value(row, columns[i]);
        if (v.type == Type::Integer)
            SqliteRecord::putInteger(data, v.integer, types[i]);
        else if (v.type == Type::Real)
            SqliteRecord::putReal(data, v.real);
        else if ((v.type == Type::Text || v.type == Type::Blob) && v.size > 0)
            std::memcpy(data, v.bytes, v.size);
        data += SqliteRecord::valueLength(types[i]);
    }
}
