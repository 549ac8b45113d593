#include "AccessSystemCatalogue.h"

#include "AccessNative.h"
#include "AccessTableReader.h"

#include <QSet>

namespace {

// Flags of the objects Access keeps for itself, as the library tells user tables apart.
constexpr quint32 kSystemObject = 0x80000002u;
// An object's type keeps its kind in the low seven bits.
constexpr qint64 kTypeMask = 0x7f;
constexpr quint32 kPageMask = 0x00ffffff;
constexpr quint32 kCataloguePage = 2;

int findColumn(const QVector<AccessColumn>& columns, const char* name, const QVector<int>& types)
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return types.contains(columns.at(i).type) ? i : -1;
    }
    return -1;
}

} // namespace

namespace AccessSystemCatalogue {

bool readUserTables(AccessDatabase& database, QVector<Table>* tables)
{
    AccessTableReader reader(database, QStringLiteral("MSysObjects"));
    if (!reader.isOpen())
        return false;
    const QVector<int> integers = {MDB_BYTE, MDB_INT, MDB_LONGINT};
    const QVector<int> selection = {
        findColumn(reader.columns(), "Id", integers), findColumn(reader.columns(), "Name", {MDB_TEXT}),
        findColumn(reader.columns(), "Type", integers), findColumn(reader.columns(), "Flags", integers)};
    if (selection.contains(-1))
        return false;
    reader.selectColumns(selection);
    enum Selected
    {
        Id,
        Name,
        Type,
        Flags
    };

    QSet<quint32> pages = {kCataloguePage};
    // A user table under the catalogue's own name would be read as the catalogue.
    QSet<QString> names = {QStringLiteral("MSysObjects").toCaseFolded()};
    while (reader.advance()) {
        const AccessValue& type = reader.read(Type);
        if (reader.failed())
            return false;
        if (type.kind != AccessValue::Kind::Integer || (type.integer & kTypeMask) != MDB_TABLE)
            continue;
        const AccessValue& flags = reader.read(Flags);
        if (reader.failed())
            return false;
        if (flags.kind == AccessValue::Kind::Integer && (quint32(flags.integer) & kSystemObject) != 0)
            continue;
        const AccessValue& id = reader.read(Id);
        if (reader.failed() || id.kind != AccessValue::Kind::Integer)
            return false;
        const quint32 page = quint32(id.integer) & kPageMask;
        const AccessValue& nameValue = reader.read(Name);
        if (reader.failed() || nameValue.kind != AccessValue::Kind::Text)
            return false;
        const QString name = nameValue.text;
        if (name.isEmpty() || name.toUtf8().size() > MDB_MAX_OBJ_NAME)
            return false;
        // One definition page read as two tables, or two tables the program tells apart only
        // by letter case: either would import one table's rows in place of another's.
        if (pages.contains(page) || names.contains(name.toCaseFolded()))
            return false;
        pages.insert(page);
        names.insert(name.toCaseFolded());
        tables->append({name, page});
    }
    return !reader.failed() && reader.rowsRead() >= reader.declaredRowCount();
}

} // namespace AccessSystemCatalogue
