#include "ReadOnlyDatabase.h"
#include "SmallFiles.h"
#include "StandInImport.h"
#include "StatementRows.h"
#include "TestCatalogue.h"
#include "TestProgram.h"

#include "access/AccessDatabase.h"
#include "access/AccessImporter.h"
#include "access/AccessOfficeEncryption.h"
#include "base/CatalogueSchema.h"
#include "base/CatalogueSignature.h"
#include "base/ImportProgram.h"
#include "base/Windows1252.h"
#include "catalogue/copy/AccessCatalogue.h"
#include "catalogue/copy/AccessCopyCache.h"
#include "catalogue/copy/AccessCopyUse.h"
#include "catalogue/copy/AccessImportProcess.h"
#include "catalogue/copy/CatalogueFile.h"
#include "catalogue/copy/ImportWait.h"
#include "catalogue/lists/WorkPool.h"
#include "catalogue/opened/Module1.h"
#include "catalogue/opened/OpenCatalogue.h"

#include "Jet4AgileEncryption.h"
#include "Jet4CatalogueExport.h"
#include "Jet4Writer.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <sqlite3.h>

#include <thread>

namespace {

using Kind = Jet4ColumnDefinition::Kind;

const QStringList kTables = {QStringLiteral("[Tabela Referencias]"),
                             QStringLiteral("TabelaFotos"),
                             QStringLiteral("TabelaAnexos"),
                             QStringLiteral("RELATIONS"),
                             QStringLiteral("FAMILIES"),
                             QStringLiteral("TabelaVersao")};

// The rows a statement gives on an SQLite file, opened read-only unless told.
QList<QVariantList> fileRows(const QString& path, const QString& sql, bool readOnly = true)
{
    sqlite3* db = nullptr;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    QList<QVariantList> rows;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) == SQLITE_OK)
        rows = statementRows(db, sql);
    sqlite3_close(db);
    return rows;
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

// The standard test catalogue and the cases a conversion could get wrong: a photo big enough
// for a chain of long-value pages, a drawing on one long-value page, accented and non-Latin
// text, quotes, empty text next to nulls, notes longer than a text column holds.
void writeCatalogue(const QString& path)
{
    TestCatalogue::writeStandard(path);

    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        const auto insert = [&](const char* statement, const QVariantList& values) {
            QVERIFY(query.prepare(QString::fromUtf8(statement)));
            for (int i = 0; i < values.size(); ++i)
                query.bindValue(i, values.at(i));
            QVERIFY(query.exec());
        };
        insert(CatalogueSchema::kHouseInsert,
               {20, QStringLiteral("ÇÃO-20"), QStringLiteral("Disjuntor com ação rápida, € e Ω"), 0, 1.5,
                99.99, QVariant(), 12.0, QString(QLatin1String("")), QStringLiteral("10x20"),
                QStringLiteral("Fora de linha"), QStringLiteral("G2"), QVariant(),
                QStringLiteral("Liga de cobre e zinco — latão 😀"), 20});
        insert(CatalogueSchema::kPhotoInsert,
               {20, TestCatalogue::storedFile(QStringLiteral("jpg"), randomBytes(9000, 7)), QVariant(),
                QStringLiteral("ÇÃO-20")});
        insert(CatalogueSchema::kAttachmentInsert,
               {20, TestCatalogue::storedFile(QStringLiteral("pdf"), randomBytes(2500, 8))});
        insert(CatalogueSchema::kRelationInsert,
               {QStringLiteral("RXZ-1"), QStringLiteral("CÖMPANY"), QStringLiteral("DJ"), 10,
                QString(QStringLiteral("Observação longa. ")).repeated(30)});
        insert(CatalogueSchema::kFamilyInsert,
               {QStringLiteral("ÇX"), QStringLiteral("Família com acentuação")});
        insert(CatalogueSchema::kVersionInsert,
               {QStringLiteral("Versão 2.1"), QStringLiteral("março/2024"), QStringLiteral("rev. 'a'"),
                QStringLiteral("Atualização"), QStringLiteral("http://exemplo/atualiza"),
                QStringLiteral("Dica")});
    }
    QSqlDatabase::removeDatabase(connection);
}

// Every row of a table, each value in SQLite's literal form: type and value both count.
QStringList tableRows(QSqlDatabase& db, const QString& table)
{
    QStringList rows;
    QSqlQuery columns(db);
    if (!columns.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table)))
        return {QStringLiteral("no table %1").arg(table)};
    const int count = columns.record().count();
    QStringList quoted;
    for (int i = 0; i < count; ++i)
        quoted.append(QStringLiteral("quote(%1)")
                          .arg(QLatin1Char('[') + columns.record().fieldName(i) + QLatin1Char(']')));
    QSqlQuery query(db);
    if (!query.exec(
            QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(quoted.join(QLatin1Char(',')), table)))
        return {QStringLiteral("cannot read %1").arg(table)};
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < count; ++i)
            values.append(query.value(i).toString());
        rows.append(values.join(QLatin1Char('|')));
    }
    return rows;
}

