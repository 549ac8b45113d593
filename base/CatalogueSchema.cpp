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
    const auto index = [](const char* name, const char* table, QStringList columns, const char* statistics,
                          QString condition = {}) {
        return IndexDefinition{QString::fromUtf8(name), QString::fromUtf8(table), std::move(columns),
                               std::move(condition), QString::fromUtf8(statistics)};
    };
    // The house brands' rows, which a resolution looks for. SQLite answers such a query (the
    // brands bound as values) from an index of those rows alone.
    const QString houseRows =
        QStringLiteral("COMPANY = %1 OR COMPANY = %2")
            .arg(textLiteral(HouseBrands::storedQV()), textLiteral(HouseBrands::storedVestral()));
    // Every index on RELATIONS is one more sort of a million rows when an Access file is
    // converted, so each serves as many queries as it can. The cross-reference lists read a
    // million rows at full size: the two long indexes also hold the columns the lists return,
    // so that they are read from the index alone.
    //
    // The statistics are those of a large catalogue (100,000 products, a million
    // cross-references under 15 brands), written into every file: each catalogue is then
    // answered with the plans checked at that size, whatever its own size.
    return {
        index("HouseReference", "Tabela Referencias", {QStringLiteral("Referencia")}, "100000 1"),
        index("HouseDescription", "Tabela Referencias", {QStringLiteral("Descriçao")}, "100000 242"),
        index("PhotoNumber", "TabelaFotos", {QStringLiteral("Numeracao")}, "4000 1"),
        index("AttachmentNumber", "TabelaAnexos", {QStringLiteral("Numeracao")}, "20160 1"),
        // A lookup of one reference finds its rows here too, and asks for them in the order
        // they were stored.
        index("RelationReference", "RELATIONS", {QStringLiteral("REFERENCE"), QStringLiteral("COMPANY")},
              "1000000 2 2"),
        // A family's rows are found here as well, manufacturer by manufacturer: SQLite steps
        // over the few manufacturers (a skip-scan), and the rows come in the order an index led
        // by the family would give. It plans so only when the statistics show that each
        // manufacturer holds many rows.
        index("RelationCompany", "RELATIONS",
              {QStringLiteral("COMPANY"), QStringLiteral("FAMILY"), QStringLiteral("REFERENCE")},
              "1000000 66667 2545 2"),
        // A group holds a handful of rows: its number alone finds them, and the index is built
        // in a fraction of the time three columns would take.
        index("RelationGroup", "RELATIONS", {QStringLiteral("REFERENCE_SET")}, "289462 2", houseRows),
        index("FamilyCode", "FAMILIES", {QStringLiteral("FAMILY")}, "26 1"),
        index("FamilyDescription", "FAMILIES", {QStringLiteral("DESCRIPTION")}, "26 1"),
    };
}

QStringList statisticsStatements()
{
    QStringList rows;
    for (const IndexDefinition& index : indexes()) {
        rows << QStringLiteral("(%1, %2, %3)")
                    .arg(textLiteral(index.table), textLiteral(index.name), textLiteral(index.statistics));
    }
    // ANALYZE of the schema table alone creates sqlite_stat1, which SQLite lets a program fill.
    return {QStringLiteral("ANALYZE sqlite_schema"),
            QStringLiteral("INSERT INTO sqlite_stat1 (tbl, idx, stat) VALUES ") +
                rows.join(QLatin1String(", "))};
}

QStringList createIndexStatements()
{
    QStringList statements;
    for (const IndexDefinition& index : indexes())
        statements << index.createStatement();
    return statements + statisticsStatements();
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
