#include "AccessTableDefinition.h"

#include "AccessColumnFlags.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace AccessTableDefinition {

namespace {

// The longest text or binary column, in bytes: 255 characters, two bytes each in Jet 4.
int longestVariable(MdbHandle* mdb)
{
    return IS_JET3(mdb) ? 255 : 510;
}

bool isLongValue(int type)
{
    return type == MDB_MEMO || type == MDB_OLE;
}

// A column's own length, as its type and flags allow it.
bool hasLengthOfItsType(MdbHandle* mdb, const MdbColumn& column)
{
    const int type = column.col_type;
    // A boolean has no bytes of its own; a long value's reference is never fixed.
    if (type == MDB_BOOL)
        return column.is_fixed;
    if (isLongValue(type))
        return !column.is_fixed;
    if (const int size = storedSize(type))
        return column.col_size == size;
    return column.col_size > 0 && column.col_size <= longestVariable(mdb);
}

} // namespace

int storedSize(int type)
{
    switch (type) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_FLOAT:
    case MDB_COMPLEX:
        return 4;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
        return 8;
    case MDB_REPID:
        return 16;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

bool isKnownType(int type)
{
    return (type >= MDB_BOOL && type <= MDB_MEMO) || type == MDB_REPID || type == MDB_NUMERIC ||
           type == MDB_COMPLEX;
}

QString unreadableColumn(MdbHandle* mdb, MdbTableDef* table)
{
    const auto column = [table](unsigned int i) {
        return static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
    };
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        if (!isKnownType(column(i)->col_type))
            return QStringLiteral("a coluna %1 é de um tipo do Access que o programa não lê (0x%2)")
                .arg(QString::fromUtf8(column(i)->name))
                .arg(column(i)->col_type, 2, 16, QLatin1Char('0'));
    }
    // Calculated columns came with Access 2010.
    QHash<int, int> flags;
    if (mdb->f->jet_version < MDB_VER_ACCDB_2010 || !AccessColumnFlags::readExtended(mdb, table, &flags))
        return {};
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        if (flags.value(column(i)->col_num) & AccessColumnFlags::kCalculated)
            return QStringLiteral("a coluna %1 é calculada, e o programa não lê colunas calculadas")
                .arg(QString::fromUtf8(column(i)->name));
    }
    return {};
}

bool isSound(MdbHandle* mdb, MdbTableDef* table, int mostColumns)
{
    std::set<int> numbers;
    std::set<unsigned int> variableNumbers;
    std::vector<std::pair<int, int>> fixedRanges;
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        if (!isKnownType(column->col_type) || !hasLengthOfItsType(mdb, *column))
            return false;
        if (column->col_num < 0 || column->col_num >= mostColumns || !numbers.insert(column->col_num).second)
            return false;
        if (!column->is_fixed) {
            // The count is the most variable columns the table has had, deleted ones too; each
            // number, with the gaps deleted columns leave, lies below it.
            if (int(column->var_col_num) >= int(table->num_var_cols) ||
                !variableNumbers.insert(column->var_col_num).second)
                return false;
        } else if (column->col_type != MDB_BOOL) {
            if (column->fixed_offset < 0)
                return false;
            fixedRanges.emplace_back(column->fixed_offset, column->fixed_offset + column->col_size);
        }
    }
    std::sort(fixedRanges.begin(), fixedRanges.end());
    for (size_t i = 1; i < fixedRanges.size(); ++i) {
        if (fixedRanges[i].first < fixedRanges[i - 1].second)
            return false;
    }
    return true;
}

} // namespace AccessTableDefinition