QStringList schemaOf(QSqlDatabase& db)
{
    QStringList statements;
    // In the order of creation, which decides the order in which the engine weighs indexes.
    QSqlQuery query(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY rowid"), db);
    while (query.next())
        statements.append(query.value(0).toString() + QLatin1Char(' ') + query.value(1).toString() +
                          QLatin1Char(' ') + query.value(2).toString());
    return statements;
}

// Pages of a file the writer made, found by their headers.
struct PageMap
{
    QVector<int> definitions;          // table definition pages after the system catalogue's, in order
    QMap<int, QVector<int>> dataPages; // by owning definition page
    QVector<int> chainPages;           // long-value pages holding one full piece of a chain
    int pageCount = 0;
};

PageMap mapPages(const QByteArray& file)
{
    PageMap map;
    map.pageCount = file.size() / 4096;
    for (int page = 3; page < map.pageCount; ++page) {
        const char* p = file.constData() + page * 4096;
        if (p[0] == 0x02) {
            map.definitions.append(page);
        } else if (p[0] == 0x01 && QByteArray(p + 4, 4) == "LVAL") {
            const int rows = static_cast<unsigned char>(p[12]) | (static_cast<unsigned char>(p[13]) << 8);
            const int start = static_cast<unsigned char>(p[14]) | (static_cast<unsigned char>(p[15]) << 8);
            if (rows == 1 && start == 14 + 2)
                map.chainPages.append(page);
        } else if (p[0] == 0x01) {
            const int owner = qFromLittleEndian<qint32>(p + 4);
            map.dataPages[owner].append(page);
        }
    }
    return map;
}

void put32(QByteArray& file, int offset, quint32 value)
{
    qToLittleEndian(value, file.data() + offset);
}

} // namespace

class TestAccessCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void recognisesAccessFiles_data();
    void recognisesAccessFiles();
    void copiesEveryValue_data();
    void copiesEveryValue();
    void opensAnEncryptedCatalogueOnTheSameLists();
    void encryptsEachFileUnderSecretsOfItsOwn();
    void refusesFilesItCannotWrite_data();
    void refusesFilesItCannotWrite();
    void matchesNamesWithoutRegardToCase();
    void storedFilesInTextColumnsBecomeBytes();
    void needsTheTablesTheProgramOpens_data();
    void needsTheTablesTheProgramOpens();
    void reusesTheCopyOfAnUnchangedFile();
    void makesAgainACopyThatIsNotWhole_data();
    void makesAgainACopyThatIsNotWhole();
    void removesOnlyWhatNoConversionHolds();
    void waitsForAnotherProgramsConversion();
    void anOpeningClearsTheCacheAndHoldsItsCopy();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
    void survivesAnImportThatGoesWrong_data();
    void survivesAnImportThatGoesWrong();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString cacheDirectory() const;

    QTemporaryDir m_dir;
    QString m_catalogue;
    QString m_access;
};

void TestAccessCatalogue::initTestCase()
{
    useOwnCacheFolder();
    QVERIFY(m_dir.isValid());
    QVERIFY2(!AccessImportProcess::program().isEmpty(),
             "lumeo-access-import must be built beside the tests: conversions run in it");
    m_catalogue = path(QStringLiteral("catalogue.kvl"));
    writeCatalogue(m_catalogue);
    m_access = path(QStringLiteral("catalogue.mdb"));
    QString error;
    QVERIFY2(Jet4CatalogueExport::convert(m_catalogue, m_access, 0, &error), qPrintable(error));
}

QString TestAccessCatalogue::cacheDirectory() const
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

void TestAccessCatalogue::init()
{
    QDir(cacheDirectory()).removeRecursively();
}

void TestAccessCatalogue::recognisesAccessFiles_data()
{
    QTest::addColumn<QByteArray>("firstBytes");
    QTest::addColumn<bool>("access");
    QTest::newRow("jet 4") << readFile(m_access).left(4096) << true;
    QTest::newRow("jet 3") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00\x00\x00\x00\x00", 24) << true;
    QTest::newRow("just the signature") << QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) << true;
    QTest::newRow("ace") << QByteArray("\x00\x01\x00\x00Standard ACE DB\x00\x02\x00\x00\x00", 24) << true;
    QTest::newRow("other engine") << QByteArray("\x00\x01\x00\x00Standard XYZ DB\x00\x02\x00\x00\x00", 24)
                                  << false;
    QTest::newRow("sqlite") << readFile(m_catalogue).left(100) << false;
    QTest::newRow("cut signature") << QByteArray("\x00\x01\x00\x00Standard Jet D", 18) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestAccessCatalogue::recognisesAccessFiles()
{
    QFETCH(QByteArray, firstBytes);
    QFETCH(bool, access);
    QCOMPARE(CatalogueSignature::isAccess(firstBytes), access);
}

void TestAccessCatalogue::copiesEveryValue_data()
{
    using Shape = Jet4CatalogueExport::Shape;
    using Format = Jet4CatalogueExport::Format;
    QTest::addColumn<quint32>("encodingKey");
    QTest::addColumn<bool>("separateProcess");
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("password");
    QTest::newRow("plain file, import program")
        << quint32(0) << true << Shape::Fresh << Format::Jet4 << QString();
    QTest::newRow("RC4-encoded file, import program")
        << quint32(0x0badf00d) << true << Shape::Fresh << Format::Jet4 << QString();
    QTest::newRow("plain file, in this process")
        << quint32(0) << false << Shape::Fresh << Format::Jet4 << QString();
    // Deleted columns and rows, moved rows, slack bytes and columns added after rows.
    QTest::newRow("edited file, import program")
        << quint32(0) << true << Shape::Edited << Format::Jet4 << QString();
    QTest::newRow("ACE file, import program")
        << quint32(0) << true << Shape::Fresh << Format::Ace12 << QString();
    // Encrypted with the password the program opens its catalogues with.
    QTest::newRow("encrypted ACE file, import program")
        << quint32(0) << true << Shape::Fresh << Format::Ace12 << AccessDatabase::kCataloguePassword;
    QTest::newRow("encrypted, edited ACE file, in this process")
        << quint32(0) << false << Shape::Edited << Format::Ace12 << AccessDatabase::kCataloguePassword;
}

