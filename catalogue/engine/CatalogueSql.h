#pragma once

#include "LetterCase.h"

#include <QString>
#include <QVariantList>

// Every query the program runs on the catalogue. Values are bound to the `?` places, in
// order; house brands are bound in their stored (scrambled) form.
//
// Letter case: plain-text values are compared without regard to the case of any letter, with
// the collation ANYCASE and the function ANYCASE_LIKE that the connection provides
// (LetterCaseSql). The scrambled columns REFERENCE, COMPANY and Detalhes are compared in their
// stored characters with the columns' own NOCASE: the case of a shown letter is not the case of
// its stored character, so folding the stored text would not ignore the shown case, and the
// long cross-reference lists must keep their indexes.
namespace CatalogueSql {

// Opening the catalogue.
inline const QString CountHouseReferences =
    QStringLiteral("Select Count(Referencia) FROM [Tabela Referencias]");
inline const QString HouseReferences =
    QStringLiteral("Select Referencia FROM [Tabela Referencias] ORDER BY Referencia");
inline const QString Descriptions =
    QStringLiteral("Select Descriçao FROM [Tabela Referencias] GROUP BY Descriçao ORDER BY Descriçao");
// Values: QV, VESTRAL.
inline const QString CompetitorReferences =
    QStringLiteral("Select REFERENCE FROM RELATIONS where COMPANY <> ? and COMPANY <> ? ORDER BY REFERENCE");
inline const QString Families =
    QStringLiteral("Select distinct DESCRIPTION FROM FAMILIES  ORDER BY DESCRIPTION");
// Values: QV, VESTRAL.
inline const QString Manufacturers = QStringLiteral(
    "SELECT distinct COMPANY FROM RELATIONS  WHERE COMPANY <> ? AND COMPANY <> ? ORDER BY COMPANY");
inline const QString Version = QStringLiteral("Select * FROM [TabelaVersao]");

// The queries that name a family go through FAMILIES first, a short table,
// and reach RELATIONS through the family code. Its description is compared without regard to
// case, which no index answers, so the engine would otherwise start from RELATIONS and walk all
// of a manufacturer's rows, or all rows. A CROSS JOIN fixes that order; it joins as INNER JOIN.

// The manufacturer filter and the family filter, with both chosen: the references of a
// manufacturer in a family. Values: manufacturer, family, QV, VESTRAL.
inline const QString ReferencesOfManufacturerInFamily = QStringLiteral(
    "SELECT RELATIONS.REFERENCE FROM FAMILIES CROSS JOIN RELATIONS ON RELATIONS.FAMILY = FAMILIES.FAMILY "
    "WHERE RELATIONS.COMPANY = ? and FAMILIES.DESCRIPTION = ? COLLATE ANYCASE and RELATIONS.COMPANY <> ? and "
    "RELATIONS.COMPANY <> ?");
// The manufacturer filter alone: the manufacturer's references. Values: manufacturer, QV, VESTRAL.
inline const QString ReferencesOfManufacturer =
    QStringLiteral("Select REFERENCE FROM [RELATIONS] WHERE COMPANY = ? and "
                   "RELATIONS.COMPANY <> ? and RELATIONS.COMPANY <> ?");
// ReferencesOfManufacturer for manufacturers none of which is a house brand, with its checks on the house
// brands made once on the values instead of on every row (HouseBrands::isHouseBrand): the column's NOCASE
// makes a row equal to a manufacturer equal to whatever that manufacturer equals, so a row of a
// manufacturer that is not a house brand never is one. Values: manufacturer.
inline const QString ReferencesOfCompetitor =
    QStringLiteral("Select REFERENCE FROM [RELATIONS] WHERE COMPANY = ?");
// The families of a manufacturer. Values: manufacturer. Through FAMILIES first as well: the families come in
// the order asked for, and each is checked for one row of the manufacturer, not joined with all of them. The
// rows are those of the join: every row of the manufacturer has a COMPANY equal to the value
// (NOCASE), so the distinct pairs of the join are its distinct descriptions, each the first in
// the order of the description index, as here.
inline const QString FamiliesOfManufacturer = QStringLiteral(
    "SELECT distinct FAMILIES.DESCRIPTION FROM FAMILIES WHERE EXISTS (SELECT 1 FROM RELATIONS WHERE "
    "RELATIONS.COMPANY = ? AND RELATIONS.FAMILY = FAMILIES.FAMILY) ORDER BY FAMILIES.DESCRIPTION");
// Whether a manufacturer has rows, with their families. Values: manufacturer.
inline const QString FamilyRowsOfManufacturer = QStringLiteral(
    "SELECT FAMILIES.DESCRIPTION, RELATIONS.COMPANY, RELATIONS.FAMILY FROM RELATIONS INNER JOIN FAMILIES ON "
    "RELATIONS.FAMILY = FAMILIES.FAMILY WHERE RELATIONS.COMPANY = ?");

// The family filter alone: the family's references. Values: family, QV, VESTRAL.
inline const QString ReferencesInFamily = QStringLiteral(
    "SELECT RELATIONS.REFERENCE FROM FAMILIES CROSS JOIN RELATIONS ON RELATIONS.FAMILY = FAMILIES.FAMILY "
    "WHERE FAMILIES.DESCRIPTION = ? COLLATE ANYCASE and RELATIONS.COMPANY <> ? and RELATIONS.COMPANY <> ?");
// The distinct manufacturers, a step at a time through the manufacturer index (one of each
// group of values equal under NOCASE), for the queries below.
inline const QString Makers = QStringLiteral(
    "WITH RECURSIVE makers(COMPANY) AS (SELECT min(COMPANY) FROM RELATIONS UNION ALL SELECT (SELECT "
    "min(COMPANY) FROM RELATIONS WHERE COMPANY > makers.COMPANY) FROM makers WHERE makers.COMPANY IS NOT "
    "NULL) ");
// ReferencesInFamily as the program runs it: the family's rows of each manufacturer in turn, the
// order in which the engine reads ReferencesInFamily's rows through the manufacturer index, but the house
// brands passed over as manufacturers rather than read and dropped a row at a time (a quarter of a family's
// rows). Values: family, QV, VESTRAL.
inline const QString ReferencesInFamilyByMaker =
    Makers +
    QStringLiteral("SELECT RELATIONS.REFERENCE FROM FAMILIES CROSS JOIN makers CROSS JOIN RELATIONS ON "
                   "RELATIONS.FAMILY = FAMILIES.FAMILY AND RELATIONS.COMPANY = makers.COMPANY WHERE "
                   "FAMILIES.DESCRIPTION = ?1 COLLATE ANYCASE AND makers.COMPANY <> ?2 COLLATE NOCASE "
                   "AND makers.COMPANY <> ?3 COLLATE NOCASE");
// The manufacturers of a family. Values: family, QV, VESTRAL. The manufacturers of a family: for each family
// row, each manufacturer in the order of the manufacturer index, the first of its rows in that family, as the
// join of all of them gave it; but one row read each, not every row of the family. The manufacturers
// themselves are found a step at a time through the index (makers).
inline const QString ManufacturersOfFamily =
    Makers +
    QStringLiteral(
        "SELECT distinct first.COMPANY FROM (SELECT (SELECT RELATIONS.COMPANY FROM RELATIONS WHERE "
        "RELATIONS.COMPANY = makers.COMPANY AND RELATIONS.FAMILY = FAMILIES.FAMILY AND RELATIONS.COMPANY <> "
        "?2 "
        "AND RELATIONS.COMPANY <> ?3) COLLATE NOCASE AS COMPANY FROM FAMILIES CROSS JOIN makers WHERE "
        "FAMILIES.DESCRIPTION = ?1 COLLATE ANYCASE) AS first WHERE first.COMPANY IS NOT NULL");
// The family as stored, whatever the case it was typed in. Values: family.
inline const QString FamilyNamed =
    QStringLiteral("SELECT DESCRIPTION from FAMILIES WHERE DESCRIPTION = ? COLLATE ANYCASE");

// Resolution of a competitor reference: its rows. Values: reference. The rows of a reference that
// several manufacturers use come in the order they were stored, whichever index finds them: the
// resolution takes the first.
inline const QString CompetitorReferenceRows = QStringLiteral(
    "SELECT RELATIONS.REFERENCE, FAMILIES.DESCRIPTION, RELATIONS.REFERENCE_SET, RELATIONS.COMPANY, "
    "RELATIONS.FAMILY, RELATIONS.Detalhes  FROM RELATIONS INNER JOIN FAMILIES ON RELATIONS.FAMILY = "
    "FAMILIES.FAMILY WHERE RELATIONS.REFERENCE = ? ORDER BY RELATIONS.rowid, FAMILIES.rowid");
// The house product of a resolved reference's group and family, asked of one house brand and
// then of the other. Values: group, family, house brand (QV, then VESTRAL).
inline const QString HouseEquivalent = QStringLiteral(
    "SELECT RELATIONS.REFERENCE, RELATIONS.REFERENCE_SET, RELATIONS.FAMILY, RELATIONS.COMPANY, "
    "RELATIONS.Detalhes FROM RELATIONS WHERE RELATIONS.REFERENCE_SET = ? And "
    "RELATIONS.FAMILY = ? COLLATE ANYCASE And RELATIONS.COMPANY = ?");

// The product query. Values: the LIKE pattern's LetterCase::indexPattern, which the engine's own
// LIKE checks through the NOCASE index where the pattern allows, then the LIKE pattern.
inline const QString Product = QStringLiteral(
    "SELECT [Tabela referenciaS].Numero, [Tabela referenciaS].Referencia, [Tabela referenciaS].descriçao, "
    "[Tabela referenciaS].Prazo, [Tabela referenciaS].peso, [Tabela referenciaS].Preço, "
    "[Tabela referenciaS].IPI, [Tabela referenciaS].ICMS, [Tabela referenciaS].[Class fiscal], "
    "[Tabela referenciaS].Dimensão, [Tabela referenciaS].Venda, [Tabela referenciaS].Grupo, "
    "[Tabela referenciaS].[Referencia Nova], [Tabela referenciaS].Composiçao, [Tabela referenciaS].CodAnexo, "
    "TabelaFotos.FOTO, TabelaFotos.desc, TabelaAnexos.FOTO as ArquivoAnexo, TabelaFotos.Ref FROM ( "
    "[Tabela referenciaS]  Left JOIN TabelaFotos ON [Tabela referenciaS].Numero = TabelaFotos.Numeracao) "
    "LEFT JOIN TabelaAnexos  ON [Tabela referenciaS].CodAnexo = TabelaAnexos.Numeracao WHERE ");
inline const QString ByReference =
    Product + QStringLiteral("Referencia LIKE ? AND ANYCASE_LIKE(Referencia, ?)");
inline const QString ByDescription =
    Product + QStringLiteral("Descriçao LIKE ? AND ANYCASE_LIKE(Descriçao, ?)");
// The last resorts of a description, in the order the designed lookup reads the products: those
// of the descriptions found to hold the text, or else every word of it (a few; values: the
// descriptions), or those whose description holds the text's key with letter case and accents
// aside (many; value: the key), or else every word of the text so (many; value: the text).
inline const QString ByDescriptions =
    Product + QStringLiteral("Descriçao = ? ORDER BY [Tabela referenciaS].rowid");
inline const QString ByDescriptionAccentsAside =
    Product + QStringLiteral("ACCENTLESS_CONTAINS(Descriçao, ?)");
inline const QString ByDescriptionWordsAside =
    Product + QStringLiteral("ACCENTLESS_HOLDS_WORDS(Descriçao, ?)");

// The values of the product query for the pattern the user's text makes.
inline QVariantList productValues(const QString& likePattern)
{
    return {LetterCase::indexPattern(likePattern), likePattern};
}

} // namespace CatalogueSql
