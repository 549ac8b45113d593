#include "TestCatalogue.h"
#include "TestProgram.h"
#include "base/SqliteStatement.h"
#include "catalogue/engine/Connection.h"

#include <QTest>

// How a statement fails: where it stops, that it says why, and that nothing runs after.
class TestSqliteStatement : public QObject
{
    Q_OBJECT

private slots:
    void failures_data();
    void failures();
};

void TestSqliteStatement::failures_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("failsAt");

    QTest::newRow("no such table") << "SELECT * FROM Nothing" << QVariantList() << "prepare";
    QTest::newRow("not SQL") << "SELEC Referencia" << QVariantList() << "prepare";
    QTest::newRow("no statement at all") << "  -- nothing" << QVariantList() << "prepare";
    QTest::newRow("more values than places")
        << "SELECT Referencia FROM [Tabela Referencias] WHERE Numero = ?" << QVariantList{1, 2} << "bind";
    // The catalogue is opened read-only.
    QTest::newRow("a write") << "DELETE FROM FAMILIES" << QVariantList() << "step";
    QTest::newRow("runs") << "SELECT count(*) FROM FAMILIES WHERE FAMILY <> ?" << QVariantList{"x"} << "";
}

void TestSqliteStatement::failures()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    QFETCH(QString, failsAt);
    TestProgram program;
    TestCatalogue::writeStandard(program.file("catalogo.kvl"));
    Connection connection;
    QVERIFY(connection.open(program.file("catalogo.kvl")));

    SqliteStatement statement(connection.handle(), sql);
    QCOMPARE(statement.isPrepared(), failsAt != QLatin1String("prepare"));
    QCOMPARE(statement.bindAll(values), failsAt.isEmpty() || failsAt == QLatin1String("step"));
    const SqliteStatement::Step step = statement.step();
    QCOMPARE(step == SqliteStatement::Step::Failed, !failsAt.isEmpty());
    QCOMPARE(statement.errorString().isEmpty(), failsAt.isEmpty());
    if (failsAt.isEmpty()) {
        QCOMPARE(step, SqliteStatement::Step::Row);
        QVERIFY(statement.value(0).toInt() > 0);
        QVERIFY(!statement.value(1).isValid());
        // Reset, it runs again with the same values.
        QVERIFY(statement.reset());
        QCOMPARE(statement.step(), SqliteStatement::Step::Row);
    }
    // A moved-from statement runs nothing.
    SqliteStatement moved = std::move(statement);
    QCOMPARE(statement.step(), SqliteStatement::Step::Failed);
    QCOMPARE(moved.isPrepared(), failsAt != QLatin1String("prepare"));
}

QTEST_GUILESS_MAIN(TestSqliteStatement)
#include "tst_sqlitestatement.moc"