void TestAccessCatalogue::copiesEveryValue()
{
    QFETCH(quint32, encodingKey);
    QFETCH(bool, separateProcess);
    QFETCH(Jet4CatalogueExport::Shape, shape);
    QFETCH(Jet4CatalogueExport::Format, format);
    QFETCH(QString, password);
    const bool ace = format == Jet4CatalogueExport::Format::Ace12;
    const QString access =
        path(QStringLiteral("round-trip-%1-%2-%3%4")
                 .arg(encodingKey, 0, 16)
                 .arg(int(shape))
                 .arg(password.isEmpty() ? QStringLiteral("plain") : QStringLiteral("encrypted"),
                      ace ? QStringLiteral(".accdb") : QStringLiteral(".mdb")));
    QString error;
    Jet4CatalogueExport::Target target;
    target.format = format;
    target.encodingKey = encodingKey;
    target.password = password;
    QVERIFY2(Jet4CatalogueExport::convert(m_catalogue, access, target, &error, shape), qPrintable(error));
    const QByteArray header = readFile(access).left(4096);
    QCOMPARE(header.mid(4, 15), ace ? QByteArray("Standard ACE DB") : QByteArray("Standard Jet DB"));
    QCOMPARE(AccessOfficeEncryption::isEncrypted(header), !password.isEmpty());
    if (!password.isEmpty())
        QVERIFY(!AccessDatabase(access, password + QLatin1Char('x')).isOpen());

    QString copy;
    if (separateProcess) {
        copy = AccessCatalogue::sqliteCopy(access).path;
    } else {
        copy = path(QStringLiteral("in-process.sqlite"));
        QVERIFY2(AccessImporter::convert(access, copy, {}, &error), qPrintable(error));
    }
    QVERIFY(!copy.isEmpty());

    QStringList expectedSchema;
    QMap<QString, QStringList> expected;
    withDatabase(m_catalogue, [&](QSqlDatabase& db) {
        for (const QString& table : kTables)
            expected[table] = tableRows(db, table);
    });
    const QString reference = path(QStringLiteral("schema.sqlite"));
    TestCatalogue(reference).finish();
    withDatabase(reference, [&](QSqlDatabase& db) { expectedSchema = schemaOf(db); });

    withDatabase(copy, [&](QSqlDatabase& db) {
        QCOMPARE(schemaOf(db), expectedSchema);
        // The engine must find the copy sound and whole.
        QSqlQuery check(QStringLiteral("PRAGMA integrity_check"), db);
        QVERIFY(check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
        for (const QString& table : kTables) {
            QVERIFY2(!expected.value(table).isEmpty(), qPrintable(table));
            QCOMPARE(tableRows(db, table), expected.value(table));
        }
    });
}

// The program's own opening reads an encrypted ACE catalogue, through the password it opens
// catalogues with, into the lists the SQLite catalogue it was written from gives.
void TestAccessCatalogue::opensAnEncryptedCatalogueOnTheSameLists()
{
    const auto listsOf = [](const QString& catalogue) {
        Module1::Reset();
        Module1::DatabasePath = catalogue;
        QStringList lists;
        if (!OpenCatalogue())
            return lists;
        const Catalogue& opened = Module1::Opened();
        lists.append(opened.RecCount.toString());
        for (const CachedList* list :
             {&opened.HouseRefRows, &opened.DescRows, &opened.RefRows, &opened.FamRows, &opened.CompRows}) {
            QStringList values;
            for (qsizetype i = 0; i < list->size(); ++i)
                values.append(list->isNull(i) ? QStringLiteral("<null>") : list->at(i));
            lists.append(values.join(QLatin1Char('|')));
        }
        lists.append({opened.VersionText, opened.LinkTitle, opened.LinkTarget, opened.LinkHint});
        return lists;
    };
    const QString access = path(QStringLiteral("encrypted.accdb"));
    Jet4CatalogueExport::Target target;
    target.format = Jet4CatalogueExport::Format::Ace12;
    target.password = AccessDatabase::kCataloguePassword;
    QString error;
    QVERIFY2(Jet4CatalogueExport::convert(m_catalogue, access, target, &error), qPrintable(error));

    const QStringList expected = listsOf(m_catalogue);
    QVERIFY(!expected.isEmpty());
    QVERIFY(expected.at(1).size() > 0);
    const QStringList opened = listsOf(access);
    const QString copy = CatalogueFile::sqliteFileFor(access).path;
    Module1::Reset();
    QCOMPARE(opened, expected);
    QVERIFY(!copy.isEmpty());
    QVERIFY(copy != access);
}

// Two encryptions of one catalogue share no salt, key or page, and both read as the catalogue.
void TestAccessCatalogue::encryptsEachFileUnderSecretsOfItsOwn()
{
    Jet4CatalogueExport::Target target;
    target.format = Jet4CatalogueExport::Format::Ace12;
    target.password = AccessDatabase::kCataloguePassword;
    QByteArray files[2];
    for (int i = 0; i < 2; ++i) {
        const QString access = path(QStringLiteral("secrets-%1.accdb").arg(i));
        QString error;
        QVERIFY2(Jet4CatalogueExport::convert(m_catalogue, access, target, &error), qPrintable(error));
        files[i] = readFile(access);
        QVERIFY(AccessDatabase(access).isOpen());
    }
    QCOMPARE(files[0].size(), files[1].size());
    constexpr int kPage = 4096;
    QVERIFY(files[0].mid(0x299, 2) == files[1].mid(0x299, 2));
    QVERIFY(files[0].mid(0x29b, 600) != files[1].mid(0x29b, 600));
    for (int page = 1; page < files[0].size() / kPage; ++page)
        QVERIFY2(files[0].mid(page * kPage, kPage) != files[1].mid(page * kPage, kPage),
                 qPrintable(QStringLiteral("page %1").arg(page)));
}

void TestAccessCatalogue::refusesFilesItCannotWrite_data()
{
    using Format = Jet4CatalogueExport::Format;
    QTest::addColumn<Format>("format");
    QTest::addColumn<quint32>("rc4Key");
    // The encryption's file key and encoding key; none for a conversion with a password.
    QTest::addColumn<QByteArray>("fileKey");
    QTest::addColumn<QByteArray>("encodingKey");
    const QByteArray key(32, 'k');
    const QByteArray encodingKey("\x01\x02\x03\x04", 4);
    QTest::newRow("ACE file with an RC4 key")
        << Format::Ace12 << quint32(0x0badf00d) << QByteArray() << QByteArray();
    QTest::newRow("Jet 4 file encrypted") << Format::Jet4 << quint32(0) << key << encodingKey;
    QTest::newRow("file key of AES-128") << Format::Ace12 << quint32(0) << key.left(16) << encodingKey;
    QTest::newRow("encoding key of zeros") << Format::Ace12 << quint32(0) << key << QByteArray(4, '\0');
    QTest::newRow("short encoding key") << Format::Ace12 << quint32(0) << key << encodingKey.left(3);
}

void TestAccessCatalogue::refusesFilesItCannotWrite()
{
    QFETCH(Jet4CatalogueExport::Format, format);
    QFETCH(quint32, rc4Key);
    QFETCH(QByteArray, fileKey);
    QFETCH(QByteArray, encodingKey);
    const QString access = path(QStringLiteral("refused.accdb"));
    QString error;
    bool written = true;
    if (fileKey.isEmpty()) {
        Jet4CatalogueExport::Target target;
        target.format = format;
        target.encodingKey = rc4Key;
        target.password = AccessDatabase::kCataloguePassword;
        written = Jet4CatalogueExport::convert(m_catalogue, access, target, &error);
    } else {
        Jet4AgileEncryption::Secrets secrets = Jet4AgileEncryption::randomSecrets();
        QCOMPARE(secrets.fileKey.size(), 32);
        secrets.fileKey = fileKey;
        secrets.encodingKey = encodingKey;
        Jet4Writer writer(
            access, format,
            std::make_shared<const Jet4AgileEncryption>(AccessDatabase::kCataloguePassword, secrets, 16));
        written = writer.open();
        error = writer.errorString();
    }
    QVERIFY(!written);
    QVERIFY2(!error.isEmpty(), "refused without a reason");
    QVERIFY(!QFile::exists(access));
}

void TestAccessCatalogue::matchesNamesWithoutRegardToCase()
{
    // Names in other letter case and columns in another order, an extra column, a missing
    // column, no attachments table, and a version table whose first three columns have names
    // of their own and values that are no text.
    const QString access = path(QStringLiteral("names.mdb"));
    Jet4Writer writer(access);
    QVERIFY(writer.open());
    QVERIFY(writer.beginTable(QStringLiteral("tabela referenciaS"),
                              {{QStringLiteral("descriçao"), Kind::Text},
                               {QStringLiteral("REFERENCIA"), Kind::Text},
                               {QStringLiteral("Extra"), Kind::Memo},
                               {QStringLiteral("numero"), Kind::Long},
                               {QStringLiteral("PREÇO"), Kind::Double},
                               {QStringLiteral("class FISCAL"), Kind::Text}}));
    QVERIFY(writer.addRow({QStringLiteral("Relé térmico"), QStringLiteral("KV-300"), QStringLiteral("x"), 6,
                           12.5, QStringLiteral("8536")}));
    QVERIFY(writer.endTable());
    QVERIFY(writer.beginTable(QStringLiteral("relations"), {{QStringLiteral("company"), Kind::Text},
                                                            {QStringLiteral("reference"), Kind::Text},
                                                            {QStringLiteral("family"), Kind::Text},
                                                            {QStringLiteral("Reference_Set"), Kind::Long}}));
    QVERIFY(writer.addRow({QStringLiteral("C"), QStringLiteral("R"), QStringLiteral("F"), 1}));
    QVERIFY(writer.endTable());
    QVERIFY(writer.beginTable(QStringLiteral("Families"), {{QStringLiteral("description"), Kind::Text},
                                                           {QStringLiteral("FAMILY"), Kind::Text}}));
    QVERIFY(writer.addRow({QStringLiteral("Disjuntores"), QStringLiteral("DJ")}));
    QVERIFY(writer.endTable());
    QVERIFY(writer.beginTable(QStringLiteral("TABELAVERSAO"), {{QStringLiteral("Número"), Kind::Long},
                                                               {QStringLiteral("Mês"), Kind::Text},
                                                               {QStringLiteral("Fator"), Kind::Double},
                                                               {QStringLiteral("dicaparalink"), Kind::Text},
                                                               {QStringLiteral("linkprograma"), Kind::Text},
                                                               {QStringLiteral("titulolink"), Kind::Text}}));
    QVERIFY(writer.addRow({3, QStringLiteral("março"), 1.5, QStringLiteral("Dica"),
                           QStringLiteral("http://x/"), QStringLiteral("Título")}));
    QVERIFY(writer.endTable());
    QVERIFY2(writer.finish(), qPrintable(writer.errorString()));

    const QString copy = AccessCatalogue::sqliteCopy(access).path;
    QVERIFY(!copy.isEmpty());
    withDatabase(copy, [&](QSqlDatabase& db) {
        QCOMPARE(tableRows(db, QStringLiteral("[Tabela Referencias]")),
                 QStringList({QStringLiteral(
                     "6|'KV-300'|'Relé térmico'|NULL|NULL|12.5|NULL|NULL|'8536'|NULL|NULL|NULL|"
                     "NULL|NULL|NULL")}));
        QCOMPARE(tableRows(db, QStringLiteral("RELATIONS")),
                 QStringList({QStringLiteral("'R'|'C'|'F'|1|NULL")}));
        QCOMPARE(tableRows(db, QStringLiteral("FAMILIES")),
                 QStringList({QStringLiteral("'DJ'|'Disjuntores'")}));
        QCOMPARE(tableRows(db, QStringLiteral("TabelaVersao")),
                 QStringList({QStringLiteral("'3'|'março'|'1,5'|'Título'|'http://x/'|'Dica'")}));
        QCOMPARE(tableRows(db, QStringLiteral("TabelaAnexos")), QStringList());
        QCOMPARE(tableRows(db, QStringLiteral("TabelaFotos")), QStringList());
        // The program's own spelling finds the rows.
        QSqlQuery query(
            QStringLiteral("SELECT [Class fiscal] FROM [Tabela referenciaS] WHERE descriçao LIKE ?"), db);
        query.addBindValue(QStringLiteral("%relé%"));
        QVERIFY(query.exec());
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("8536"));
    });
}

