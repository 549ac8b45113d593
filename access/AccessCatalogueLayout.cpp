#include "AccessCatalogueLayout.h"

#include "base/CatalogueSchema.h"

namespace {

// The column list of an insert statement: "INSERT INTO t (a, [b c], d) VALUES ...".
QStringList insertColumns(const char* statement)
{
    const QString text = QString::fromUtf8(statement);
    const int open = text.indexOf(QLatin1Char('('));
    const int close = text.indexOf(QLatin1Char(')'), open);
    QStringList columns = text.mid(open + 1, close - open - 1).split(QLatin1Char(','));
    for (QString& column : columns) {
        column = column.trimmed();
        if (column.startsWith(QLatin1Char('[')) && column.endsWith(QLatin1Char(']')))
            column = column.mid(1, column.size() - 2);
    }
    return columns;
}

// The columns of a table the copy declares as numbers, from the statement that creates it:
// "CREATE TABLE [t u] (a INTEGER, [b c] TEXT COLLATE NOCASE, d REAL)".
QStringList numberColumns(const QString& table)
{
    const QString start =
        QStringLiteral("CREATE TABLE %1 (")
            .arg(table.contains(QLatin1Char(' ')) ? QLatin1Char('[') + table + QLatin1Char(']') : table);
    QStringList numbers;
    for (const QString& statement : CatalogueSchema::createTableStatements()) {
        if (!statement.startsWith(start))
            continue;
        const QString body =
            statement.mid(start.size(), statement.lastIndexOf(QLatin1Char(')')) - start.size());
        for (QString column : body.split(QLatin1Char(','))) {
            column = column.trimmed();
            const bool bracketed = column.startsWith(QLatin1Char('['));
            const int end =
                bracketed ? column.indexOf(QLatin1Char(']')) + 1 : column.indexOf(QLatin1Char(' '));
            const QString type = column.mid(end).trimmed().section(QLatin1Char(' '), 0, 0);
            if (type == QLatin1String("INTEGER") || type == QLatin1String("REAL"))
                numbers.append(bracketed ? column.mid(1, end - 2) : column.left(end));
        }
    }
    return numbers;
}

AccessCatalogueTable table(const char* name, const char* insert)
{
    AccessCatalogueTable t;
    t.name = QString::fromUtf8(name);
    t.insertStatement = insert;
    t.columns = insertColumns(insert);
    t.numberColumns = numberColumns(t.name);
    return t;
}

} // namespace

namespace AccessCatalogueLayout {

QVector<AccessCatalogueTable> tables()
{
    AccessCatalogueTable house = table("Tabela Referencias", CatalogueSchema::kHouseInsert);
    house.required = true;
    house.requiredColumns = {QStringLiteral("Referencia"), QStringLiteral("Descriçao")};

    AccessCatalogueTable photos = table("TabelaFotos", CatalogueSchema::kPhotoInsert);
    photos.storedFileColumns = {QStringLiteral("FOTO")};

    AccessCatalogueTable attachments = table("TabelaAnexos", CatalogueSchema::kAttachmentInsert);
    attachments.storedFileColumns = {QStringLiteral("FOTO")};

    AccessCatalogueTable relations = table("RELATIONS", CatalogueSchema::kRelationInsert);
    relations.required = true;
    relations.requiredColumns = {QStringLiteral("REFERENCE"), QStringLiteral("COMPANY")};

    AccessCatalogueTable families = table("FAMILIES", CatalogueSchema::kFamilyInsert);
    families.required = true;
    families.requiredColumns = {QStringLiteral("DESCRIPTION")};

    AccessCatalogueTable version = table("TabelaVersao", CatalogueSchema::kVersionInsert);
    version.positionalColumns = 3;
    version.valuesAsText = true;

    return {house, photos, attachments, relations, families, version};
}

} // namespace AccessCatalogueLayout
