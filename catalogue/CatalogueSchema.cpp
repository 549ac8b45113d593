#include "CatalogueSchema.h"

#include "HouseBrands.h"

namespace CatalogueSchema {

QStringList createTableStatements()
{
    return {
        QStringLiteral("CREATE TABLE [Tabela Referencias] ("
                       "Numero INTEGER, Referencia TEXT COLLATE NOCASE, Descriçao TEXT COLLATE NOCASE, "
                       "Prazo INTEGER, Peso REAL, Preço REAL, IPI REAL, ICMS REAL, "
                       "[Class fiscal] TEXT COLLATE NOCASE, Dimensão TEXT COLLATE NOCASE, "
                       "Venda TEXT COLLATE NOCASE, Grupo TEXT COLLATE NOCASE, "
                       "[Referencia Nova] TEXT COLLATE NOCASE, Composiçao TEXT COLLATE NOCASE, "
                       "CodAnexo INTEGER)"),
        QStringLiteral("CREATE TABLE TabelaFotos ("
                       "Numeracao INTEGER, FOTO BLOB, [desc] TEXT COLLATE NOCASE, Ref TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE TabelaAnexos (Numeracao INTEGER, FOTO BLOB)"),
        QStringLiteral("CREATE TABLE RELATIONS ("
                       "REFERENCE TEXT COLLATE NOCASE, COMPANY TEXT COLLATE NOCASE, "
                       "FAMILY TEXT COLLATE NOCASE, REFERENCE_SET INTEGER, Detalhes TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE FAMILIES (FAMILY TEXT COLLATE NOCASE, DESCRIPTION TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE TabelaVersao ("
                       "Versao TEXT, Data TEXT, Revisao TEXT, TituloLink TEXT, LinkPrograma TEXT, "
                       "DicaParaLink TEXT)"),
    };
}

namespace {

QString textLiteral(const QString& text)
{
    QString quoted = text;
    return QLatin1Char('\'') + quoted.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

} // namespace

QVector<IndexDefinition> indexes()
{
    const auto index = [](const char* name, const char* table, QStringList columns, QString condition = {}) {
        return IndexDefinition{QString::fromUtf8(name), QString::fromUtf8(table), std::move(columns),
                               std::move(condition)};
    };
    // The rows of competitors, what every query that leaves the house brands out reads, and the
    // house brands' rows, which a resolution looks for. SQLite answers such a query (the brands
    // bound as values) from an index of those rows alone.
    const QString qv = textLiteral(HouseBrands::storedQV());
    const QString vestral = textLiteral(HouseBrands::storedVestral());
    const QString competitorRows = QStringLiteral("COMPANY <> %1 AND COMPANY <> %2").arg(qv, vestral);
    const QString houseRows = QStringLiteral("COMPANY = %1 OR COMPANY = %2").arg(qv, vestral);
    return {
        index("HouseReference", "Tabela Referencias", {QStringLiteral("Referencia")}),
        index("HouseDescription", "Tabela Referencias", {QStringLiteral("Descriçao")}),
        index("PhotoNumber", "TabelaFotos", {QStringLiteral("Numeracao")}),
        index("AttachmentNumber", "TabelaAnexos", {QStringLiteral("Numeracao")}),
        index("RelationReference", "RELATIONS", {QStringLiteral("REFERENCE")}),
        // The cross-reference lists read a million rows at full size: these indexes also hold
        // the columns the lists return, so that they are read from the index alone. The
        // competitor list's index is partial, so that a lookup of one reference keeps the
        // index above, whose equal references come in the order they were stored.
        index("RelationReferenceList", "RELATIONS", {QStringLiteral("REFERENCE"), QStringLiteral("COMPANY")},
              competitorRows),
        index("RelationCompany", "RELATIONS",
              {QStringLiteral("COMPANY"), QStringLiteral("FAMILY"), QStringLiteral("REFERENCE")}),
        // A group holds a handful of rows: its number alone finds them, and the index is built
        // in a fraction of the time three columns would take.
        index("RelationGroup", "RELATIONS", {QStringLiteral("REFERENCE_SET")}, houseRows),
        // Every query by family leaves the house brands out.
        index("RelationFamily", "RELATIONS",
              {QStringLiteral("FAMILY"), QStringLiteral("COMPANY"), QStringLiteral("REFERENCE")},
              competitorRows),
        index("FamilyCode", "FAMILIES", {QStringLiteral("FAMILY")}),
        index("FamilyDescription", "FAMILIES", {QStringLiteral("DESCRIPTION")}),
    };
}

QStringList createIndexStatements()
{
    QStringList statements;
    for (const IndexDefinition& index : indexes())
        statements << index.createStatement();
    return statements;
}

const char* const kHouseInsert =
    "INSERT INTO [Tabela Referencias] (Numero, Referencia, Descriçao, Prazo, Peso, Preço, IPI, ICMS, "
    "[Class fiscal], Dimensão, Venda, Grupo, [Referencia Nova], Composiçao, CodAnexo) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const kPhotoInsert = "INSERT INTO TabelaFotos (Numeracao, FOTO, [desc], Ref) VALUES (?, ?, ?, ?)";
const char* const kAttachmentInsert = "INSERT INTO TabelaAnexos (Numeracao, FOTO) VALUES (?, ?)";
const char* const kRelationInsert =
    "INSERT INTO RELATIONS (REFERENCE, COMPANY, FAMILY, REFERENCE_SET, Detalhes) VALUES (?, ?, ?, ?, ?)";
const char* const kFamilyInsert = "INSERT INTO FAMILIES (FAMILY, DESCRIPTION) VALUES (?, ?)";
const char* const kVersionInsert =
    "INSERT INTO TabelaVersao (Versao, Data, Revisao, TituloLink, LinkPrograma, DicaParaLink) "
    "VALUES (?, ?, ?, ?, ?, ?)";

} // namespace CatalogueSchema