void TestAccessCatalogue::storedFilesInTextColumnsBecomeBytes()
{
    // Older catalogues keep stored files in memo columns: one character per byte.
    QString content = QStringLiteral("png").leftJustified(30, QLatin1Char(' '));
    for (int code = 1; code < 256; ++code)
        content.append(Windows1252::character(static_cast<unsigned char>(code)));
    const QString access = path(QStringLiteral("memo-photos.mdb"));
    Jet4Writer writer(access);
    QVERIFY(writer.open());
    QVERIFY(
        writer.beginTable(QStringLiteral("Tabela Referencias"), {{QStringLiteral("Numero"), Kind::Long},
                                                                 {QStringLiteral("Referencia"), Kind::Text},
                                                                 {QStringLiteral("Descriçao"), Kind::Text}}));
    QVERIFY(writer.addRow({1, QStringLiteral("KV-1"), QStringLiteral("Um")}));
    QVERIFY(writer.endTable());
    QVERIFY(writer.beginTable(QStringLiteral("TabelaFotos"), {{QStringLiteral("Numeracao"), Kind::Long},
                                                              {QStringLiteral("FOTO"), Kind::Memo}}));
    QVERIFY(writer.addRow({1, content}));
    QVERIFY(writer.addRow({2, QVariant()}));
    QVERIFY(writer.endTable());
    QVERIFY(writer.beginTable(QStringLiteral("RELATIONS"), {{QStringLiteral("REFERENCE"), Kind::Text},
                                                            {QStringLiteral("COMPANY"), Kind::Text}}));
    QVERIFY(writer.endTable());
    QVERIFY(writer.beginTable(QStringLiteral("FAMILIES"), {{QStringLiteral("DESCRIPTION"), Kind::Text}}));
    QVERIFY(writer.endTable());
    QVERIFY2(writer.finish(), qPrintable(writer.errorString()));

    const QString copy = AccessCatalogue::sqliteCopy(access).path;
    QVERIFY(!copy.isEmpty());
    withDatabase(copy, [&](QSqlDatabase& db) {
        QSqlQuery query(QStringLiteral("SELECT FOTO, typeof(FOTO) FROM TabelaFotos ORDER BY Numeracao"), db);
        QVERIFY(query.next());
        QCOMPARE(query.value(1).toString(), QStringLiteral("blob"));
        QCOMPARE(query.value(0).toByteArray(), Windows1252::encode(content));
        QCOMPARE(query.value(0).toByteArray().size(), 30 + 255);
        QVERIFY(query.next());
        QCOMPARE(query.value(1).toString(), QStringLiteral("null"));
    });
}

