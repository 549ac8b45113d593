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

QVariantList houseBrands();
QVariantList manufacturerAlone();    // M2
QVariantList manufacturerOnly();     // M3, M4
QVariantList manufacturerInFamily(); // M1, F1
QVariantList familyAlone();          // F2, F3
QVariantList familyOnly();           // F4
QVariantList competitorReference();  // R1
QVariantList houseEquivalent();      // R2 for the known competitor row
QVariantList houseByReference();     // product query by reference
QVariantList houseByDescription();   // product query by description

} // namespace BenchQueries
