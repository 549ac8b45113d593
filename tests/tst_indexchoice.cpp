#include "ReadAheadCheck.h"
#include "StatementRows.h"
#include "TestProgram.h"
#include "base/HouseBrands.h"
#include "catalogue/engine/AnyOfSql.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/engine/Connection.h"
#include "catalogue/opened/Catalogue.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QTest>

// Catalogue files made by earlier versions carry two more indexes on RELATIONS, one of them
// led by the family, and no statistics; the resolution asked for its rows without an order, and got
// them in the order they were stored. Every query of the program answers the same rows, in the
// same order, on a file made today as on such a file with the same content.
class TestIndexChoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameAnswers_data();
    void sameAnswers();
    void competitorFormsGiveTheDesignedRows();

private:
    QStringList column(const QString& sql) const;

    std::unique_ptr<TestProgram> m_program;
    Connection m_today;
    Connection m_before;
};

namespace {

// The same content with the indexes of earlier files where today's differ. An index's
// condition cannot take bound values, so the house brands are written into it.
bool rebuildAsBefore(const QString& path)
{
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("before"));
        db.setDatabaseName(path);
        done = db.open();
        const auto literal = [&db](const QString& text) {
            QSqlField field(QStringLiteral("text"), QMetaType(QMetaType::QString));
            field.setValue(text);
            return db.driver()->formatValue(field);
        };
        const QString competitors =
            QStringLiteral(" WHERE COMPANY <> %1 AND COMPANY <> %2")
                .arg(literal(HouseBrands::storedQV()), literal(HouseBrands::storedVestral()));
        const QStringList statements = {
            QStringLiteral("DROP INDEX RelationReference"),
            QStringLiteral("DROP TABLE sqlite_stat1"),
            QStringLiteral("CREATE INDEX RelationReference ON RELATIONS (REFERENCE)"),
            QStringLiteral("CREATE INDEX RelationReferenceList ON RELATIONS (REFERENCE, COMPANY)") +
                competitors,
            QStringLiteral("CREATE INDEX RelationFamily ON RELATIONS (FAMILY, COMPANY, REFERENCE)") +
                competitors,
        };
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (done && !query.exec(statement)) {
                qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
                done = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("before"));
    return done;
}

// Every row and column of the answer, in the order given.
QList<QByteArray> answer(const Connection& connection, const QString& sql, const QVariantList& values)
{
    QString error;
    const QList<QVariantList> answered = statementRows(connection.handle(), sql, values, &error);
    if (!error.isEmpty())
        return {"error: " + error.toUtf8()};
    QList<QByteArray> rows;
    for (const QVariantList& columns : answered) {
        QByteArray row;
        for (const QVariant& value : columns)
            row += (value.isNull() ? QByteArray("NULL") : value.toByteArray()) + '\x1f';
        rows << row;
    }
    return rows;
}

} // namespace

void TestIndexChoice::initTestCase()
{
    const QString tool = qEnvironmentVariable("LUMEO_MAKECATALOGUE");
    if (tool.isEmpty())
        QSKIP("LUMEO_MAKECATALOGUE does not name the sample generator");
    m_program = std::make_unique<TestProgram>();
    const QString today = m_program->file(QStringLiteral("today.kvl"));
    const QString before = m_program->file(QStringLiteral("before.kvl"));
    QCOMPARE(QProcess::execute(tool, {"--products", "1000", "--relations", "10000", today}), 0);
    QVERIFY(QFile::copy(today, before));
    QVERIFY(rebuildAsBefore(before));
    QVERIFY(m_today.open(today));
    QVERIFY(m_before.open(before));
    const QList<QVariantList> earlier =
        statementRows(m_before.handle(), QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE name IN "
                                                        "('RelationFamily', 'RelationReferenceList')"));
    QVERIFY(!earlier.isEmpty() && earlier.first().value(0).toInt() == 2);
}

QStringList TestIndexChoice::column(const QString& sql) const
{
    QStringList values;
    for (const QVariantList& row : statementRows(m_today.handle(), sql))
        values << row.value(0).toString();
    return values;
}