void TestAccessCatalogue::needsTheTablesTheProgramOpens_data()
{
    QTest::addColumn<QString>("missingTable");
    QTest::addColumn<QString>("missingColumn");
    QTest::addColumn<bool>("opens");
    QTest::newRow("complete") << QString() << QString() << true;
    QTest::newRow("no version table") << QStringLiteral("TabelaVersao") << QString() << true;
    QTest::newRow("no photos table") << QStringLiteral("TabelaFotos") << QString() << true;
    QTest::newRow("no house table") << QStringLiteral("Tabela Referencias") << QString() << false;
    QTest::newRow("no cross-reference table") << QStringLiteral("RELATIONS") << QString() << false;
    QTest::newRow("no families table") << QStringLiteral("FAMILIES") << QString() << false;
    QTest::newRow("no description column") << QString() << QStringLiteral("Descriçao") << false;
    QTest::newRow("no company column") << QString() << QStringLiteral("COMPANY") << false;
    QTest::newRow("no weight column") << QString() << QStringLiteral("Peso") << true;
}

void TestAccessCatalogue::needsTheTablesTheProgramOpens()
{
    QFETCH(QString, missingTable);
    QFETCH(QString, missingColumn);
    QFETCH(bool, opens);
    const QString sqlite = path(QStringLiteral("partial.kvl"));
    QFile::remove(sqlite);
    QVERIFY(QFile::copy(m_catalogue, sqlite));
    QFile::setPermissions(sqlite, QFile::ReadOwner | QFile::WriteOwner);
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(sqlite);
        QVERIFY(db.open());
        QSqlQuery query(db);
        // Indexed columns cannot be dropped.
        QStringList indexes;
        QVERIFY(query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'")));
        while (query.next())
            indexes.append(query.value(0).toString());
        for (const QString& index : indexes)
            QVERIFY(query.exec(QStringLiteral("DROP INDEX %1").arg(index)));
        if (!missingTable.isEmpty())
            QVERIFY(query.exec(QStringLiteral("DROP TABLE [%1]").arg(missingTable)));
        for (const QString& table : kTables) {
            if (!missingColumn.isEmpty() &&
                QSqlQuery(db).exec(QStringLiteral("SELECT [%1] FROM %2").arg(missingColumn, table)))
                QVERIFY(
                    query.exec(QStringLiteral("ALTER TABLE %1 DROP COLUMN [%2]").arg(table, missingColumn)));
        }
    }
    QSqlDatabase::removeDatabase(connection);
    const QString access = path(QStringLiteral("partial.mdb"));
    QString error;
    QVERIFY2(Jet4CatalogueExport::convert(sqlite, access, 0, &error), qPrintable(error));
    const QString copy = AccessCatalogue::sqliteCopy(access).path;
    QCOMPARE(!copy.isEmpty(), opens);
    if (opens) {
        withDatabase(copy, [&](QSqlDatabase& db) {
            for (const QString& table : kTables)
                QVERIFY2(QSqlQuery(db).exec(QStringLiteral("SELECT * FROM %1").arg(table)),
                         qPrintable(table));
        });
    }
}

