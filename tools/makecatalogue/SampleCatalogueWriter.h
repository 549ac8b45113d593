#pragma once

#include "CatalogueSize.h"
#include "HouseProduct.h"

#include <QString>
#include <QVector>

class QSqlDatabase;
class QSqlQuery;
class SampleRandom;

// Writes a complete sample catalogue file: families, version, house products with their
// photos and drawings, and the cross-reference table, in one transaction, then the indexes.
class SampleCatalogueWriter
{
public:
    struct Summary
    {
        int products = 0;
        int families = 0;
        int relations = 0;
        int groups = 0;
        int photos = 0;
        int drawings = 0;
        qint64 bytes = 0;
    };

    explicit SampleCatalogueWriter(const CatalogueSize& size);

    // Replaces any file at path; on failure leaves it as it was and returns false.
    bool write(const QString& path);
    const Summary& summary() const { return m_summary; }
    const QString& errorText() const { return m_errorText; }

private:
    bool writeDatabase(QSqlDatabase& database);
    bool runStatements(QSqlDatabase& database, const QStringList& statements);
    bool writeFamilies(QSqlDatabase& database);
    bool writeVersion(QSqlDatabase& database);
    bool writeProducts(QSqlDatabase& database, const QVector<HouseProduct>& products);
    bool writePhotos(QSqlDatabase& database, const QVector<HouseProduct>& products, SampleRandom& random);
    bool writeDrawings(QSqlDatabase& database, const QVector<HouseProduct>& products);
    bool writeRelations(QSqlDatabase& database, const QVector<HouseProduct>& products, SampleRandom& random);
    QVector<bool> choosePhotographed(const QVector<HouseProduct>& products, SampleRandom& random) const;
    QString scrambled(const QString& shown);
    QVariant scrambled(const QVariant& shown);
    bool execute(QSqlQuery& query);

    CatalogueSize m_size;
    Summary m_summary;
    QString m_errorText;
};
