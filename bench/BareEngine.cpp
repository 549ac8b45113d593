#include "BareEngine.h"

#include "BareStatement.h"
#include "BenchQueries.h"
#include "catalogue/CatalogueSql.h"
#include "catalogue/LetterCaseSql.h"

#include <sqlite3.h>

BareEngine::BareEngine(const QString& path) : m_path(path), m_db(openFile(path)) {}

BareEngine::~BareEngine()
{
    sqlite3_close(m_db);
}

sqlite3* BareEngine::openFile(const QString& path)
{
    sqlite3* db = nullptr;
    // The program's SQL texts call the comparisons its connection provides.
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        !LetterCaseSql::install(db)) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

qint64 BareEngine::list(const QString& sql, const QVariantList& values, QStringList* texts,
                        std::vector<bool>* nulls) const
{
    BareStatement statement(m_db, sql, values);
    return statement.ok() ? statement.readAll(texts, nulls) : -1;
}

bool BareEngine::first(const QString& sql, const QVariantList& values) const
{
    BareStatement statement(m_db, sql, values);
    return statement.next();
}

bool BareEngine::openCatalogue() const
{
    sqlite3* db = openFile(m_path);
    if (!db)
        return false;
    bool ok = BareStatement(db, CatalogueSql::CountHouseReferences, {}).next();
    const QVariantList brands = BenchQueries::houseBrands();
    const auto readList = [&](const QString& sql, const QVariantList& values) {
        BareStatement statement(db, sql, values);
        ok = ok && statement.ok() && statement.readAll() > 0;
    };
    readList(CatalogueSql::HouseReferences, {});
    readList(CatalogueSql::Descriptions, {});
    readList(CatalogueSql::CompetitorReferences, brands);
    readList(CatalogueSql::Families, {});
    readList(CatalogueSql::Companies, brands);
    BareStatement(db, CatalogueSql::Version, {}).next();
    sqlite3_close(db);
    return ok;
}