void TestAccessCatalogue::reusesTheCopyOfAnUnchangedFile()
{
    const QString access = path(QStringLiteral("cached.mdb"));
    QFile::remove(access);
    QVERIFY(QFile::copy(m_access, access));

    // What a conversion reports, as the loading window sees it: its figures, then 100 at its end.
    QVector<int> reported;
    struct RecordingWait : ImportWait
    {
        QVector<int>* reported;
        void waitFor(AccessImportProcess& import, Until) override
        {
            connect(&import, &AccessImportProcess::progressed,
                    [this](int percent) { reported->append(percent); });
            connect(&import, &AccessImportProcess::ended, [this] { reported->append(100); });
            import.waitForEnd();
        }
    } recording;
    recording.reported = &reported;
    ImportWait::install(&recording);
    const auto removeWait = qScopeGuard([&] { ImportWait::remove(&recording); });
    const QString first = AccessCatalogue::sqliteCopy(access).path;
    QVERIFY(!first.isEmpty());
    QVERIFY(first.startsWith(cacheDirectory()));
    QVERIFY(!reported.isEmpty());
    QCOMPARE(reported.last(), 100);
    QVERIFY(std::is_sorted(reported.begin(), reported.end()));

    reported.clear();
    QCOMPARE(AccessCatalogue::sqliteCopy(access).path, first);
    QVERIFY2(reported.isEmpty(), "an unchanged file is not converted again");

    // A changed file gets a new copy, and the old one goes.
    QFile file(access);
    QVERIFY(file.open(QIODevice::Append));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    const QString second = AccessCatalogue::sqliteCopy(access).path;
    QVERIFY(!second.isEmpty());
    QVERIFY(second != first);
    QVERIFY(!QFile::exists(first));
    QVERIFY(!reported.isEmpty());

    const QString name = QFileInfo(second).fileName();
    QCOMPARE(QDir(cacheDirectory()).entryList(QDir::Files), QStringList({name, name + ".source"}));
}

void TestAccessCatalogue::makesAgainACopyThatIsNotWhole_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("without its mark") << "PRAGMA application_id = 0";
    QTest::newRow("of another layout")
        << QString("PRAGMA user_version = %1").arg(ImportProgram::kCopyLayoutVersion + 1);
    QTest::newRow("cut short") << "cut";
    QTest::newRow("not a database") << "text";
    // Nothing in the cache is followed through a link, nor is a directory under a copy's name
    // taken for one.
    QTest::newRow("a link to a finished copy elsewhere") << "link";
    QTest::newRow("a directory") << "directory";
}

void TestAccessCatalogue::makesAgainACopyThatIsNotWhole()
{
    QFETCH(QString, damage);
    const QString copy = AccessCatalogue::sqliteCopy(m_access).path;
    QVERIFY(!copy.isEmpty());
    const QString products = QStringLiteral("SELECT Referencia FROM [Tabela Referencias] ORDER BY 1");
    const QList<QVariantList> rows = fileRows(copy, products);
    QVERIFY(!rows.isEmpty());
    const QString elsewhere = path(QStringLiteral("elsewhere.sqlite"));
    const QString record = AccessCopyCache::sourceRecordPath(copy);

    if (damage == "cut") {
        QFile file(copy);
        QVERIFY(file.resize(file.size() / 2));
    } else if (damage == "text") {
        QVERIFY(writeFile(copy, "Not a catalogue"));
    } else if (damage == "link") {
        QVERIFY(QFile::rename(copy, elsewhere));
        QVERIFY(QFile::link(elsewhere, copy));
        QVERIFY(QFile::remove(record));
        QVERIFY(QFile::link(elsewhere + ".source", record));
    } else if (damage == "directory") {
        QVERIFY(QFile::remove(copy));
        QVERIFY(QDir().mkdir(copy));
    } else {
        QVERIFY(fileRows(copy, damage, false).isEmpty());
    }
    QVERIFY(!AccessCopyCache::isFinished(copy));

    // Found not whole, the copy is made again without a word, under the same name.
    QCOMPARE(AccessCatalogue::sqliteCopy(m_access).path, copy);
    QCOMPARE(fileRows(copy, products), rows);
    QVERIFY(AccessCopyCache::isFinished(copy));
    QVERIFY(!QFileInfo(copy).isSymLink() && !QFileInfo(record).isSymLink());
    if (damage == "link") {
        // What the links named is as it was: not opened for writing, its time not set.
        QVERIFY(QFileInfo(elsewhere).lastModified() < QFileInfo(copy).lastModified());
        QVERIFY(!QFile::exists(elsewhere + ".source"));
        QVERIFY(QFile::remove(elsewhere));
    }
}

// Two programs opening one new Access file convert it once: the second waits for the first's
// copy and opens it.
void TestAccessCatalogue::waitsForAnotherProgramsConversion()
{
    const QString copy = AccessCatalogue::sqliteCopy(m_access).path;
    QVERIFY(!copy.isEmpty());
    // The other program's copy, told from one made here by a table of its own.
    const QString theirs = path(QStringLiteral("other-program.sqlite"));
    QVERIFY(QFile::rename(copy, theirs));
    fileRows(theirs, QStringLiteral("CREATE TABLE OtherProgram (Made)"), false);
    const QString part = AccessCopyCache::temporaryPath(copy);
    QVERIFY(writeFile(part, "being converted"));
    std::unique_ptr<QLockFile> converting = AccessCopyCache::lockTemporary(part);
    QVERIFY(converting);
    std::thread otherProgram([&] {
        QThread::msleep(1500);
        QFile::rename(theirs, copy);
        QFile::remove(part);
        converting.reset();
    });

    const QString opened = AccessCatalogue::sqliteCopy(m_access).path;
    const QList<QVariantList> made = fileRows(copy, QStringLiteral("SELECT count(*) FROM OtherProgram"));
    otherProgram.join();
    QCOMPARE(opened, copy);
    QCOMPARE(made, QList<QVariantList>{{QVariant(0)}});
}

