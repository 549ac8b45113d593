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

QStringList createIndexStatements()
{
    return {
        QStringLiteral("CREATE INDEX HouseReference ON [Tabela Referencias] (Referencia)"),
        QStringLiteral("CREATE INDEX HouseDescription ON [Tabela Referencias] (Descriçao)"),
        QStringLiteral("CREATE INDEX PhotoNumber ON TabelaFotos (Numeracao)"),
        QStringLiteral("CREATE INDEX AttachmentNumber ON TabelaAnexos (Numeracao)"),
        QStringLiteral("CREATE INDEX RelationReference ON RELATIONS (REFERENCE)"),
        // The cross-reference lists read a million rows at full size: these indexes also hold
        // the columns the lists return, so that they are read from the index alone. The
        // competitor list's index is partial, so that a lookup of one reference keeps the
        // index above, whose equal references come in the order they were stored.
        QStringLiteral("CREATE INDEX RelationReferenceList ON RELATIONS (REFERENCE, COMPANY) "
                       "WHERE COMPANY IS NOT NULL"),
        QStringLiteral("CREATE INDEX RelationCompany ON RELATIONS (COMPANY, FAMILY, REFERENCE)"),
        QStringLiteral("CREATE INDEX RelationGroup ON RELATIONS (REFERENCE_SET, FAMILY, COMPANY)"),
        QStringLiteral("CREATE INDEX RelationFamily ON RELATIONS (FAMILY, COMPANY, REFERENCE)"),
        QStringLiteral("CREATE INDEX FamilyCode ON FAMILIES (FAMILY)"),
        QStringLiteral("CREATE INDEX FamilyDescription ON FAMILIES (DESCRIPTION)"),
    };
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
