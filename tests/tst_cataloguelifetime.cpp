#include "TestCatalogue.h"
#include "TestProgram.h"
#include "catalogue/lists/MakeOffers.h"
#include "catalogue/opened/CrossReferenceSearch.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

// An opened catalogue is replaced whole: when OpenCatalogue returns, no connection to a replaced
// or failed file is left open and none of its work runs on, whatever was being made when it
// went; the program may end while work runs.
class TestCatalogueLifetime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void f2AgainAndAgainKeepsOneCatalogueOpen();
    void aFailedOpeningLeavesNothingOpen_data();
    void aFailedOpeningLeavesNothingOpen();
    void offersBeingMadeOutliveTheirCatalogue();
    void theProgramEndsWhileWorkRuns();

private:
    QTemporaryDir m_dir;
    QString m_large;
};

namespace {

// Long enough that the lists' entries and offers are made on the pool.
constexpr int kRows = 60000;

void writeLarge(const QString& path)
{
    TestCatalogue catalogue(path);
    catalogue.addFamily(QStringLiteral("DJ"), QStringLiteral("Disjuntores"));
    const QString rows =
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
            .arg(kRows);
    catalogue.exec(
        QStringLiteral("INSERT INTO RELATIONS (REFERENCE, COMPANY, FAMILY, REFERENCE_SET) ") + rows +
        QStringLiteral("SELECT 'REF-' || (i * 7919 % %1), 'FIRMA-' || (i % 40), 'DJ', i FROM n").arg(kRows));
    catalogue.exec(QStringLiteral("INSERT INTO [Tabela Referencias] (Numero, Referencia, Descriçao) ") +
                   rows +
                   QStringLiteral("SELECT i, 'KV-' || (i * 104729 % %1), 'Produto ' || i FROM n").arg(kRows));
}

// The program's descriptors open on that file: its connections.
int openedDescriptors(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& name : descriptors.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (QFile::symLinkTarget(descriptors.filePath(name)) == target)
            ++count;
    }
    return count;
}

int threads()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

void makeOffers(Catalogue& catalogue)
{
    catalogue.boxList(catalogue.RefRows, ListKind::CompetitorReferences);
    catalogue.boxList(catalogue.HouseRefRows, ListKind::HouseReferences);
}

} // namespace

void TestCatalogueLifetime::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_large = m_dir.filePath(QStringLiteral("large.kvl"));
    writeLarge(m_large);
}

void TestCatalogueLifetime::f2AgainAndAgainKeepsOneCatalogueOpen()
{
    TestProgram program;
    Module1::DatabasePath = m_large;
    QVERIFY(OpenCatalogue());
    const int threadsOfOne = threads();
    for (int i = 0; i < 12; ++i) {
        makeOffers(Module1::Opened());
        // A family filter reads on the catalogue's second connection too.
        const CrossReferenceSearch::Filtered filtered =
            CrossReferenceSearch::FilterByFamily(Module1::Opened(), QString(), QStringLiteral("Disjuntores"));
        QVERIFY(filtered.message.isEmpty());
        QVERIFY(OpenCatalogue());
        // Its three connections (lookups, work apart, reading ahead), the last catalogue's gone
        // with the reading ahead it had started.
        QCOMPARE(openedDescriptors(m_large), 3);
    }
    // A replaced catalogue's threads go with it.
    QVERIFY2(threads() <= threadsOfOne + 1, qPrintable(QString::number(threads())));
    QCOMPARE(Module1::Opened().RefRows.size(), kRows);

    const QString other = program.file("other.kvl");
    QVERIFY(QFile::copy(m_large, other));
    Module1::DatabasePath = other;
    QVERIFY(OpenCatalogue());
    QCOMPARE(openedDescriptors(m_large), 0);
    QCOMPARE(openedDescriptors(other), 3);
}

void TestCatalogueLifetime::aFailedOpeningLeavesNothingOpen_data()
{
    QTest::addColumn<QString>("damage");
    // The competitor references are being read on a connection of their own when the count or a
    // list fails.
    QTest::newRow("no product table") << "DROP TABLE [Tabela Referencias]";
    QTest::newRow("no family table") << "DROP TABLE FAMILIES";
    QTest::newRow("no manufacturer column") << "ALTER TABLE RELATIONS RENAME COLUMN COMPANY TO FIRMA";
}

void TestCatalogueLifetime::aFailedOpeningLeavesNothingOpen()
{
    QFETCH(QString, damage);
    TestProgram program;
    const QString damaged = program.file("damaged.kvl");
    QVERIFY(QFile::copy(m_large, damaged));
    TestCatalogue(damaged, false).exec(damage);
    Module1::DatabasePath = m_large;
    QVERIFY(OpenCatalogue());
    makeOffers(Module1::Opened());

    Module1::DatabasePath = damaged;
    QVERIFY(!OpenCatalogue());
    QVERIFY(!Module1::Opened().DatabaseOpened);
    QCOMPARE(openedDescriptors(damaged), 0);
    QCOMPARE(openedDescriptors(m_large), 0);
    QCOMPARE(Module1::Opened().work().activeJobs(), 0);
}

void TestCatalogueLifetime::offersBeingMadeOutliveTheirCatalogue()
{
    TestProgram program;
    Module1::DatabasePath = m_large;
    QVERIFY(OpenCatalogue());
    Catalogue& first = Module1::Opened();
    const BoxList box = first.boxList(first.HouseRefRows, ListKind::HouseReferences);
    const std::shared_ptr<const Offers> offers = box.offers;

    const QString other = program.file("other.kvl");
    QVERIFY(QFile::copy(m_large, other));
    Module1::DatabasePath = other;
    QVERIFY(OpenCatalogue());
    QCOMPARE(openedDescriptors(m_large), 0);
    // Whether their making ended or was cancelled, the offers answer as offers made here.
    const QString typed = QStringLiteral("kv 12");
    QCOMPARE(offers->find(typed, 12), makeOffers(box.entries.get(), OfferMatch::Beginning)->find(typed, 12));
    QCOMPARE(offers->find(typed, 12).size(), size_t(12));
}

// The program's own end: the application object goes while the catalogue's work still runs.
void TestCatalogueLifetime::theProgramEndsWhileWorkRuns()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--end-while-working"), m_large});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(child.readAllStandardError(), QByteArray());
}

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--end-while-working") == 0) {
        QCoreApplication application(argc, argv);
        Module1::DatabasePath = QString::fromLocal8Bit(argv[2]);
        if (!OpenCatalogue())
            return 2;
        makeOffers(Module1::Opened());
        return 0;
    }
    QCoreApplication application(argc, argv);
    TestCatalogueLifetime test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cataloguelifetime.moc"