// A conversion's temporary file stays while the conversion holds its lock, and goes at the
// next opening once its program is gone, whatever its age.
void TestAccessCatalogue::removesOnlyWhatNoConversionHolds()
{
    const QString copy = AccessCatalogue::sqliteCopy(m_access).path;
    QVERIFY(!copy.isEmpty());
    const QString abandoned = AccessCopyCache::temporaryPath(copy);
    const QString running = AccessCopyCache::temporaryPath(copy);
    QVERIFY(writeFile(abandoned, "half a copy"));
    QVERIFY(writeFile(running, "a copy being made"));
    // The lists a conversion writes first go and stay with its temporary file; an abandoned
    // conversion may have left its lists alone.
    const QString abandonedLists = AccessCopyCache::listsPath(abandoned);
    const QString listsAlone = AccessCopyCache::listsPath(AccessCopyCache::temporaryPath(copy));
    for (const QString& lists : {abandonedLists, listsAlone, AccessCopyCache::listsPath(running)})
        QVERIFY(writeFile(lists, "lists"));
    const std::unique_ptr<QLockFile> converting = AccessCopyCache::lockTemporary(running);
    QVERIFY(converting);

    // Another catalogue's conversion, abandoned too, goes at this opening as well.
    const QString otherCopy =
        QFileInfo(copy).dir().filePath(QStringLiteral("access-0123456789abcdef-fedcba9876543210.sqlite"));
    const QString otherAbandoned = AccessCopyCache::temporaryPath(otherCopy);
    QVERIFY(writeFile(otherAbandoned, "half of another copy"));
    QVERIFY(writeFile(AccessCopyCache::listsPath(otherAbandoned), "its lists"));

    QCOMPARE(AccessCatalogue::sqliteCopy(m_access).path, copy);
    QVERIFY(!QFile::exists(otherAbandoned));
    QVERIFY(!QFile::exists(AccessCopyCache::listsPath(otherAbandoned)));
    QVERIFY(!QFile::exists(abandoned));
    QVERIFY(!QFile::exists(abandonedLists));
    QVERIFY(!QFile::exists(listsAlone));
    QVERIFY(QFile::exists(running));
    QVERIFY(QFile::exists(AccessCopyCache::listsPath(running)));
    QVERIFY(QFile::exists(AccessCopyCache::lockPath(running)));
}

// Each opening removes the copies of files that are gone, records its own file beside its copy
// and marks it used now; the caller that asks holds the copy in use.
void TestAccessCatalogue::anOpeningClearsTheCacheAndHoldsItsCopy()
{
    const QString gone = path(QStringLiteral("gone.mdb"));
    QVERIFY(QFile::copy(m_access, gone));
    const QString orphan = AccessCatalogue::sqliteCopy(gone).path;
    QVERIFY(!orphan.isEmpty());
    QVERIFY(QFile::remove(gone));

    // The program's openings clear the cache beside them, on their catalogue's pool.
    WorkPool pool;
    AccessCatalogue::Copy copied =
        AccessCatalogue::sqliteCopy(m_access, AccessCatalogue::CopyWait::UntilWhole, &pool);
    const QString copy = copied.path;
    const AccessCopyUse use = std::move(copied.use);
    QVERIFY(!copy.isEmpty());
    pool.cancelAndWait();
    QVERIFY(!QFile::exists(orphan));
    QCOMPARE(AccessCopyCache::recordedSource(copy), QFileInfo(m_access).canonicalFilePath());
    QVERIFY(use.holds());
    QVERIFY(!AccessCopyCache::removeUnlessInUse(copy));

    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-40), QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(AccessCatalogue::sqliteCopy(m_access).path, copy);
    QVERIFY(QFileInfo(copy).lastModified() > QDateTime::currentDateTime().addDays(-1));
}

