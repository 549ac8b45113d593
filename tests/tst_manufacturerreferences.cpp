#include "ReadAheadCheck.h"
#include "TestCatalogue.h"
#include "base/CatalogueSchema.h"
#include "base/HouseBrands.h"
#include "catalogue/engine/AnyOfSql.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/opened/Catalogue.h"

#include <QTemporaryDir>
#include <QTest>

// The manufacturers' references read ahead answer the manufacturer filter with the rows, in the
// order, that its query gives on the same file; where they cannot be sure to, they answer nothing
// and the query is asked.
class TestManufacturerReferences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameRowsAsTheQuery_data();
    void sameRowsAsTheQuery();

private:
    QTemporaryDir m_dir;
    Catalogue m_catalogue;
};

namespace {

QString withNul(const char* text, int size)
{
    return QString::fromUtf8(QByteArray(text, size));
}

} // namespace

void TestManufacturerReferences::initTestCase()
{
    const QString path = m_dir.filePath(QStringLiteral("catalogue.kvl"));
    {
        TestCatalogue catalogue(path);
        // Stored forms as they are. One manufacturer in two forms of letter case, its rows out of
        // the order of the manufacturer index (family, then reference); two forms alike up to a
        // NUL, which NOCASE holds equal; a null reference; a house brand.
        const QList<QVariantList> rows = {
            {"R-9", "Kx", "F2"},
            {"R-1", "kX", "F1"},
            {"R-5", "Kx", "F1"},
            {"R-3", "Zeta", "F2"},
            {"R-2", "kX", "F2"},
            {"R-7", withNul("ab\0x", 4), "F1"},
            {"R-4", withNul("AB\0y", 4), "F1"},
            {QVariant(QMetaType(QMetaType::QString)), "Kx", "F3"},
            {"R-6", HouseBrands::storedQV(), "F1"},
        };
        for (const QVariantList& row : rows)
            catalogue.exec(QString::fromUtf8(CatalogueSchema::kRelationInsert),
                           row + QVariantList{1, QVariant()});
    }
    QVERIFY(m_catalogue.openConnections(path));
    m_catalogue.readManufacturersAhead();
    m_catalogue.manufacturerReferences().waitUntilRead();
}

void TestManufacturerReferences::sameRowsAsTheQuery_data()
{
    QTest::addColumn<QStringList>("competitors");
    QTest::addColumn<bool>("answered");

    QTest::newRow("one manufacturer") << QStringList{"Kx"} << true;
    QTest::newRow("in a form no row has") << QStringList{"KX"} << true;
    QTest::newRow("alike up to a NUL") << QStringList{withNul("Ab\0z", 4)} << true;
    QTest::newRow("the typed form without rows, then the listed one") << QStringList{"Nobody", "kX"} << true;
    QTest::newRow("two manufacturers with rows") << QStringList{"Kx", "Zeta"} << false;
    QTest::newRow("one manufacturer in two forms") << QStringList{"Kx", "kx"} << false;
    QTest::newRow("no rows") << QStringList{"Nobody"} << false;
}

void TestManufacturerReferences::sameRowsAsTheQuery()
{
    QFETCH(QStringList, competitors);
    QFETCH(bool, answered);
    const ReadAheadCheck check = ReadAheadCheck::of(m_catalogue, competitors);
    QCOMPARE(check.read.has_value(), answered);
    if (answered)
        QVERIFY(check.same() && !check.asked.rows.isEmpty());
}

QTEST_MAIN(TestManufacturerReferences)
#include "tst_manufacturerreferences.moc"