void TestIndexChoice::sameAnswers_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");

    const QString qv = HouseBrands::storedQV();
    const QString vestral = HouseBrands::storedVestral();
    const QStringList companies =
        column(QStringLiteral("SELECT DISTINCT COMPANY FROM RELATIONS")) + QStringList{QStringLiteral("?")};
    QStringList families = column(QStringLiteral("SELECT DESCRIPTION FROM FAMILIES"));
    families << families.first().toUpper() << QStringLiteral("no such family");
    // References that several manufacturers use, where the order of the rows decides the
    // resolution, and a share of the others.
    const QStringList references =
        column(QStringLiteral("SELECT REFERENCE FROM RELATIONS GROUP BY REFERENCE HAVING count(*) > 1")) +
        column(QStringLiteral("SELECT REFERENCE FROM RELATIONS WHERE rowid % 97 = 0"));
    QVERIFY(references.size() > 100);

    for (const QString& sql : {CatalogueSql::CountHouseReferences, CatalogueSql::HouseReferences,
                               CatalogueSql::Descriptions, CatalogueSql::Families, CatalogueSql::Version})
        QTest::newRow(qPrintable(sql)) << sql << QVariantList();
    QTest::newRow("competitor references") << CatalogueSql::CompetitorReferences << QVariantList{qv, vestral};
    QTest::newRow("manufacturers") << CatalogueSql::Manufacturers << QVariantList{qv, vestral};
    for (const QString& company : companies) {
        QTest::addRow("references of a manufacturer %s", qPrintable(company))
            << CatalogueSql::ReferencesOfManufacturer << QVariantList{company, qv, vestral};
        QTest::addRow("families of a manufacturer %s", qPrintable(company))
            << CatalogueSql::FamiliesOfManufacturer << QVariantList{company};
        QTest::addRow("family rows of a manufacturer %s", qPrintable(company))
            << CatalogueSql::FamilyRowsOfManufacturer << QVariantList{company};
        for (const QString& family : families)
            QTest::addRow("references of a manufacturer in a family %s %s", qPrintable(company),
                          qPrintable(family))
                << CatalogueSql::ReferencesOfManufacturerInFamily << QVariantList{company, family, qv, vestral};
    }
    for (const QString& family : families) {
        QTest::addRow("references in a family %s", qPrintable(family))
            << CatalogueSql::ReferencesInFamily << QVariantList{family, qv, vestral};
        QTest::addRow("manufacturers of a family %s", qPrintable(family))
            << CatalogueSql::ManufacturersOfFamily << QVariantList{family, qv, vestral};
        QTest::addRow("family named %s", qPrintable(family))
            << CatalogueSql::FamilyNamed << QVariantList{family};
    }
    for (const QString& reference : references)
        QTest::addRow("rows of a competitor reference %s", qPrintable(reference))
            << CatalogueSql::CompetitorReferenceRows << QVariantList{reference};
    const QList<QVariantList> groups = statementRows(
        m_today.handle(),
        QStringLiteral("SELECT DISTINCT REFERENCE_SET, FAMILY FROM RELATIONS WHERE rowid % 31 = 0"));
    for (const QVariantList& group : groups) {
        for (const QString& brand : {qv, vestral}) {
            QTest::addRow("house equivalent %s %s", qPrintable(group.value(0).toString()), qPrintable(brand))
                << CatalogueSql::HouseEquivalent << QVariantList{group.value(0), group.value(1), brand};
        }
    }
    for (const QString& pattern : column(QStringLiteral("SELECT DISTINCT substr(Referencia, 1, 3) || '%' "
                                                        "FROM [Tabela Referencias] WHERE rowid % 50 = 0")))
        QTest::addRow("by reference %s", qPrintable(pattern))
            << CatalogueSql::ByReference << CatalogueSql::productValues(pattern);
    for (const QString& pattern :
         column(QStringLiteral("SELECT DISTINCT upper(substr(Descriçao, 1, 6)) || '%' FROM [Tabela "
                               "Referencias] WHERE rowid % 50 = 0")))
        QTest::addRow("by description %s", qPrintable(pattern))
            << CatalogueSql::ByDescription << CatalogueSql::productValues(pattern);
}

void TestIndexChoice::sameAnswers()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    // The resolution as it was asked before it named an order.
    const QString asked =
        sql == CatalogueSql::CompetitorReferenceRows ? sql.section(QLatin1String(" ORDER BY "), 0, 0) : sql;
    QList<QByteArray> today = answer(m_today, sql, values);
    QList<QByteArray> before = answer(m_before, asked, values);
    const QByteArray first = today.value(0);
    QVERIFY2(!first.startsWith("error: "), first.constData());
    // FamilyRowsOfManufacturer only tells whether a manufacturer has rows: its order is nobody's concern.
    if (sql == CatalogueSql::FamilyRowsOfManufacturer) {
        std::sort(today.begin(), today.end());
        std::sort(before.begin(), before.end());
    }
    QCOMPARE(today, before);
}

// The manufacturer's and the family's references as the program asks for them, with the house
// brands passed over once rather than on every row, or read ahead: the rows, in the order, of the
// designed form.
void TestIndexChoice::competitorFormsGiveTheDesignedRows()
{
    const QString qv = HouseBrands::storedQV();
    const QString vestral = HouseBrands::storedVestral();
    const QStringList companies = column(QStringLiteral("SELECT DISTINCT COMPANY FROM RELATIONS")) +
                                  QStringList{qv.toLower(), QStringLiteral("?")};
    // The rows a catalogue reads ahead for each manufacturer are those too.
    Catalogue catalogue;
    QVERIFY(catalogue.openConnections(m_today.path()));
    catalogue.readManufacturersAhead();
    for (const QString& company : companies) {
        const QStringList competitors = HouseBrands::withoutHouseBrands({company});
        const QList<QByteArray> rows =
            answer(m_today, CatalogueSql::referencesOfCompetitors(competitors.size()),
                   QVariantList(competitors.begin(), competitors.end()));
        QCOMPARE(rows, answer(m_today, CatalogueSql::ReferencesOfManufacturer, {company, qv, vestral}));
        const ReadAheadCheck check = ReadAheadCheck::of(catalogue, competitors);
        QCOMPARE(check.read.has_value(), !rows.isEmpty());
        if (check.read)
            QVERIFY(check.same());
    }
    QStringList families = column(QStringLiteral("SELECT DESCRIPTION FROM FAMILIES"));
    families << families.first().toUpper() << QStringLiteral("no such family");
    for (const QString& family : families) {
        const QVariantList values{family, qv, vestral};
        const QList<QByteArray> rows = answer(m_today, CatalogueSql::ReferencesInFamilyByMaker, values);
        QVERIFY(!rows.value(0).startsWith("error: "));
        QCOMPARE(rows, answer(m_today, CatalogueSql::ReferencesInFamily, values));
    }
}

QTEST_MAIN(TestIndexChoice)
#include "tst_indexchoice.moc"
