#include "ReadOnlyFolder.h"
#include "StatementRows.h"
#include "TestCatalogue.h"
#include "TestProgram.h"
#include "base/ScrambleText.h"
#include "catalogue/engine/CatalogueSql.h"
#include "catalogue/engine/ForwardResult.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sqlite3.h>

class TestOpenCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void readsListsAndTexts();
    void failsWithoutChangingLaterLists_data();
    void failsWithoutChangingLaterLists();
    void versionTableIsOptional_data();
    void versionTableIsOptional();
    void emptyListsDoNotFailTheOpening();
    void listsKeepNullsAndReadingTwiceGivesTheSame();
    void nothingIsCreatedBesideInAnyJournalMode_data();
    void nothingIsCreatedBesideInAnyJournalMode();
    void walWritersChangesAreNeverReadHalfOrStale();
};

namespace {

QStringList texts(const CachedList& list)
{
    QStringList result;
    for (qsizetype i = 0; i < list.size(); ++i)
        result.append(list.isNull(i) ? QStringLiteral("<null>") : list.at(i));
    return result;
}

QStringList shown(const CachedList& list)
{
    QStringList result;
    for (qsizetype i = 0; i < list.size(); ++i)
        result.append(ScrambleText(list.at(i)));
    return result;
}

// A writer of the catalogue, as another program would hold it open.
struct Writer
{
    explicit Writer(const QString& path) { sqlite3_open(path.toUtf8().constData(), &db); }
    ~Writer() { sqlite3_close(db); }
    QString exec(const QString& sql)
    {
        QString error;
        statementRows(db, sql, {}, &error);
        return error;
    }
    sqlite3* db = nullptr;
};

QVariant priceOf(const QString& reference)
{
    ForwardResult result = ForwardResult::execute(&Module1::Opened().Conn, CatalogueSql::ByReference,
                                                  CatalogueSql::productValues(reference));
    return result.eof() ? QVariant() : result.field(QStringLiteral("Preço"));
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

void TestOpenCatalogue::readsListsAndTexts()
{
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    QVERIFY(Module1::Opened().DatabaseOpened);
    QCOMPARE(Module1::Opened().RecCount.toInt(), 8);
    QCOMPARE(texts(Module1::Opened().HouseRefRows),
             QStringList({"AB_1", "AXB1", "KV-100", "KV-1000", "KV-101", "KV-200", "KV-300 ", "KV-D'AGUA"}));
    QCOMPARE(Module1::Opened().DescRows.size(), 8);
    QCOMPARE(Module1::Opened().DescRows.at(0), QStringLiteral("  Disjuntor bipolar 20 A especial  "));
    QCOMPARE(texts(Module1::Opened().FamRows), QStringList({"Caixas d'água", "Disjuntores", "Tomadas"}));

    // Competitor lists leave the house brands out and come in the order of the stored text.
    QStringList references = shown(Module1::Opened().RefRows);
    QCOMPARE(references.size(), 11);
    for (const QString house : {"KV-100", "KV-101", "KV-999", "KV-200", "KV-D'AGUA"})
        QVERIFY2(!references.contains(house), qPrintable(house));
    QVERIFY(references.contains("OLD-100"));
    QStringList stored = texts(Module1::Opened().RefRows);
    QStringList storedSorted = stored;
    // The catalogue's text columns fold the case of ASCII letters only.
    const auto asciiFolded = [](QString text) {
        for (QChar& c : text) {
            if (c.unicode() < 0x80)
                c = c.toLower();
        }
        return text;
    };
    std::stable_sort(storedSorted.begin(), storedSorted.end(),
                     [&](const QString& a, const QString& b) { return asciiFolded(a) < asciiFolded(b); });
    QCOMPARE(stored, storedSorted);
    QStringList companies = shown(Module1::Opened().CompRows);
    companies.sort();
    QCOMPARE(companies, QStringList({"ELETRAMAX", "VESTRAL (Ref. Antiga)", "VOLTRIX"}));

    QCOMPARE(Module1::Opened().VersionText, QString::fromUtf8("Catálogo Korvel 2026.12 Rev 3"));
    QCOMPARE(Module1::Opened().LinkTitle, QString::fromUtf8("Atualizações"));
    QCOMPARE(Module1::Opened().LinkTarget, QStringLiteral("http://example.invalid/atualizar"));
    QCOMPARE(Module1::Opened().LinkHint, QStringLiteral("Clique para atualizar"));
}

void TestOpenCatalogue::failsWithoutChangingLaterLists_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("housesRenewed"); // lists read before the failure hold the new file's values
    QTest::newRow("missing file") << "missing" << false;
    QTest::newRow("not a database") << "text" << false;
    QTest::newRow("database without tables") << "empty" << false;
    QTest::newRow("missing FAMILIES") << "DROP TABLE FAMILIES" << true;
    QTest::newRow("missing RELATIONS column")
        << "ALTER TABLE RELATIONS RENAME COLUMN COMPANY TO FIRMA" << true;
}

void TestOpenCatalogue::failsWithoutChangingLaterLists()
{
    QFETCH(QString, damage);
    QFETCH(bool, housesRenewed);
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    const QStringList previousFamilies = texts(Module1::Opened().FamRows);
    const QStringList previousCompanies = texts(Module1::Opened().CompRows);

    const QString other = program.file("other.kvl");
    if (damage == "text") {
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Not a catalogue at all\n");
    } else if (damage == "empty") {
        TestCatalogue(other).exec("DROP TABLE [Tabela Referencias]");
    } else if (damage != "missing") {
        TestCatalogue catalogue(other);
        catalogue.addProduct(1, "NEW-1", "Novo produto");
        catalogue.addRelation("NEW-REF", "NOVAFIRMA", "DJ", 1);
        catalogue.exec(damage);
    }
    Module1::DatabasePath = other;
    QVERIFY(!OpenCatalogue());
    QVERIFY(!Module1::Opened().DatabaseOpened);
    QCOMPARE(texts(Module1::Opened().HouseRefRows).contains("NEW-1"), housesRenewed);
    QCOMPARE(texts(Module1::Opened().FamRows), previousFamilies);
    QCOMPARE(texts(Module1::Opened().CompRows), previousCompanies);
}

void TestOpenCatalogue::versionTableIsOptional_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("no table") << "DROP TABLE TabelaVersao";
    QTest::newRow("no rows") << "DELETE FROM TabelaVersao";
}

