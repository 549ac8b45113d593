#include "StatementRows.h"
#include "TestProgram.h"
#include "base/HouseBrands.h"
#include "base/ScrambleText.h"
#include "catalogue/engine/AnyOfSql.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/opened/Module1.h"

#include <QTest>

// How SQLite answers each of the program's queries on a catalogue with the indexes the program's
// catalogues are made with: the cross-reference and house tables are never read whole where a
// lookup names what it wants, and the lists read at opening come out of an index alone, already
// in order. At the large catalogue's size a whole-table read or a sort costs tens of milliseconds
// a lookup, and hundreds at every opening.
class TestQueryPlans : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_program.reset(); }
    void answeredThroughIndexes_data();
    void answeredThroughIndexes();

private:
    std::unique_ptr<TestProgram> m_program;
};

void TestQueryPlans::initTestCase()
{
    m_program = std::make_unique<TestProgram>();
    QVERIFY(m_program->openStandardCatalogue());
}

void TestQueryPlans::answeredThroughIndexes_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<bool>("readInOrder"); // a list read at opening

    const QVariant qv = HouseBrands::storedQV();
    const QVariant vestral = HouseBrands::storedVestral();
    const QVariant maker = ScrambleText(QStringLiteral("ELETROLUX"));
    const QVariant family = QStringLiteral("Caixas d'água");
    QTest::newRow("house references") << CatalogueSql::HouseReferences << QVariantList() << true;
    QTest::newRow("descriptions") << CatalogueSql::Descriptions << QVariantList() << true;
    QTest::newRow("competitor references")
        << CatalogueSql::CompetitorReferences << QVariantList{qv, vestral} << true;
    QTest::newRow("manufacturers") << CatalogueSql::Manufacturers << QVariantList{qv, vestral} << true;
    QTest::newRow("references of a manufacturer in a family")
        << CatalogueSql::ReferencesOfManufacturerInFamily << QVariantList{maker, family, qv, vestral}
        << false;
    QTest::newRow("references of a manufacturer")
        << CatalogueSql::ReferencesOfManufacturer << QVariantList{maker, qv, vestral} << false;
    QTest::newRow("families of a manufacturer")
        << CatalogueSql::FamiliesOfManufacturer << QVariantList{maker} << false;
    QTest::newRow("family rows of a manufacturer")
        << CatalogueSql::FamilyRowsOfManufacturer << QVariantList{maker} << false;
    QTest::newRow("references in a family")
        << CatalogueSql::ReferencesInFamily << QVariantList{family, qv, vestral} << false;
    QTest::newRow("references in a family of competitors")
        << CatalogueSql::ReferencesInFamilyByMaker << QVariantList{family, qv, vestral} << false;
    QTest::newRow("manufacturers of a family")
        << CatalogueSql::ManufacturersOfFamily << QVariantList{family, qv, vestral} << false;
    QTest::newRow("rows of a competitor reference")
        << CatalogueSql::CompetitorReferenceRows << QVariantList{ScrambleText(QStringLiteral("ELX-20"))}
        << false;
    // A text typed in other case than its entries looks for several stored values at once.
    const QString company = QStringLiteral("COMPANY = ?");
    const QVariant other = ScrambleText(QStringLiteral("Eletrolux"));
    QTest::newRow("references of a manufacturer in a family, two manufacturers")
        << CatalogueSql::anyOf(CatalogueSql::ReferencesOfManufacturerInFamily, company, 2)
        << QVariantList{maker, other, family, qv, vestral} << false;
    QTest::newRow("references of a manufacturer, two manufacturers")
        << CatalogueSql::anyOf(CatalogueSql::ReferencesOfManufacturer, company, 2)
        << QVariantList{maker, other, qv, vestral} << false;
    QTest::newRow("references of a manufacturer of competitors")
        << CatalogueSql::referencesOfCompetitors(1) << QVariantList{maker} << false;
    QTest::newRow("references of a manufacturer of two competitors")
        << CatalogueSql::referencesOfCompetitors(2) << QVariantList{maker, other} << false;
    QTest::newRow("references of a manufacturer of none")
        << CatalogueSql::referencesOfCompetitors(0) << QVariantList() << false;
    QTest::newRow("families of a manufacturer, two manufacturers")
        << CatalogueSql::familiesOfManufacturers(2) << QVariantList{maker, other} << false;
    QTest::newRow("family rows of a manufacturer, two manufacturers")
        << CatalogueSql::anyOf(CatalogueSql::FamilyRowsOfManufacturer, company, 2)
        << QVariantList{maker, other} << false;
    QTest::newRow("rows of a competitor reference, two references")
        << CatalogueSql::anyOf(CatalogueSql::CompetitorReferenceRows,
                               QStringLiteral("RELATIONS.REFERENCE = ?"), 2)
        << QVariantList{ScrambleText(QStringLiteral("ELX-20")), ScrambleText(QStringLiteral("elx-20"))}
        << false;
    QTest::newRow("house equivalent")
        << CatalogueSql::HouseEquivalent << QVariantList{7, QStringLiteral("CX"), qv} << false;
    QTest::newRow("reference typed") << CatalogueSql::ByReference
                                     << QVariantList{QStringLiteral("KV-1%"), QStringLiteral("KV-1%")}
                                     << false;
    QTest::newRow("reference typed with an accent after its start")
        << CatalogueSql::ByReference << QVariantList{QStringLiteral("KV-_%"), QStringLiteral("KV-É%")}
        << false;
    QTest::newRow("description typed")
        << CatalogueSql::ByDescription << QVariantList{QStringLiteral("Boia%"), QStringLiteral("Boia%")}
        << false;
}

void TestQueryPlans::answeredThroughIndexes()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    QFETCH(bool, readInOrder);
    QString error;
    const QList<QVariantList> plan = statementRows(
        Module1::Opened().Conn.handle(), QStringLiteral("EXPLAIN QUERY PLAN ") + sql, values, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QStringList steps;
    for (const QVariantList& row : plan)
        steps << row.value(3).toString();
    QVERIFY(!steps.isEmpty());
    for (const QString& step : steps) {
        const bool wholeTable =
            step.startsWith(QLatin1String("SCAN ")) && !step.contains(QLatin1String("INDEX"));
        const bool bigTable = step.contains(QLatin1String("RELATIONS"), Qt::CaseInsensitive) ||
                              step.contains(QLatin1String("Tabela Referencias"), Qt::CaseInsensitive);
        QVERIFY2(!(wholeTable && bigTable), qPrintable(steps.join(QLatin1String(" | "))));
        if (readInOrder)
            QVERIFY2(step.contains(QLatin1String("COVERING INDEX")) &&
                         !step.contains(QLatin1String("TEMP B-TREE")),
                     qPrintable(steps.join(QLatin1String(" | "))));
    }
}

QTEST_MAIN(TestQueryPlans)
#include "tst_queryplans.moc"
