#include "Jet4CatalogueExport.h"

#include "Jet4Writer.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include <memory>

using Kind = Jet4ColumnDefinition::Kind;
using Jet4CatalogueExport::Shape;

namespace {

constexpr int kTextCharacters = 255;

QString quoted(const QString& identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

Kind kindOf(QSqlDatabase& db, const QString& table, const QString& column, const QString& declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("INT")))
        return Kind::Long;
    if (type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("FLOA")) ||
        type.contains(QLatin1String("DOUB")))
        return Kind::Double;
    if (type.contains(QLatin1String("BLOB")))
        return Kind::Ole;
    QSqlQuery longest(db);
    if (longest.exec(QStringLiteral("SELECT max(length(%1)) FROM %2").arg(quoted(column), quoted(table))) &&
        longest.next() && longest.value(0).toInt() > kTextCharacters)
        return Kind::Memo;
    return Kind::Text;
}

// Where an edited table keeps its deleted columns: before the catalogue's own.
const QVector<Jet4ColumnDefinition> kDeletedColumns = {{QStringLiteral("Apagada"), Kind::Double, true},
                                                       {QStringLiteral("Antiga"), Kind::Text, true}};

// Adds one row of an edited table, the `index`th: one in five follows a deleted copy of
// itself, one in seven is moved, and trailing nulls are left to columns added after it.
bool addEditedRow(Jet4Writer& writer, QVariantList values, int index)
{
    values.prepend(QStringLiteral("apagada %1").arg(index));
    values.prepend(index * 0.5);
    Jet4RowEdits edits;
    edits.columns = int(values.size());
    while (edits.columns > 1 &&
           (values.at(edits.columns - 1).isNull() || !values.at(edits.columns - 1).isValid()))
        --edits.columns;
    edits.slack = index % 3;
    Jet4RowEdits deleted = edits;
    deleted.deleted = true;
    edits.moved = index % 7 == 3;
    return (index % 5 != 2 || writer.addEditedRow(values, deleted)) && writer.addEditedRow(values, edits);
}

bool exportTable(QSqlDatabase& db, const QString& table, Jet4Writer& writer, Shape shape, QString* error)
{
    QVector<Jet4ColumnDefinition> columns;
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)))) {
        *error = info.lastError().text();
        return false;
    }
    QStringList names;
    QStringList types;
    while (info.next()) {
        names.append(info.value(1).toString());
        types.append(info.value(2).toString());
    }
    const bool edited = shape == Shape::Edited;
    if (edited)
        columns = kDeletedColumns;
    for (int i = 0; i < names.size(); ++i)
        columns.append({names.at(i), kindOf(db, table, names.at(i), types.at(i))});
    if (!writer.beginTable(table, columns)) {
        *error = writer.errorString();
        return false;
    }

    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoted(table)))) {
        *error = rows.lastError().text();
        return false;
    }
    QVariantList values;
    for (int index = 0; rows.next(); ++index) {
        values.clear();
        for (int i = 0; i < names.size(); ++i)
            values.append(rows.value(i));
        if (edited ? !addEditedRow(writer, values, index) : !writer.addRow(values)) {
            *error = writer.errorString();
            return false;
        }
    }
    if (!writer.endTable()) {
        *error = writer.errorString();
        return false;
    }
    return true;
}

std::unique_ptr<Jet4Writer> writerFor(const QString& accessPath, const Jet4CatalogueExport::Target& target)
{
    if (target.format == Jet4FileFormat::Jet4)
        return std::make_unique<Jet4Writer>(accessPath, target.encodingKey);
    std::shared_ptr<const Jet4AgileEncryption> encryption;
    if (!target.password.isEmpty())
        encryption = std::make_shared<const Jet4AgileEncryption>(
            target.password, Jet4AgileEncryption::randomSecrets(), target.spinCount);
    return std::make_unique<Jet4Writer>(accessPath, target.format, encryption);
}

bool exportTables(QSqlDatabase& db, const QString& accessPath, const Jet4CatalogueExport::Target& target,
                  Shape shape, QString* error)
{
    QSqlQuery tables(db);
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                    "'sqlite%' ORDER BY rowid"))) {
        *error = tables.lastError().text();
        return false;
    }
    QStringList names;
    while (tables.next())
        names.append(tables.value(0).toString());
    if (names.isEmpty()) {
        *error = QStringLiteral("no tables in %1").arg(db.databaseName());
        return false;
    }

    if (target.format != Jet4FileFormat::Jet4 && target.encodingKey != 0) {
        *error = QStringLiteral("an ACE file is encrypted with a password, not an RC4 key");
        return false;
    }
    const std::unique_ptr<Jet4Writer> written = writerFor(accessPath, target);
    Jet4Writer& writer = *written;
    if (!writer.open()) {
        *error = writer.errorString();
        return false;
    }
    for (const QString& name : names) {
        if (!exportTable(db, name, writer, shape, error))
            return false;
    }
    if (!writer.finish()) {
        *error = writer.errorString();
        return false;
    }
    return true;
}

} // namespace

namespace Jet4CatalogueExport {

bool convert(const QString& sqlitePath, const QString& accessPath, std::uint32_t encodingKey, QString* error,
             Shape shape)
{
    Target target;
    target.encodingKey = encodingKey;
    return convert(sqlitePath, accessPath, target, error, shape);
}

bool convert(const QString& sqlitePath, const QString& accessPath, const Target& target, QString* error,
             Shape shape)
{
    if (!QFile::exists(sqlitePath)) {
        *error = QStringLiteral("%1 does not exist").arg(sqlitePath);
        return false;
    }
    const QString connection = QUuid::createUuid().toString();
    bool converted = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(sqlitePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            *error = db.lastError().text();
        else
            converted = exportTables(db, accessPath, target, shape, error);
    }
    QSqlDatabase::removeDatabase(connection);
    if (!converted)
        QFile::remove(accessPath);
    return converted;
}

} // namespace Jet4CatalogueExport