void TestOpenCatalogue::versionTableIsOptional()
{
    QFETCH(QString, change);
    TestProgram program;
    QVERIFY(program.openStandardCatalogue());
    const QString other = program.file("other.kvl");
    {
        TestCatalogue catalogue(other);
        catalogue.addProduct(1, "X", "Y");
        catalogue.addRelation("R", "C", "F", 1);
        catalogue.addFamily("F", "Fam");
        catalogue.setVersion({"a", "b", "c", "d", "e", "f"});
        catalogue.exec(change);
    }
    Module1::DatabasePath = other;
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::Opened().VersionText, QString::fromUtf8("Catálogo Korvel 2026.12 Rev 3"));
    QCOMPARE(Module1::Opened().LinkTarget, QStringLiteral("http://example.invalid/atualizar"));

    // Missing columns: the texts that can be read are read, the others stay.
    const QString third = program.file("third.kvl");
    {
        TestCatalogue catalogue(third);
        catalogue.addProduct(1, "X", "Y");
        catalogue.addRelation("R", "C", "F", 1);
        catalogue.exec("DROP TABLE TabelaVersao");
        catalogue.exec("CREATE TABLE TabelaVersao (Versao TEXT, TituloLink TEXT)");
        catalogue.exec("INSERT INTO TabelaVersao VALUES ('v9', 'Novo link')");
    }
    Module1::DatabasePath = third;
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::Opened().VersionText, QString::fromUtf8("Catálogo Korvel 2026.12 Rev 3"));
    QCOMPARE(Module1::Opened().LinkTitle, QStringLiteral("Novo link"));
    QCOMPARE(Module1::Opened().LinkHint, QStringLiteral("Clique para atualizar"));
}

void TestOpenCatalogue::emptyListsDoNotFailTheOpening()
{
    TestProgram program;
    {
        TestCatalogue catalogue(program.catalogue());
        catalogue.addProduct(1, "KV-1", "Produto");
        catalogue.addRelation("KV-1", "QV", "DJ", 1);
        catalogue.addRelation("KV-2", "VESTRAL", "DJ", 1);
    }
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    QVERIFY(Module1::Opened().RefRows.isEmpty());
    QVERIFY(Module1::Opened().CompRows.isEmpty());
    QVERIFY(Module1::Opened().FamRows.isEmpty());
    QCOMPARE(Module1::Opened().HouseRefRows.size(), 1);
}

