#include "SampleCatalogueWriter.h"

#include "DrawingPdf.h"
#include "FamilyList.h"
#include "HouseProductMaker.h"
#include "PhotoPool.h"
#include "RelationGroupMaker.h"
#include "SampleRandom.h"
#include "StoredFileValue.h"
#include "base/CatalogueSchema.h"
#include "base/ScrambleText.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace {

const char kConnectionName[] = "SampleCatalogueWriter";

// Products drawn with their own captioned photo; the others share drawn photos.
constexpr int kOwnPhotoCount = 100;

enum Stream : quint32
{
    ProductStream = 1,
    PhotoStream = 2,
    RelationStream = 3,
};

} // namespace

SampleCatalogueWriter::SampleCatalogueWriter(const CatalogueSize& size) : m_size(size) {}

bool SampleCatalogueWriter::write(const QString& path)
{
    // Built beside the target and renamed at the end, so a failed run leaves no half file.
    const QString partial = QFileInfo(path).absoluteFilePath() + QStringLiteral(".partial");
    QFile::remove(partial);

    bool written = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnectionName);
        database.setDatabaseName(partial);
        if (!database.open())
            m_errorText = database.lastError().text();
        else
            written = writeDatabase(database);
        database.close();
    }
    QSqlDatabase::removeDatabase(kConnectionName);

    if (written && QFile::exists(path) && !QFile::remove(path)) {
        m_errorText = QStringLiteral("cannot replace %1").arg(path);
        written = false;
    }
    if (written && !QFile::rename(partial, path)) {
        m_errorText = QStringLiteral("cannot rename %1 to %2").arg(partial, path);
        written = false;
    }
    if (!written) {
        QFile::remove(partial);
        return false;
    }
    m_summary.bytes = QFileInfo(path).size();
    return true;
}

bool SampleCatalogueWriter::writeDatabase(QSqlDatabase& database)
{
    // The file is built from nothing and renamed only when complete: no journal is needed.
    if (!runStatements(database, {QStringLiteral("PRAGMA journal_mode = OFF"),
                                  QStringLiteral("PRAGMA synchronous = OFF")}))
        return false;
    if (!runStatements(database, CatalogueSchema::createTableStatements()))
        return false;

    SampleRandom productRandom(m_size.seed, ProductStream);
    SampleRandom photoRandom(m_size.seed, PhotoStream);
    SampleRandom relationRandom(m_size.seed, RelationStream);
    const QVector<HouseProduct> products = HouseProductMaker(productRandom).make(m_size.products);

    if (!database.transaction()) {
        m_errorText = database.lastError().text();
        return false;
    }
    const bool filled = writeFamilies(database) && writeVersion(database) &&
                        writeProducts(database, products) && writePhotos(database, products, photoRandom) &&
                        writeDrawings(database, products) &&
                        writeRelations(database, products, relationRandom);
    if (!filled) {
        database.rollback();
        return false;
    }
    if (!database.commit()) {
        m_errorText = database.lastError().text();
        return false;
    }
    return runStatements(database, CatalogueSchema::createIndexStatements());
}

bool SampleCatalogueWriter::runStatements(QSqlDatabase& database, const QStringList& statements)
{
    QSqlQuery query(database);
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            m_errorText = query.lastError().text();
            return false;
        }
    }
    return true;
}

bool SampleCatalogueWriter::writeFamilies(QSqlDatabase& database)
{
    QSqlQuery query(database);
    query.prepare(QString::fromUtf8(CatalogueSchema::kFamilyInsert));
    for (const ProductFamily& family : FamilyList::families()) {
        query.bindValue(0, family.code);
        query.bindValue(1, family.description);
        if (!execute(query))
            return false;
        ++m_summary.families;
    }
    return true;
}

bool SampleCatalogueWriter::writeVersion(QSqlDatabase& database)
{
    QSqlQuery query(database);
    query.prepare(QString::fromUtf8(CatalogueSchema::kVersionInsert));
    query.bindValue(0, QStringLiteral("Catálogo Korvel"));
    query.bindValue(1, QStringLiteral("Versão 2026.12"));
    query.bindValue(2, QStringLiteral("Revisão 3"));
    query.bindValue(3, QStringLiteral("Atualizações do catálogo"));
    query.bindValue(4, QStringLiteral("http://www.korvel.com.br/produtos/catalogo/index.cfm"));
    query.bindValue(5, QStringLiteral("Clique para ver as atualizações"));
    return execute(query);
}

bool SampleCatalogueWriter::writeProducts(QSqlDatabase& database, const QVector<HouseProduct>& products)
{
    QSqlQuery query(database);
    query.prepare(QString::fromUtf8(CatalogueSchema::kHouseInsert));
    for (const HouseProduct& product : products) {
        query.bindValue(0, product.number);
        query.bindValue(1, product.reference);
        query.bindValue(2, product.description);
        query.bindValue(3, product.leadTime);
        query.bindValue(4, product.weight);
        query.bindValue(5, product.price);
        query.bindValue(6, product.ipi);
        query.bindValue(7, product.icms);
        query.bindValue(8, product.fiscalClass);
        query.bindValue(9, product.dimension);
        query.bindValue(10, product.sales);
        query.bindValue(11, product.group);
        query.bindValue(12, product.newReference);
        query.bindValue(13, product.composition);
        query.bindValue(14, product.attachmentNumber);
        if (!execute(query))
            return false;
        ++m_summary.products;
    }
    return true;
}

