#include "SmallFiles.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "catalogue/opened/CatalogueSource.h"
#include "catalogue/opened/HouseLookup.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <cstdio>

Q_DECLARE_METATYPE(EngineError::Kind)

namespace {

// Damage as a disk leaves it: the first page of a table overwritten with bytes that are no page.
bool overwriteRootPage(const QString& path, const QString& table)
{
    qint64 page = 0;
    qint64 pageSize = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("pages"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec("PRAGMA page_size") && query.next())
            pageSize = query.value(0).toLongLong();
        query.prepare(QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = ?"));
        query.addBindValue(table);
        if (query.exec() && query.next())
            page = query.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pages"));
    QFile file(path);
    return page > 1 && pageSize > 0 && file.open(QIODevice::ReadWrite) && file.seek((page - 1) * pageSize) &&
           file.write(QByteArray(pageSize, char(0x5a))) == pageSize;
}

} // namespace

// Whether the configured path still names the file a catalogue was opened from, told by the
// file system alone; and the queries that could not run, told apart from those that found nothing.
class TestCatalogueSource : public QObject
{
    Q_OBJECT

private slots:
    void tellsWhetherThePathStillNamesTheOpenedFile_data();
    void tellsWhetherThePathStillNamesTheOpenedFile();
    void countsTheQueriesThatCannotRun_data();
    void countsTheQueriesThatCannotRun();
};

void TestCatalogueSource::tellsWhetherThePathStillNamesTheOpenedFile_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("same");
    QTest::addColumn<bool>("exists");

    QTest::newRow("read only") << "read" << true << true;
    QTest::newRow("renamed over by a copy of the same bytes") << "rename" << false << true;
    QTest::newRow("copied over in place with the same bytes") << "copy" << false << true;
    QTest::newRow("cut in place") << "cut" << false << true;
    QTest::newRow("deleted") << "delete" << false << false;
    QTest::newRow("a directory in its place") << "directory" << false << true;
}

void TestCatalogueSource::tellsWhetherThePathStillNamesTheOpenedFile()
{
    QFETCH(QString, change);
    QFETCH(bool, same);
    QFETCH(bool, exists);
    TestProgram program;
    const QString path = program.catalogue();
    TestCatalogue::writeStandard(path);
    const QByteArray bytes = readFile(path);
    const CatalogueSource opened = CatalogueSource::of(path);
    QVERIFY(opened.exists());
    QVERIFY(opened == CatalogueSource::of(path));

    if (change == "read") {
        QCOMPARE(readFile(path), bytes);
    } else if (change == "rename") {
        const QString beside = program.file("next.kvl");
        QVERIFY(writeFile(beside, bytes));
        QVERIFY(std::rename(qPrintable(beside), qPrintable(path)) == 0);
    } else if (change == "copy") {
        QVERIFY(writeFile(path, bytes));
    } else if (change == "cut") {
        QVERIFY(QFile(path).resize(bytes.size() / 2));
    } else {
        QVERIFY(QFile::remove(path));
        if (change == "directory")
            QVERIFY(QDir().mkdir(path));
    }
    const CatalogueSource now = CatalogueSource::of(path);
    QCOMPARE(now == opened, same);
    QCOMPARE(now.exists(), exists);
}

void TestCatalogueSource::countsTheQueriesThatCannotRun_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("reason"); // empty: the lookup ran
    QTest::addColumn<EngineError::Kind>("kind");

    using Kind = EngineError::Kind;
    // clang-format off
    QTest::newRow("found") << "" << "KV-100" << "" << Kind::None;
    QTest::newRow("nothing found") << "" << "XX-1" << "" << Kind::None;
    QTest::newRow("a table the lookup joins is gone") << "DROP TABLE TabelaFotos" << "KV-100" << "no such table: TabelaFotos" << Kind::MissingTableOrColumn;
    QTest::newRow("a column the lookup reads is gone") << "ALTER TABLE [Tabela Referencias] DROP COLUMN Prazo" << "XX-1" << "no such column" << Kind::MissingTableOrColumn;
    QTest::newRow("a page of a table the lookup joins is garbage") << "garbage TabelaFotos" << "KV-100" << "malformed" << Kind::Damaged;
    // clang-format on
}

void TestCatalogueSource::countsTheQueriesThatCannotRun()
{
    QFETCH(QString, damage);
    QFETCH(QString, reference);
    QFETCH(QString, reason);
    QFETCH(EngineError::Kind, kind);
    TestProgram program;
    TestCatalogue::writeStandard(program.catalogue());
    if (damage.startsWith("garbage "))
        QVERIFY(overwriteRootPage(program.catalogue(), damage.mid(8)));
    else if (!damage.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
            db.setDatabaseName(program.catalogue());
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY2(query.exec(damage), qPrintable(query.lastError().text()));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("damage"));
    }
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    Catalogue& catalogue = Module1::Opened();
    QCOMPARE(catalogue.readFailures(), 0);

    const HouseLookup::Found found = HouseLookup::FindByReference(catalogue, reference);
    QCOMPARE(catalogue.readFailures() > 0, !reason.isEmpty());
    const EngineError failure = catalogue.lastReadFailure();
    QVERIFY2(failure.text.contains(reason), qPrintable(failure.text));
    QCOMPARE(failure.kind(), kind);
    if (reason.isEmpty())
        QCOMPARE(found.product.eof(), reference != "KV-100");

    // A catalogue whose file did not open fails every query it is asked.
    QVERIFY(QFile::remove(program.catalogue()));
    QVERIFY(!OpenCatalogue());
    HouseLookup::FindByReference(Module1::Opened(), reference);
    QVERIFY(Module1::Opened().readFailures() > 0);
}

QTEST_MAIN(TestCatalogueSource)
#include "tst_cataloguesource.moc"