void TestOpenCatalogue::listsKeepNullsAndReadingTwiceGivesTheSame()
{
    TestProgram program;
    {
        TestCatalogue catalogue(program.catalogue());
        catalogue.addProduct(1, "B", "desc");
        TestCatalogue::Product nulls;
        nulls.numero = 2;
        catalogue.addProduct(nulls);
        catalogue.addRelation(QVariant(), "ELETRAMAX", "DJ", 1);
        catalogue.addRelation("R1", "ELETRAMAX", "DJ", 1);
        catalogue.addFamily("DJ", QVariant());
        catalogue.addFamily("TM", "Tomadas");
    }
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    QCOMPARE(Module1::Opened().RecCount.toInt(), 1); // nulls are not counted
    QCOMPARE(texts(Module1::Opened().HouseRefRows), QStringList({"<null>", "B"}));
    QCOMPARE(texts(Module1::Opened().DescRows), QStringList({"<null>", "desc"}));
    QCOMPARE(texts(Module1::Opened().FamRows), QStringList({"<null>", "Tomadas"}));
    QCOMPARE(shown(Module1::Opened().RefRows).size(), 2);
    QVERIFY(Module1::Opened().RefRows.isNull(0));

    const QStringList first = texts(Module1::Opened().RefRows);
    QVERIFY(OpenCatalogue());
    QCOMPARE(texts(Module1::Opened().RefRows), first);
    QCOMPARE(texts(Module1::Opened().HouseRefRows), QStringList({"<null>", "B"}));
}

void TestOpenCatalogue::nothingIsCreatedBesideInAnyJournalMode_data()
{
    QTest::addColumn<QString>("journalMode");
    QTest::addColumn<bool>("readOnlyFolder");
    for (const char* mode : {"delete", "wal"}) {
        QTest::addRow("%s, writable folder", mode) << QString::fromLatin1(mode) << false;
        QTest::addRow("%s, read-only folder", mode) << QString::fromLatin1(mode) << true;
    }
}

void TestOpenCatalogue::nothingIsCreatedBesideInAnyJournalMode()
{
    QFETCH(QString, journalMode);
    QFETCH(bool, readOnlyFolder);
    TestProgram program;
    TestCatalogue::writeStandard(program.catalogue());
    QCOMPARE(Writer(program.catalogue()).exec("PRAGMA journal_mode=" + journalMode), QString());
    const QStringList before = filesIn(program.directory());
    QFile file(program.catalogue());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(int(content.at(18)), journalMode == "wal" ? 2 : 1);

    Module1::DatabasePath = program.catalogue();
    {
        std::unique_ptr<ReadOnlyFolder> folder;
        if (readOnlyFolder)
            folder = std::make_unique<ReadOnlyFolder>(program.directory());
        QVERIFY(OpenCatalogue());
        QCOMPARE(Module1::Opened().RecCount.toInt(), 8);
        QCOMPARE(priceOf("KV-101"), QVariant(0.0));
        Module1::Opened().Conn.close();
    }
    QCOMPARE(filesIn(program.directory()), before);
    QVERIFY(file.seek(0));
    QCOMPARE(file.readAll(), content);
}

// A program writing the catalogue in WAL mode takes none of the locks a reader of the file
// itself holds: while its changes wait in the WAL file the reads fail, as on a busy file, and
// once they are in the catalogue the reads see them, never pages kept from before. An idle
// writer's empty WAL file does not stop the reads.
void TestOpenCatalogue::walWritersChangesAreNeverReadHalfOrStale()
{
    TestProgram program;
    TestCatalogue::writeStandard(program.catalogue());
    QCOMPARE(Writer(program.catalogue()).exec("PRAGMA journal_mode=wal"), QString());
    Module1::DatabasePath = program.catalogue();
    QVERIFY(OpenCatalogue());
    QCOMPARE(priceOf("KV-101"), QVariant(0.0));
    {
        Writer writer(program.catalogue());
        QCOMPARE(writer.exec("PRAGMA journal_size_limit=0"), QString());
        QCOMPARE(writer.exec("UPDATE [Tabela Referencias] SET Preço = 12.5 WHERE Referencia = 'KV-101'"),
                 QString());
        QVERIFY(QFileInfo(program.catalogue() + "-wal").size() > 0);
        QVERIFY(!priceOf("KV-101").isValid());
        QCOMPARE(writer.exec("PRAGMA wal_checkpoint(TRUNCATE)"), QString());
        QCOMPARE(QFileInfo(program.catalogue() + "-wal").size(), 0);
        QCOMPARE(priceOf("KV-101"), QVariant(12.5));
    }
    QVERIFY(!QFileInfo::exists(program.catalogue() + "-wal"));
    QCOMPARE(priceOf("KV-101"), QVariant(12.5));
}

QTEST_MAIN(TestOpenCatalogue)
#include "tst_opencatalogue.moc"
