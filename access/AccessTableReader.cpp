#include "AccessTableReader.h"

#include "AccessLongValue.h"
#include "AccessNative.h"
#include "AccessPage.h"
#include "AccessRowFields.h"
#include "AccessTableDefinition.h"
#include "AccessText.h"

#include <cstring>
#include <vector>

namespace {

// An overflow row may point at another overflow row; a longer trail than this is damage.
constexpr int kMostOverflowSteps = 8;

// The library's little-endian readers take a mutable pointer but only read.
void* raw(const unsigned char* data)
{
    return const_cast<unsigned char*>(data);
}

// Byte, integer and long integer; false when the stored value is too short.
bool readInteger(const unsigned char* data, int size, int type, qint64* out)
{
    switch (type) {
    case MDB_BYTE:
        if (size < 1)
            return false;
        *out = data[0];
        return true;
    case MDB_INT:
        if (size < 2)
            return false;
        *out = static_cast<gint16>(mdb_get_int16(raw(data), 0));
        return true;
    default: // MDB_LONGINT, MDB_COMPLEX
        if (size < 4)
            return false;
        *out = static_cast<gint32>(mdb_get_int32(raw(data), 0));
        return true;
    }
}

// Single, double and currency; false when the stored value is too short.
bool readReal(const unsigned char* data, int size, int type, double* out)
{
    switch (type) {
    case MDB_FLOAT:
        if (size < 4)
            return false;
        *out = double(mdb_get_single(raw(data), 0));
        return true;
    case MDB_DOUBLE:
        if (size < 8)
            return false;
        *out = mdb_get_double(raw(data), 0);
        return true;
    default: { // MDB_MONEY
        if (size < 8)
            return false;
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

// The library turns a decimal into text from its own page buffer only: a row read from an
// overflow page is put there for the call and the data page put back.
bool readDecimal(MdbHandle* mdb, MdbColumn* column, const unsigned char* page, int start, AccessValue* value)
{
    std::vector<unsigned char> dataPage;
    if (page != mdb->pg_buf) {
        dataPage.assign(mdb->pg_buf, mdb->pg_buf + mdb->fmt->pg_size);
        std::memcpy(mdb->pg_buf, page, size_t(mdb->fmt->pg_size));
    }
    char* text = mdb_numeric_to_string(mdb, start, column->col_scale, column->col_prec);
    if (!dataPage.empty())
        std::memcpy(mdb->pg_buf, dataPage.data(), dataPage.size());
    bool ok = false;
    value->kind = AccessValue::Kind::Real;
    value->real = QByteArray(text).toDouble(&ok);
    g_free(text);
    return ok;
}

} // namespace

struct AccessTableReader::Table
{
    MdbHandle* mdb = nullptr;
    MdbTableDef* definition = nullptr;
    int mostColumns = 0;
    std::vector<AccessRowFields::Field> fields;
    // The data page in the handle's page buffer, its row count, and the next row to read.
    bool onPage = false;
    int pageRows = 0;
    int nextRow = 0;
    // The page the current row's values lie on: the handle's page buffer, or the copy of
    // the page an overflow row points to.
    const unsigned char* rowPage = nullptr;
    std::vector<unsigned char> overflowPage;

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
    MdbCatalogEntry* entry = database.native().entry(tableName);
    if (!entry)
        return;
    MdbTableDef* definition = mdb_read_table(entry);
    if (!definition)
        return;
    m_table->definition = definition;
    // The most columns a row has had: columns deleted since keep their place in older rows.
    const unsigned char* page = AccessPage::readOther(mdb, entry->table_pg);
    m_table->mostColumns = page ? AccessPage::get16(page + (IS_JET3(mdb) ? 21 : 41)) : 0;
    // The library takes an empty page map row for a map and reads through a null pointer.
    const bool columnsRead = definition->usage_map && definition->map_sz >= 1 &&
                             mdb_read_columns(definition) && definition->columns->len == definition->num_cols;
    if (columnsRead)
        m_refusal = AccessTableDefinition::unreadableColumn(mdb, definition);
    if (!columnsRead || !m_refusal.isEmpty() || m_table->mostColumns < int(definition->num_cols) ||
        !AccessTableDefinition::isSound(mdb, definition, m_table->mostColumns)) {
        mdb_free_tabledef(definition);
        m_table->definition = nullptr;
        return;
    }
    m_table->mdb = mdb;
    m_table->overflowPage.resize(size_t(mdb->fmt->pg_size));
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
// located and cracked here so that every offset is checked before it is used.
bool AccessTableReader::nextRow()
{
    MdbHandle* mdb = m_table->mdb;
    for (;;) {
        if (!m_table->onPage || m_table->nextRow >= m_table->pageRows) {
            if (!mdb_read_next_dpg(m_table->definition))
                return false;
            m_table->onPage = true;
            m_table->pageRows = AccessPage::rowCount(mdb, mdb->pg_buf);
            m_table->nextRow = 0;
        }
        bool skip = false;
        if (!locateRow(m_table->nextRow++, &skip)) {
            m_failed = true;
            return false;
        }
        if (!skip)
            return true;
    }
}

bool AccessTableReader::locateRow(int row, bool* skip)
{
    MdbHandle* mdb = m_table->mdb;
    const unsigned char* page = mdb->pg_buf;
    AccessPage::Row found;
    const bool located = AccessPage::findRow(mdb, page, row, &found);
    // Deleted rows (Access marks them 0xC000 too) and empty slots hold nothing to read.
    if (found.deleted || (located && found.size == 0 && !found.overflow)) {
        *skip = true;
        return true;
    }
    for (int step = 0; located && found.overflow; ++step) {
        if (step == kMostOverflowSteps || found.size < 4)
            return false;
        const guint32 target = AccessPage::get32(page + found.start);
        const unsigned char* other = AccessPage::readOther(mdb, target >> 8);
        // The row must lie on a data page of this very table.
        if (!other || AccessPage::get32(other + 4) != m_table->definition->entry->table_pg)
            return false;
        std::memcpy(m_table->overflowPage.data(), other, m_table->overflowPage.size());
        page = m_table->overflowPage.data();
        // Jet marks the row an overflow row points to as deleted, so that a scan passes it by.
        if (!AccessPage::findRow(mdb, page, int(target & 0xff), &found) || found.size == 0)
            return false;
    }
    m_table->rowPage = page;
    return located && AccessRowFields::crack(mdb, m_table->definition, m_table->mostColumns, page,
                                             found.start, found.size, m_table->fields);
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
    // A row past the count the definition keeps (exact in every table of the real sample files)
    // is one that damage made: a deleted row's flag lost, or a page's offsets garbled. Jet 3, with
    // no sample to check it on, is left alone.
    if (!IS_JET3(m_table->mdb) && m_rowsRead == declaredRowCount()) {
        m_failed = true;
        return false;
    }
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

const AccessValue& AccessTableReader::read(int selected)
{
    if (!decode(m_selection.at(selected), m_value)) {
        m_value.kind = AccessValue::Kind::Null;
        failRead();
    }
    return m_value;
}

bool AccessTableReader::decode(int index, AccessValue& value)
{
    using Kind = AccessValue::Kind;
    MdbHandle* mdb = m_table->mdb;
    const AccessRowFields::Field& field = m_table->fields[static_cast<size_t>(index)];
    auto* column = static_cast<MdbColumn*>(g_ptr_array_index(m_table->definition->columns, index));
    const int type = column->col_type;
    // Booleans live in the null mask: a set bit is true.
    if (type == MDB_BOOL) {
        value.kind = Kind::Boolean;
        value.integer = field.isNull ? 0 : 1;
        return true;
    }
    value.kind = Kind::Null;
    if (field.isNull)
        return true;
    const unsigned char* data = m_table->rowPage + field.start;
    const int size = field.size;
    // A value of a type of one length has that length, fixed or not; text and binary values
    // are never longer than their column declares.
    const int stored = AccessTableDefinition::storedSize(type);
    if ((stored > 0 && size != stored) ||
        ((type == MDB_TEXT || type == MDB_BINARY) && size > column->col_size))
        return false;
    if (isInteger(type)) {
        value.kind = Kind::Integer;
        return readInteger(data, size, type, &value.integer);
    }
    if (isReal(type)) {
        value.kind = Kind::Real;
        return readReal(data, size, type, &value.real);
    }
    switch (type) {
    case MDB_DATETIME:
        value.kind = Kind::DateTime;
        if (size < 8)
            return false;
        value.real = mdb_get_double(raw(data), 0);
        return true;
    case MDB_NUMERIC:
        return size >= 17 && readDecimal(mdb, column, m_table->rowPage, field.start, &value);
    case MDB_REPID:
        value.kind = Kind::Text;
        if (size < 16)
            return false;
        value.text = guid(data);
        return true;
    case MDB_TEXT:
        value.kind = Kind::Text;
        return AccessText::decode(reinterpret_cast<const char*>(data), size, IS_JET3(mdb), value.text);
    case MDB_MEMO:
        value.kind = Kind::Text;
        return AccessLongValue::read(mdb, data, size, value.bytes) &&
               AccessText::decode(value.bytes.constData(), int(value.bytes.size()), IS_JET3(mdb), value.text);
    case MDB_OLE:
        value.kind = Kind::Bytes;
        return AccessLongValue::read(mdb, data, size, value.bytes);
    default:
        value.kind = Kind::Bytes;
        value.bytes.resize(0);
        value.bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
}
