#include "StatementRows.h"
#include "TestProgram.h"
#include "base/HouseBrands.h"
#include "base/ScrambleText.h"
#include "catalogue/AnyOfSql.h"
#include "catalogue/CatalogueSql.h"
#include "catalogue/Module1.h"

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
    QTest::newRow("manufacturers") << CatalogueSql::Companies << QVariantList{qv, vestral} << true;
    QTest::newRow("M1") << CatalogueSql::M1 << QVariantList{maker, family, qv, vestral} << false;
    QTest::newRow("M2") << CatalogueSql::M2 << QVariantList{maker, qv, vestral} << false;
    QTest::newRow("M3") << CatalogueSql::M3 << QVariantList{maker} << false;
    QTest::newRow("M4") << CatalogueSql::M4 << QVariantList{maker} << false;
    QTest::newRow("F1") << CatalogueSql::F1 << QVariantList{maker, family, qv, vestral} << false;
    QTest::newRow("F2") << CatalogueSql::F2 << QVariantList{family, qv, vestral} << false;
    QTest::newRow("F2 of competitors")
        << CatalogueSql::F2OfCompetitors << QVariantList{family, qv, vestral} << false;
    QTest::newRow("F3") << CatalogueSql::F3 << QVariantList{family, qv, vestral} << false;
    QTest::newRow("R1") << CatalogueSql::R1 << QVariantList{ScrambleText(QStringLiteral("ELX-20"))} << false;
    // A text typed in other case than its entries looks for several stored values at once.
    const QString company = QStringLiteral("COMPANY = ?");
    const QVariant other = ScrambleText(QStringLiteral("Eletrolux"));
    QTest::newRow("M1, two manufacturers") << CatalogueSql::anyOf(CatalogueSql::M1, company, 2)
                                           << QVariantList{maker, other, family, qv, vestral} << false;
    QTest::newRow("M2, two manufacturers") << CatalogueSql::anyOf(CatalogueSql::M2, company, 2)
                                           << QVariantList{maker, other, qv, vestral} << false;
    QTest::newRow("M2 of competitors")
        << CatalogueSql::referencesOfCompetitors(1) << QVariantList{maker} << false;
    QTest::newRow("M2 of two competitors")
        << CatalogueSql::referencesOfCompetitors(2) << QVariantList{maker, other} << false;
    QTest::newRow("M2 of none") << CatalogueSql::referencesOfCompetitors(0) << QVariantList() << false;
    QTest::newRow("M3, two manufacturers")
        << CatalogueSql::familiesOfManufacturers(2) << QVariantList{maker, other} << false;
    QTest::newRow("M4, two manufacturers")
        << CatalogueSql::anyOf(CatalogueSql::M4, company, 2) << QVariantList{maker, other} << false;
    QTest::newRow("F1, two manufacturers") << CatalogueSql::anyOf(CatalogueSql::F1, company, 2)
                                           << QVariantList{maker, other, family, qv, vestral} << false;
    QTest::newRow("R1, two references")
        << CatalogueSql::anyOf(CatalogueSql::R1, QStringLiteral("RELATIONS.REFERENCE = ?"), 2)
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