bool SampleCatalogueWriter::writePhotos(QSqlDatabase& database, const QVector<HouseProduct>& products,
                                        SampleRandom& random)
{
    const QVector<bool> photographed = choosePhotographed(products, random);
    const PhotoPool pool;
    const QVector<QSize>& sizes = PhotoPool::sizes();

    QSqlQuery query(database);
    query.prepare(QString::fromUtf8(CatalogueSchema::kPhotoInsert));
    for (int i = 0; i < products.size(); ++i) {
        if (!photographed.at(i))
            continue;
        const HouseProduct& product = products.at(i);
        const PhotoShape shape = FamilyList::families().at(product.familyIndex).shape;
        QByteArray photo;
        if (!product.photoSize.isEmpty()) {
            photo = PhotoPool::uniquePhoto(shape, product.photoSize, product.photoAsPng,
                                           product.familyIndex * 14, product.reference);
        } else if (m_summary.photos < kOwnPhotoCount) {
            const QSize size = sizes.at(random.below(static_cast<int>(sizes.size())));
            photo =
                PhotoPool::uniquePhoto(shape, size, random.chance(25), random.below(360), product.reference);
        } else {
            photo = pool.sharedPhoto(shape, product.number);
        }
        query.bindValue(0, product.number);
        query.bindValue(1, photo);
        query.bindValue(2, product.description);
        query.bindValue(3, product.reference);
        if (!execute(query))
            return false;
        ++m_summary.photos;
    }
    return true;
}

// Fixed products that must have a photo come first; the rest of the photos go to a random
// selection of the other products, exactly as many as asked for.
QVector<bool> SampleCatalogueWriter::choosePhotographed(const QVector<HouseProduct>& products,
                                                        SampleRandom& random) const
{
    const int count = static_cast<int>(products.size());
    int wanted = m_size.photos >= 0 ? m_size.photos : std::min(count * 85 / 100, 4000);
    QVector<bool> chosen(count, false);
    int candidates = 0;
    for (int i = 0; i < count; ++i) {
        const HouseProduct::Photo photo = products.at(i).photo;
        if (photo == HouseProduct::Photo::Always && wanted > 0) {
            chosen[i] = true;
            --wanted;
        } else if (photo == HouseProduct::Photo::Maybe) {
            ++candidates;
        }
    }
    for (int i = 0; i < count && wanted > 0; ++i) {
        if (products.at(i).photo != HouseProduct::Photo::Maybe)
            continue;
        if (random.below(candidates) < wanted) {
            chosen[i] = true;
            --wanted;
        }
        --candidates;
    }
    return chosen;
}

bool SampleCatalogueWriter::writeDrawings(QSqlDatabase& database, const QVector<HouseProduct>& products)
{
    QSqlQuery query(database);
    query.prepare(QString::fromUtf8(CatalogueSchema::kAttachmentInsert));
    for (const HouseProduct& product : products) {
        if (!product.hasDrawing)
            continue;
        const QByteArray pdf = DrawingPdf::make(product.reference, product.description, product.dimension);
        query.bindValue(0, product.attachmentNumber);
        query.bindValue(1, StoredFileValue::make("pdf", pdf));
        if (!execute(query))
            return false;
        ++m_summary.drawings;
    }
    return true;
}

bool SampleCatalogueWriter::writeRelations(QSqlDatabase& database, const QVector<HouseProduct>& products,
                                           SampleRandom& random)
{
    RelationGroupMaker maker(random, products);
    QSqlQuery query(database);
    query.prepare(QString::fromUtf8(CatalogueSchema::kRelationInsert));
    while (m_summary.relations < m_size.relations) {
        const QVector<RelationRow> group = maker.nextGroup();
        for (const RelationRow& row : group) {
            if (m_summary.relations == m_size.relations)
                break;
            query.bindValue(0, scrambled(row.reference));
            query.bindValue(1, scrambled(row.company));
            query.bindValue(2, row.family);
            query.bindValue(3, row.referenceSet);
            query.bindValue(4, scrambled(row.notes));
            if (!m_errorText.isEmpty() || !execute(query))
                return false;
            ++m_summary.relations;
        }
        ++m_summary.groups;
    }
    return true;
}

// The stored form of a scrambled column. Only text that scrambles back to itself may be
// stored, or the program would show something else than was meant.
QString SampleCatalogueWriter::scrambled(const QString& shown)
{
    const QString stored = ScrambleText(shown);
    if (ScrambleText(stored) != shown)
        m_errorText = QStringLiteral("text does not survive scrambling: %1").arg(shown);
    return stored;
}

QVariant SampleCatalogueWriter::scrambled(const QVariant& shown)
{
    if (!shown.isValid())
        return shown;
    return scrambled(shown.toString());
}

bool SampleCatalogueWriter::execute(QSqlQuery& query)
{
    if (query.exec())
        return true;
    m_errorText = query.lastError().text();
    return false;
}
