#include "AccessTableReader.h"

#include "AccessLongValue.h"
#include "AccessNative.h"
#include "AccessText.h"

#include <QDateTime>

#include <cmath>
#include <vector>

namespace {

constexpr int kOffsetMask = 0x1fff;
constexpr int kDeletedRow = 0x4000;
const QDateTime kDateBase(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);

// Days since 1899-12-30; for earlier dates the day part counts back while the fraction still
// runs forward through the day.
QDateTime dateTime(double days)
{
    // Access keeps dates from the year 100 to 9999.
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return QDateTime();
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    return kDateBase.addDays(static_cast<qint64>(whole)).addMSecs(std::llround(fraction * 86400000.0));
}

QString guid(const unsigned char* b)
{
    return QString::asprintf("{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                             b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13],
                             b[14], b[15]);
}

} // namespace

struct AccessTableReader::Table
{
    MdbHandle* mdb = nullptr;
    MdbTableDef* definition = nullptr;
    std::vector<MdbField> fields;
    // The data page in the handle's page buffer, its row count, and the next row to read.
    bool onPage = false;
    int pageRows = 0;
    int nextRow = 0;
    // Pieces of long values land here while they are read.
    std::vector<char> buffer = std::vector<char>(2 * MDB_PGSIZE);

    ~Table()
    {
        if (definition)
            mdb_free_tabledef(definition);
    }
};

AccessTableReader::AccessTableReader(AccessDatabase& database, const QString& tableName)
    : m_table(std::make_unique<Table>())
{
    if (!database.isOpen())
        return;
    MdbHandle* mdb = database.native().handle;
    const QString stored = database.findTable(tableName);
    if (stored.isEmpty())
        return;
    MdbCatalogEntry* entry = nullptr;
    for (unsigned int i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(candidate) && QString::fromUtf8(candidate->object_name) == stored)
            entry = candidate;
    }
    if (!entry)
        return;
    MdbTableDef* definition = mdb_read_table(entry);
    if (!definition)
        return;
    m_table->definition = definition;
    // The library takes an empty page map row for a map and reads through a null pointer.
    if (!definition->usage_map || definition->map_sz < 1 || !mdb_read_columns(definition) ||
        definition->columns->len != definition->num_cols) {
        mdb_free_tabledef(definition);
        m_table->definition = nullptr;
        return;
    }
    m_table->mdb = mdb;
    m_table->fields.resize(definition->num_cols);
    for (unsigned int i = 0; i < definition->num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(definition->columns, i));
        m_columns.append({QString::fromUtf8(column->name), column->col_type});
        m_selection.append(static_cast<int>(i));
    }
    mdb_rewind_table(definition);
}

AccessTableReader::~AccessTableReader() = default;

bool AccessTableReader::isOpen() const
{
    return m_table->definition != nullptr;
}

QString AccessTableReader::name() const
{
    return isOpen() ? QString::fromUtf8(m_table->definition->name) : QString();
}

const QVector<AccessColumn>& AccessTableReader::columns() const
{
    return m_columns;
}

qint64 AccessTableReader::declaredRowCount() const
{
    return isOpen() ? m_table->definition->num_rows : 0;
}

void AccessTableReader::selectColumns(const QVector<int>& columns)
{
    m_selection = columns;
}

// The rows of the table's data pages in order, as the library's own row fetch walks them,
// but cracking each row once: the library's fetch would crack it and convert its values,
// only for the nulls to need a second crack (its bound values do not tell null from empty).
bool AccessTableReader::nextRow()
{
    MdbHandle* mdb = m_table->mdb;
    MdbTableDef* definition = m_table->definition;
    for (;;) {
        if (!m_table->onPage || m_table->nextRow >= m_table->pageRows) {
            if (!mdb_read_next_dpg(definition))
                return false;
            m_table->onPage = true;
            m_table->pageRows = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
            m_table->nextRow = 0;
        }
        int start = 0;
        size_t size = 0;
        const int row = m_table->nextRow++;
        // Rows the library would pass over: unreadable offsets, empty and deleted rows.
        if (mdb_find_row(mdb, row, &start, &size) != 0 || size == 0 || (start & kDeletedRow))
            continue;
        if (mdb_crack_row(definition, start & kOffsetMask, size, m_table->fields.data()) >= 0)
            return true;
    }
}

bool AccessTableReader::next(QVariantList& values)
{
    if (!isOpen() || m_failed || !nextRow())
        return false;
    values.resize(m_selection.size());
    for (int i = 0; i < m_selection.size(); ++i) {
        bool ok = true;
        values[i] = value(m_selection.at(i), &ok);
        if (!ok) {
            m_failed = true;
            return false;
        }
    }
    ++m_rowsRead;
    return true;
}

QVariant AccessTableReader::value(int index, bool* ok)
{
    MdbHandle* mdb = m_table->mdb;
    const MdbField& field = m_table->fields[static_cast<size_t>(index)];
    auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->definition->columns, index));
    // Booleans live in the null mask: a set bit is true.
    if (column->col_type == MDB_BOOL)
        return QVariant(!field.is_null);
    if (field.is_null)
        return QVariant();
    const unsigned char* data = mdb->pg_buf + field.start;
    const int size = field.siz;
    const auto fixedSizeIs = [&](int expected) {
        *ok = size >= expected;
        return *ok;
    };
    switch (column->col_type) {
    case MDB_BYTE:
        return fixedSizeIs(1) ? QVariant(int(data[0])) : QVariant();
    case MDB_INT:
        return fixedSizeIs(2) ? QVariant(int(static_cast<gint16>(mdb_get_int16(mdb->pg_buf, field.start))))
                              : QVariant();
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return fixedSizeIs(4) ? QVariant(int(mdb_get_int32(mdb->pg_buf, field.start))) : QVariant();
    case MDB_FLOAT:
        return fixedSizeIs(4) ? QVariant(double(mdb_get_single(mdb->pg_buf, field.start))) : QVariant();
    case MDB_DOUBLE:
        return fixedSizeIs(8) ? QVariant(mdb_get_double(mdb->pg_buf, field.start)) : QVariant();
    case MDB_DATETIME:
        return fixedSizeIs(8) ? QVariant(dateTime(mdb_get_double(mdb->pg_buf, field.start))) : QVariant();
    case MDB_MONEY: {
        if (!fixedSizeIs(8))
            return {};
        quint64 bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | data[i];
        return QVariant(double(static_cast<qint64>(bits)) / 10000.0);
    }
    case MDB_NUMERIC: {
        if (!fixedSizeIs(17))
            return {};
        char* text = mdb_numeric_to_string(mdb, field.start, column->col_scale, column->col_prec);
        const double number = QByteArray(text).toDouble(ok);
        g_free(text);
        return *ok ? QVariant(number) : QVariant();
    }
    case MDB_REPID:
        return fixedSizeIs(16) ? QVariant(guid(data)) : QVariant();
    case MDB_TEXT:
        return AccessText::decode(reinterpret_cast<const char*>(data), size, IS_JET3(mdb));
    case MDB_MEMO: {
        const QByteArray bytes =
            AccessLongValue::read(mdb, column, field.start, size, m_table->buffer.data(), ok);
        return *ok ? QVariant(AccessText::decode(bytes.constData(), bytes.size(), IS_JET3(mdb))) : QVariant();
    }
    case MDB_OLE: {
        const QByteArray bytes =
            AccessLongValue::read(mdb, column, field.start, size, m_table->buffer.data(), ok);
        return *ok ? QVariant(bytes) : QVariant();
    }
    default:
        return QVariant(QByteArray(reinterpret_cast<const char*>(data), size));
    }
}