void TestAccessCatalogue::refusesDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    // Damage the reader must notice; otherwise the file may still read, with other values.
    QTest::addColumn<bool>("mustFail");

    const QByteArray whole = readFile(m_access);
    QVERIFY(whole.size() % 4096 == 0);
    const PageMap pages = mapPages(whole);
    QVERIFY(pages.definitions.size() >= 6);
    const int houseDefinition = pages.definitions.at(0);
    const int relationsDefinition = pages.definitions.at(3);
    QVERIFY(!pages.dataPages.value(relationsDefinition).isEmpty());
    QVERIFY(!pages.chainPages.isEmpty());
    const int relationsData = pages.dataPages.value(relationsDefinition).first();

    QTest::newRow("zero length") << QByteArray() << true;
    const qsizetype length = whole.size();
    for (const qsizetype size : {qsizetype(100), qsizetype(4096), qsizetype(2 * 4096),
                                 qsizetype(2 * 4096 + 17), length / 2, length - 4096, length - 1})
        QTest::newRow(qPrintable(QStringLiteral("cut at %1 bytes").arg(size))) << whole.left(size) << true;

    QByteArray damaged = whole;
    damaged[4] = 'X';
    QTest::newRow("signature") << damaged << true;
    damaged = whole;
    damaged[0x14] = 0x07;
    QTest::newRow("version") << damaged << true;
    damaged = whole;
    damaged[0x3e] = static_cast<char>(damaged.at(0x3e) ^ 0x5a);
    QTest::newRow("page encoding key") << damaged << true;
    damaged = whole;
    damaged[2 * 4096] = 0x01;
    QTest::newRow("catalogue definition page type") << damaged << true;
    damaged = whole;
    damaged[houseDefinition * 4096] = 0x04;
    QTest::newRow("house table definition page type") << damaged << true;
    damaged = whole;
    put32(damaged, houseDefinition * 4096 + 55, 0x7fffff01);
    QTest::newRow("house table usage map beyond the file") << damaged << true;
    damaged = whole;
    damaged[relationsData * 4096] = 0x03;
    QTest::newRow("cross-reference data page type") << damaged << true;
    damaged = whole;
    put32(damaged, relationsData * 4096 + 4, 3);
    QTest::newRow("cross-reference data page owner") << damaged << true;
    damaged = whole;
    qToLittleEndian<quint16>(0x0fff, damaged.data() + relationsData * 4096 + 14);
    QTest::newRow("cross-reference row offset") << damaged << true;
    damaged = whole;
    const int chain = pages.chainPages.first();
    put32(damaged, chain * 4096 + 16, quint32(chain) << 8);
    QTest::newRow("long value chain that loops") << damaged << true;
    damaged = whole;
    put32(damaged, chain * 4096 + 16, quint32(pages.pageCount + 50) << 8);
    QTest::newRow("long value chain beyond the file") << damaged << true;

    QRandomGenerator random(2024);
    for (int i = 0; i < 12; ++i) {
        damaged = whole;
        const int page = 1 + random.bounded(pages.pageCount - 1);
        for (int flip = 0; flip < 8; ++flip)
            damaged[page * 4096 + random.bounded(4096)] = static_cast<char>(random.bounded(256));
        QTest::newRow(qPrintable(QStringLiteral("bytes changed on page %1").arg(page))) << damaged << false;
    }

    // Sound files that are no catalogue.
    const QString other = path(QStringLiteral("other.mdb"));
    Jet4Writer writer(other);
    QVERIFY(writer.open() &&
            writer.beginTable(QStringLiteral("Outra"), {{QStringLiteral("Id"), Kind::Long}}) &&
            writer.addRow({1}) && writer.endTable() && writer.finish());
    QTest::newRow("sound file without the catalogue tables") << readFile(other) << true;
    // The shared samples' folder comes from the build (tests/CMakeLists.txt); without it this
    // case is left out.
    const QByteArray sample = readFile(
        QDir(qEnvironmentVariable("LUMEO_ACCESS_SAMPLES")).filePath(QStringLiteral("jet4-password.mdb")));
    if (!sample.isEmpty())
        QTest::newRow("sample file without the catalogue tables") << sample << true;
}

void TestAccessCatalogue::refusesDamagedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, mustFail);
    const QString access = path(QStringLiteral("damaged.mdb"));
    QVERIFY(writeFile(access, content));

    const QString copy = AccessCatalogue::sqliteCopy(access).path;
    if (mustFail)
        QVERIFY2(copy.isEmpty(), "the damaged file was taken for a catalogue");
    if (!copy.isEmpty()) {
        withDatabase(copy, [&](QSqlDatabase& db) {
            for (const QString& table : kTables)
                QVERIFY2(QSqlQuery(db).exec(QStringLiteral("SELECT * FROM %1").arg(table)),
                         qPrintable(table));
        });
    }
    // Nothing half-written stays behind to be taken for a copy later.
    const QStringList left = QDir(cacheDirectory()).entryList(QDir::Files);
    QVERIFY2(left.filter(QStringLiteral(".part")).isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
    // A copy and the record of its file.
    QCOMPARE(left.size(), copy.isEmpty() ? 0 : 2);

    // The import program ends by itself, with an answer, on every one of these files.
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    const QString output = path(QStringLiteral("damaged.sqlite"));
    process.start(AccessImportProcess::program(), {access, output});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode() == 0, !copy.isEmpty());
}

void TestAccessCatalogue::survivesAnImportThatGoesWrong_data()
{
    // Stand-ins for an import program that the Access library has crashed or stuck.
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("converted");
    QTest::addColumn<bool>("eventLoop"); // waited for in an event loop, as the windows wait
    for (const bool eventLoop : {false, true}) {
        const char* way = eventLoop ? ", event loop" : "";
        QTest::addRow("crashes%s", way)
            << QByteArray("echo progress 10; kill -SEGV $$") << false << eventLoop;
        QTest::addRow("hangs without a word%s", way) << QByteArray("exec sleep 600") << false << eventLoop;
        QTest::addRow("hangs after some progress%s", way)
            << QByteArray("echo progress 40; exec sleep 600") << false << eventLoop;
        QTest::addRow("fails%s", way) << QByteArray("echo progress 5; exit 1") << false << eventLoop;
        QTest::addRow("succeeds%s", way)
            << QByteArray("echo progress 50; echo progress 100; exit 0") << true << eventLoop;
    }
}

void TestAccessCatalogue::survivesAnImportThatGoesWrong()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, converted);
    QFETCH(bool, eventLoop);
    const QString program = path(QStringLiteral("import.sh"));
    QVERIFY(StandInImport::write(program, script));
    AccessImportProcess import(program, m_access, path(QStringLiteral("never.sqlite")), 500);
    QSignalSpy reported(&import, &AccessImportProcess::progressed);
    QSignalSpy ended(&import, &AccessImportProcess::ended);
    QVERIFY(import.start());
    if (eventLoop)
        QTRY_VERIFY_WITH_TIMEOUT(import.hasEnded(), 30000);
    else
        import.waitForEnd();
    QCOMPARE(import.succeeded(), converted);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.first().first().toBool(), converted);
    QCOMPARE(!reported.isEmpty(), script.contains("progress"));
}

QTEST_GUILESS_MAIN(TestAccessCatalogue)
#include "tst_accesscatalogue.moc"
