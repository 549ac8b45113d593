#include "BareEngine.h"

#include "BenchQueries.h"
#include "base/SqliteStatement.h"
#include "catalogue/engine/CatalogueSql.h"

namespace {

// Bytes read, so that the reads are not optimised away.
qint64 touched = 0;

SqliteStatement prepared(const Connection& connection, const QString& sql, const QVariantList& values)
{
    SqliteStatement statement(connection.handle(), sql);
    if (!statement.bindAll(values))
        return SqliteStatement();
    return statement;
}

// Steps onto the next row and reads all its columns, as the program would; false at the end.
bool readRow(SqliteStatement& statement)
{
    if (statement.step() != SqliteStatement::Step::Row)
        return false;
    for (int c = 0; c < statement.columnCount(); ++c) {
        const bool blob = statement.type(c) == SqliteStatement::Type::Blob;
        touched += (blob ? statement.blob(c) : statement.utf8(c)).size();
    }
    return true;
}

// Every row's first column; with `texts`, the texts and nulls are also kept.
qint64 readAll(SqliteStatement& statement, QStringList* texts, std::vector<bool>* nulls)
{
    qint64 rows = 0;
    while (statement.step() == SqliteStatement::Step::Row) {
        const QByteArrayView text = statement.utf8(0);
        touched += text.size();
        if (texts) {
            const bool null = statement.isNull(0);
            texts->append(null ? QString() : QString::fromUtf8(text));
            nulls->push_back(null);
        }
        ++rows;
    }
    return rows;
}

} // namespace

BareEngine::BareEngine(const QString& path) : m_path(path)
{
    m_connection.open(path);
}

qint64 BareEngine::list(const QString& sql, const QVariantList& values, QStringList* texts,
                        std::vector<bool>* nulls) const
{
    SqliteStatement statement = prepared(m_connection, sql, values);
    return statement.isPrepared() ? readAll(statement, texts, nulls) : -1;
}

bool BareEngine::first(const QString& sql, const QVariantList& values) const
{
    SqliteStatement statement = prepared(m_connection, sql, values);
    return readRow(statement);
}

bool BareEngine::openCatalogue() const
{
    Connection connection;
    if (!connection.open(m_path))
        return false;
    SqliteStatement count = prepared(connection, CatalogueSql::CountHouseReferences, {});
    bool ok = readRow(count);
    const QVariantList brands = BenchQueries::houseBrands();
    const auto readList = [&](const QString& sql, const QVariantList& values) {
        SqliteStatement statement = prepared(connection, sql, values);
        ok = ok && statement.isPrepared() && readAll(statement, nullptr, nullptr) > 0;
    };
    readList(CatalogueSql::HouseReferences, {});
    readList(CatalogueSql::Descriptions, {});
    readList(CatalogueSql::CompetitorReferences, brands);
    readList(CatalogueSql::Families, {});
    readList(CatalogueSql::Manufacturers, brands);
    SqliteStatement version = prepared(connection, CatalogueSql::Version, {});
    readRow(version);
    return ok;
}
