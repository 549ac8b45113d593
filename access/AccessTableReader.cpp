#include "AccessTableReader.h"

#include "AccessLongValue.h"
#include "AccessNative.h"
#include "AccessRowBatch.h"
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

// Byte, integer and long integer; false when the stored value is too short.
bool readInteger(MdbHandle* mdb, const MdbField& field, int type, int* out)
{
    switch (type) {
    case MDB_BYTE:
        if (field.siz < 1)
            return false;
        *out = mdb->pg_buf[field.start];
        return true;
    case MDB_INT:
        if (field.siz < 2)
            return false;
        *out = static_cast<gint16>(mdb_get_int16(mdb->pg_buf, field.start));
        return true;
    default: // MDB_LONGINT, MDB_COMPLEX
        if (field.siz < 4)
            return false;
        *out = int(mdb_get_int32(mdb->pg_buf, field.start));
        return true;
    }
}

// Single, double and currency; false when the stored value is too short.
bool readReal(MdbHandle* mdb, const MdbField& field, int type, double* out)
{
    switch (type) {
    case MDB_FLOAT:
        if (field.siz < 4)
            return false;
        *out = double(mdb_get_single(mdb->pg_buf, field.start));
        return true;
    case MDB_DOUBLE:
        if (field.siz < 8)
            return false;
        *out = mdb_get_double(mdb->pg_buf, field.start);
        return true;
    default: { // MDB_MONEY
        if (field.siz < 8)
            return false;
        const unsigned char* data = mdb->pg_buf + field.start;
        quint64 bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | data[i];
        *out = double(static_cast<qint64>(bits)) / 10000.0;
        return true;
    }
    }
}

bool isInteger(int type)
{
    return type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT || type == MDB_COMPLEX;
}

bool isReal(int type)
{
    return type == MDB_FLOAT || type == MDB_DOUBLE || type == MDB_MONEY;
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
    if (!advance())
        return false;
    values.resize(m_selection.size());
    for (int i = 0; i < m_selection.size(); ++i) {
        values[i] = value(i);
        if (m_failed)
            return false;
    }
    return true;
}

bool AccessTableReader::advance()
{
    if (!isOpen() || m_failed || !nextRow())
        return false;
    ++m_rowsRead;
    return true;
}

bool AccessTableReader::failRead()
{
    // The row is not counted as read.
    if (!m_failed)
        --m_rowsRead;
    m_failed = true;
    return false;
}

QVariant AccessTableReader::value(int selected)
{
    bool ok = true;
    QVariant value = read(m_selection.at(selected), &ok);
    if (!ok)
        failRead();
    return value;
}

bool AccessTableReader::appendsDirectly(int selected) const
{
    const int type = m_columns.at(m_selection.at(selected)).type;
    return type == MDB_BOOL || isInteger(type) || isReal(type) || type == MDB_TEXT || type == MDB_MEMO;
}

bool AccessTableReader::appendTo(AccessRowBatch& batch, int selected)
{
    const int index = m_selection.at(selected);
    MdbHandle* mdb = m_table->mdb;
    const MdbField& field = m_table->fields[static_cast<size_t>(index)];
    auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->definition->columns, index));
    const int type = column->col_type;
    if (type == MDB_BOOL) {
        batch.appendInteger(field.is_null ? 0 : 1);
        return true;
    }
    if (field.is_null) {
        batch.appendNull();
        return true;
    }
    if (isInteger(type)) {
        int number = 0;
        if (!readInteger(mdb, field, type, &number))
            return failRead();
        batch.appendInteger(number);
        return true;
    }
    if (isReal(type)) {
        double number = 0;
        if (!readReal(mdb, field, type, &number))
            return failRead();
        batch.appendReal(number);
        return true;
    }
    if (!readText(index, m_text))
        return failRead();
    batch.appendText(m_text);
    return true;
}

bool AccessTableReader::readText(int index, QString& text)
{
    MdbHandle* mdb = m_table->mdb;
    const MdbField& field = m_table->fields[static_cast<size_t>(index)];
    auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->definition->columns, index));
    if (column->col_type == MDB_TEXT) {
        AccessText::decode(reinterpret_cast<const char*>(mdb->pg_buf + field.start), field.siz, IS_JET3(mdb),
                           text);
        return true;
    }
    bool ok = true;
    const QByteArray bytes =
        AccessLongValue::read(mdb, column, field.start, field.siz, m_table->buffer.data(), &ok);
    if (ok)
        AccessText::decode(bytes.constData(), int(bytes.size()), IS_JET3(mdb), text);
    return ok;
}

QVariant AccessTableReader::read(int index, bool* ok)
{
    MdbHandle* mdb = m_table->mdb;
    const MdbField& field = m_table->fields[static_cast<size_t>(index)];
    auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->definition->columns, index));
    const int type = column->col_type;
    // Booleans live in the null mask: a set bit is true.
    if (type == MDB_BOOL)
        return QVariant(!field.is_null);
    if (field.is_null)
        return QVariant();
    const unsigned char* data = mdb->pg_buf + field.start;
    const int size = field.siz;
    if (isInteger(type)) {
        int number = 0;
        *ok = readInteger(mdb, field, type, &number);
        return *ok ? QVariant(number) : QVariant();
    }
    if (isReal(type)) {
        double number = 0;
        *ok = readReal(mdb, field, type, &number);
        return *ok ? QVariant(number) : QVariant();
    }
    switch (type) {
    case MDB_DATETIME:
        *ok = size >= 8;
        return *ok ? QVariant(dateTime(mdb_get_double(mdb->pg_buf, field.start))) : QVariant();
    case MDB_NUMERIC: {
        *ok = size >= 17;
        if (!*ok)
            return {};
        char* text = mdb_numeric_to_string(mdb, field.start, column->col_scale, column->col_prec);
        const double number = QByteArray(text).toDouble(ok);
        g_free(text);
        return *ok ? QVariant(number) : QVariant();
    }
    case MDB_REPID:
        *ok = size >= 16;
        return *ok ? QVariant(guid(data)) : QVariant();
    case MDB_TEXT:
    case MDB_MEMO: {
        QString text;
        *ok = readText(index, text);
        return *ok ? QVariant(text) : QVariant();
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
