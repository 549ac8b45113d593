#pragma once

#include <QString>
#include <QVariantList>

// The choices the benchmark makes, as a user types them, and the values the program binds
// into its queries for them (the scrambled columns in their stored form).
namespace BenchQueries {

inline const QString Manufacturer = QStringLiteral("ELETRAMAX");
inline const QString Family = QStringLiteral("Disjuntores");
inline const QString CompetitorReference = QStringLiteral("EMX-DJ220");
inline const QString HouseReference = QStringLiteral("KV-2104");
inline const QString Description = QStringLiteral("Disjuntor");
// Typed in capitals with accents; the catalogue holds them in other case ("KV-8390 Fotocélula",
// "Relés térmicos", "Relé térmico de sobrecarga ...").
inline const QString AccentedReference = QString::fromUtf8("KV-8390 FOTOCÉLULA");
inline const QString AccentedFamily = QString::fromUtf8("RELÉS TÉRMICOS");
inline const QString AccentedDescription = QString::fromUtf8("RELÉ TÉRMICO");
// In no product: the engine goes through every product to tell, the reference without the help
// of its index, as the text begins with an accented letter.
inline const QString MissingAccentedReference = QString::fromUtf8("ÇX-99");
inline const QString MissingAccentedDescription = QString::fromUtf8("CHAVE DE AÇO INOXIDÁVEL");
// Typed in lower case, and read out over the phone: lower case with blanks for separators.
inline const QString LowerCaseManufacturer = QStringLiteral("eletramax");
inline const QString LowerCaseCompetitorReference = QStringLiteral("emx-dj220");
inline const QString SpokenCompetitorReference = QStringLiteral("emx dj220");
inline const QString SpokenHouseReference = QStringLiteral("kv 2104");

QVariantList houseBrands();
QVariantList manufacturerAlone();    // references of a manufacturer
QVariantList manufacturerOnly();     // families of a manufacturer, family rows of a manufacturer
QVariantList manufacturerInFamily(); // references of a manufacturer in a family
QVariantList familyAlone(const QString& family = Family); // references in a family, manufacturers of a family
QVariantList familyOnly(const QString& family = Family);  // family named
QVariantList competitorReference();                       // rows of a competitor reference
QVariantList houseEquivalent();                           // house equivalent for the known competitor row
QVariantList houseByReference(const QString& typed = HouseReference); // product query by reference
QVariantList houseByDescription(const QString& typed = Description);  // product query by description
// The stored values looked for when `typed` names the `listed` entry in other case: its own,
// then the entry's.
QVariantList storedAsTyped(const QString& typed, const QString& listed);

} // namespace BenchQueries
