#include "AccessRowFields.h"

#include "AccessPage.h"

namespace AccessRowFields {

namespace {

using AccessPage::get16;

// The variable columns' offsets of a Jet 4 row, counted from the row's start: two bytes
// each, from the end of the row backwards, followed by the end of the variable part.
bool jet4Offsets(const unsigned char* row, int tableEnd, int count, std::vector<int>& offsets)
{
    if (tableEnd - 2 * (count + 1) < 0)
        return false;
    for (int i = 0; i <= count; ++i)
        offsets.push_back(get16(row + tableEnd - 2 * (i + 1)));
    return true;
}

// Jet 3 keeps one byte per offset; a row longer than 256 bytes adds one byte per 256 that
// names the first column whose offset lies past that boundary.
bool jet3Offsets(const unsigned char* row, int size, int maskSize, int count, std::vector<int>& offsets)
{
    int jumps = (size - 1) / 256;
    const int table = size - maskSize - 1 - jumps - 1;
    if (table - count < 0)
        return false;
    // The last jump is left out when it would point past the offsets themselves.
    if ((table - count) / 256 < jumps)
        --jumps;
    int used = 0;
    for (int i = 0; i <= count; ++i) {
        while (used < jumps && i == row[size - maskSize - 1 - used - 1])
            ++used;
        offsets.push_back(row[table - i] + used * 256);
    }
    return true;
}

} // namespace

bool crack(MdbHandle* mdb, MdbTableDef* table, int mostColumns, const unsigned char* page, int start,
           int size, std::vector<Field>& fields)
{
    const bool jet3 = IS_JET3(mdb);
    const int countSize = jet3 ? 1 : 2;
    const unsigned char* row = page + start;
    if (size < countSize)
        return false;
    const int rowColumns = jet3 ? row[0] : get16(row);
    const int maskSize = (rowColumns + 7) / 8;
    if (rowColumns > mostColumns || countSize + maskSize > size)
        return false;
    const unsigned char* mask = row + size - maskSize;

    int rowVariable = 0;
    std::vector<int> offsets;
    // Where the fixed part ends: at the first variable value, or at the offsets' table.
    int fixedEnd = size - maskSize;
    if (table->num_var_cols > 0) {
        const int countAt = size - maskSize - countSize;
        if (countAt < countSize)
            return false;
        rowVariable = jet3 ? row[countAt] : get16(row + countAt);
        if (rowVariable > rowColumns)
            return false;
        offsets.reserve(size_t(rowVariable) + 1);
        if (jet3 ? !jet3Offsets(row, size, maskSize, rowVariable, offsets)
                 : !jet4Offsets(row, countAt, rowVariable, offsets))
            return false;
        const int tableStart =
            jet3 ? countAt - (size - 1) / 256 - rowVariable - 1 : countAt - 2 * (rowVariable + 1);
        int previous = countSize;
        for (const int offset : offsets) {
            if (offset < previous || offset > tableStart)
                return false;
            previous = offset;
        }
        // The variable data ends at or before the offsets' table: Access leaves a byte or two
        // between them in some rows it rewrote, so no exact end is required.
        fixedEnd = rowVariable > 0 ? offsets.front() : tableStart;
    }
    fields.resize(table->num_cols);
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        Field& field = fields[i];
        field = Field();
        // A column added since the row was written has no bit in its mask, nor an offset if
        // it is variable; one the row counts has both, so a row whose variable count falls
        // short of its columns is refused. (The definition keeps every number inside
        // `mostColumns`.)
        const bool present =
            column->is_fixed ? column->col_num < rowColumns : int(column->var_col_num) < rowVariable;
        if (present != (column->col_num < rowColumns))
            return false;
        if (!present)
            continue;
        field.isNull = !(mask[column->col_num / 8] & (1 << (column->col_num % 8)));
        if (column->is_fixed) {
            field.start = countSize + column->fixed_offset;
            field.size = column->col_size;
            if (column->fixed_offset < 0 || field.size < 0 || field.start + field.size > fixedEnd)
                return false;
        } else {
            field.start = offsets[column->var_col_num];
            field.size = offsets[column->var_col_num + 1] - field.start;
        }
        field.start += start;
    }
    return true;
}

} // namespace AccessRowFields
