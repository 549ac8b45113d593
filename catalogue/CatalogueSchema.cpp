#include "CatalogueSchema.h"

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

QVector<IndexDefinition> indexes()
{
    const auto index = [](const char* name, const char* table, QStringList columns,
                          const char* requiredColumn = "") {
        return IndexDefinition{QString::fromUtf8(name), QString::fromUtf8(table), std::move(columns),
                               QString::fromUtf8(requiredColumn)};
    };
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
              "COMPANY"),
        index("RelationCompany", "RELATIONS",
              {QStringLiteral("COMPANY"), QStringLiteral("FAMILY"), QStringLiteral("REFERENCE")}),
        // A group holds a handful of rows: its number alone finds them, and the index is built
        // in a fraction of the time three columns would take.
        index("RelationGroup", "RELATIONS", {QStringLiteral("REFERENCE_SET")}),
        index("RelationFamily", "RELATIONS",
              {QStringLiteral("FAMILY"), QStringLiteral("COMPANY"), QStringLiteral("REFERENCE")}),
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
