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

AccessCatalogueTable table(const char* name, const char* insert)
{
    AccessCatalogueTable t;
    t.name = QString::fromUtf8(name);
    t.insertStatement = insert;
    t.columns = insertColumns(insert);
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
