#include "access/AccessAgilePasswordKey.h"
#include "access/AccessDatabase.h"
#include "access/AccessNative.h"
#include "access/AccessOfficeEncryption.h"
#include "access/AccessTableReader.h"

#include "Jet4AgileEncryption.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

constexpr int kPage = 4096;
constexpr int kInfoOffset = 0x299;
const QLatin1String kEncryptedSample("office-agile-4.2.accdb");
const QLatin1String kPlainSample("testV2007.accdb");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString sample(const QString& name)
{
    return QDir(qEnvironmentVariable("LUMEO_ACCESS_SAMPLES")).filePath(name);
}

// A plain ACE file encrypted as the writer encrypts its ACE files, with fixed secrets.
QByteArray encryptAgile(QByteArray file, const QString& password, const QByteArray& encodingKey)
{
    const Jet4AgileEncryption::Secrets secrets{
        QByteArray::fromHex("00112233445566778899aabbccddeeff0f1e2d3c4b5a69788796a5b4c3d2e1f0"),
        QByteArray::fromHex("a1b2c3d4e5f60718293a4b5c6d7e8f90"),
        QByteArray::fromHex("0f0e0d0c0b0a09080706050403020100"), QByteArray("verificador 16 b"), encodingKey};
    const Jet4AgileEncryption encryption(password, secrets, 100000);
    return encryption.encryptFile(file) ? file : QByteArray();
}

// Every row of a table, its values as text; empty when the table cannot be read whole.
QStringList rowsOf(AccessDatabase& database, const QString& table)
{
    AccessTableReader reader(database, table);
    QStringList rows;
    QVariantList values;
    while (reader.next(values)) {
        QStringList row;
        for (const QVariant& value : values)
            row.append(value.toString());
        rows.append(row.join(QLatin1Char('|')));
    }
    if (!reader.isOpen() || reader.failed() || reader.rowsRead() < reader.declaredRowCount())
        return {};
    return rows;
}

} // namespace

class TestAccessEncryption : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsTheEncryptedSample();
    void readsAnAgileEncryptedFileAsThePlainOne();
    void unsealsAsOfficeSeals_data();
    void unsealsAsOfficeSeals();
    void refusesWithTheReason_data();
    void refusesWithTheReason();
    void neverReadsDamagedEncryptedPagesAsOtherRows();

private:
    QTemporaryDir m_dir;
    QByteArray m_encrypted;
    QByteArray m_agile;
};

void TestAccessEncryption::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_encrypted = readFile(sample(kEncryptedSample));
    QVERIFY2(!m_encrypted.isEmpty(), "the shared Access samples are missing (../shared/access-samples)");
    const QByteArray plain = readFile(sample(kPlainSample));
    QVERIFY(!plain.isEmpty());
    m_agile = encryptAgile(plain, QStringLiteral("segredo"), QByteArray::fromHex("5a17c3e9"));
}

void TestAccessEncryption::readsTheEncryptedSample()
{
    AccessDatabase database(sample(kEncryptedSample), QStringLiteral("password"));
    QVERIFY2(database.isOpen(), qPrintable(database.errorString()));
    QCOMPARE(database.tableNames(), QStringList{QStringLiteral("Table1")});
    AccessTableReader reader(database, QStringLiteral("Table1"));
    QCOMPARE(reader.columns().size(), 2);
    QCOMPARE(reader.columns().at(0).name, QStringLiteral("ID"));
    QCOMPARE(reader.columns().at(1).name, QStringLiteral("Data"));
    QCOMPARE(rowsOf(database, QStringLiteral("Table1")),
             QStringList({QStringLiteral("1|One"), QStringLiteral("2|Two"), QStringLiteral("3|Three")}));
}

void TestAccessEncryption::readsAnAgileEncryptedFileAsThePlainOne()
{
    const QString path = m_dir.filePath(QStringLiteral("agile.accdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(m_agile) == m_agile.size());
    file.close();
    QVERIFY(m_agile.mid(kPage, kPage) != readFile(sample(kPlainSample)).mid(kPage, kPage));
    AccessDatabase plain(sample(kPlainSample));
    AccessDatabase encrypted(path, QStringLiteral("segredo"));
    QVERIFY2(encrypted.isOpen(), qPrintable(encrypted.errorString()));
    QCOMPARE(encrypted.tableNames(), plain.tableNames());
    int rowCount = 0;
    for (const QString& table : plain.tableNames()) {
        const QStringList rows = rowsOf(plain, table);
        rowCount += rows.size();
        QCOMPARE(rowsOf(encrypted, table), rows);
    }
    QVERIFY(rowCount > 0);
}

// Known answers from outside this program: two password encryptors of files Office encrypted
// (SHA-512, AES-256, 100,000 spins), as the Python msoffcrypto project gives them in the examples
// of its agile decryption. One checks the password against the verifier, the other unseals the
// file key.
void TestAccessEncryption::unsealsAsOfficeSeals_data()
{
    QTest::addColumn<QByteArray>("salt");
    QTest::addColumn<QByteArray>("verifier");
    QTest::addColumn<QByteArray>("verifierHash");
    QTest::addColumn<QByteArray>("sealedKey");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("verifies");
    QTest::addColumn<QByteArray>("fileKey");
    const QByteArray verifierSalt = QByteArray::fromHex("cbca1c999343fbad92075634150034b0");
    const QByteArray verifier = QByteArray::fromHex("39eea54e26e514798c284bc7714d38ac");
    const QByteArray verifierHash =
        QByteArray::fromHex("14376d6d817334e6b0ff4fd8221a7c678e5d8a784e8f999f4c188930c36a4b29"
                            "c5b333605b5cd403b05003adcf18cca8cbab8debe373c65604a0becfae5c0ad0");
    const QByteArray keySalt = QByteArray::fromHex("4c725d45dc610f939412a04da7910466");
    const QByteArray sealedKey =
        QByteArray::fromHex("a16cd5165a7ab9d271113ed386a78cf49692e8e527b0c5fc0055ed080b7cb94b");
    const QByteArray fileKey =
        QByteArray::fromHex("40206609d9faadf24b076aebf2c435b74292c8b8a7aa81bc679be89711b02ac2");
    const QString password = QStringLiteral("Password1234_");
    QTest::newRow("verifier, its password")
        << verifierSalt << verifier << verifierHash << QByteArray() << password << true << QByteArray();
    QTest::newRow("verifier, one letter short") << verifierSalt << verifier << verifierHash << QByteArray()
                                                << QStringLiteral("Password1234") << false << QByteArray();
    QTest::newRow("verifier, other case") << verifierSalt << verifier << verifierHash << QByteArray()
                                          << QStringLiteral("password1234_") << false << QByteArray();
    QTest::newRow("file key, its password")
        << keySalt << QByteArray() << QByteArray() << sealedKey << password << false << fileKey;
}

void TestAccessEncryption::unsealsAsOfficeSeals()
{
    QFETCH(QByteArray, salt);
    QFETCH(QByteArray, verifier);
    QFETCH(QByteArray, verifierHash);
    QFETCH(QByteArray, sealedKey);
    QFETCH(QString, password);
    QFETCH(bool, verifies);
    QFETCH(QByteArray, fileKey);
    const AccessAgilePasswordKey key({salt, "SHA512", 256, 100000}, password);
    QCOMPARE(key.verifies(verifier, verifierHash), verifies);
    QCOMPARE(key.unseal(AccessAgilePasswordKey::Sealed::FileKey, sealedKey), fileKey);
}

void TestAccessEncryption::refusesWithTheReason_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("reason");
    const QString wrong = QStringLiteral("senha do arquivo não confere");
    const QString unknown = QStringLiteral("não conhece");
    const QString damaged = QStringLiteral("danificad");
    const auto changed = [](QByteArray bytes, int offset, const QByteArray& with) {
        return bytes.replace(offset, int(with.size()), with);
    };
    const QString rc4Password = QStringLiteral("password");
    QTest::newRow("rc4: wrong password") << m_encrypted << QStringLiteral("Password") << wrong;
    QTest::newRow("rc4: the catalogue's password")
        << m_encrypted << AccessDatabase::kCataloguePassword << wrong;
    QTest::newRow("rc4: empty password") << m_encrypted << QString() << wrong;
    // Version 4.3: extensible encryption, through providers of its own.
    QTest::newRow("rc4: unknown version")
        << changed(m_encrypted, kInfoOffset + 4, "\x03") << rc4Password << unknown;
    QTest::newRow("rc4: AES flag") << changed(m_encrypted, kInfoOffset + 6, "\x24") << rc4Password << unknown;
    QTest::newRow("rc4: other cipher")
        << changed(m_encrypted, kInfoOffset + 2 + 20, "\x10\x66") << rc4Password << unknown;
    QTest::newRow("rc4: description past the page")
        << changed(m_encrypted, kInfoOffset, "\xff\xff") << rc4Password << damaged;
    QTest::newRow("rc4: header size past the description")
        << changed(m_encrypted, kInfoOffset + 10, "\xff\x00") << rc4Password << damaged;
    QTest::newRow("rc4: salt size") << changed(m_encrypted, 0x325, "\x20") << rc4Password << damaged;
    QTest::newRow("rc4: damaged verifier")
        << changed(m_encrypted, 0x340, QByteArray::fromHex("0000")) << rc4Password << wrong;
    QTest::newRow("rc4: cut after the header")
        << m_encrypted.left(kPage + 100) << rc4Password << QStringLiteral("número inteiro de páginas");

    const QString agilePassword = QStringLiteral("segredo");
    const int xml = kInfoOffset + 2 + 8;
    // The description edited, its length with it; the header page keeps its size.
    const auto replaced = [&](const char* from, const char* to) {
        QByteArray bytes = m_agile;
        const int at = int(bytes.indexOf(from, xml));
        if (at < 0 || at > kPage)
            return QByteArray();
        const int grown = int(qstrlen(to)) - int(qstrlen(from));
        bytes.replace(at, int(qstrlen(from)), to);
        if (grown > 0)
            bytes.remove(kPage, grown);
        else
            bytes.insert(kPage, QByteArray(-grown, '\0'));
        qToLittleEndian(quint16(qFromLittleEndian<quint16>(bytes.constData() + kInfoOffset) + grown),
                        bytes.data() + kInfoOffset);
        return bytes;
    };
    QTest::newRow("agile: wrong password") << m_agile << QStringLiteral("Segredo") << wrong;
    QTest::newRow("agile: the catalogue's password")
        << m_agile << AccessDatabase::kCataloguePassword << wrong;
    QTest::newRow("agile: other cipher") << replaced("\"AES\"", "\"DES\"") << agilePassword << unknown;
    QTest::newRow("agile: other hash") << replaced("\"SHA512\"", "\"SHA999\"") << agilePassword << unknown;
    QTest::newRow("agile: other chaining")
        << replaced("ChainingModeCBC", "ChainingModeCFB") << agilePassword << unknown;
    QTest::newRow("agile: no password encryptor")
        << replaced("uri=\"http://schemas.microsoft.com/office/2006/keyEncryptor/password\"",
                    "uri=\"http://schemas.microsoft.com/office/2006/keyEncryptor/certificate\"")
        << agilePassword << damaged;
    QTest::newRow("agile: spin count beyond reason")
        << replaced("spinCount=\"100000\"", "spinCount=\"9999999999\"") << agilePassword << damaged;
    QTest::newRow("agile: broken XML") << replaced("<encryption", "<encryption<") << agilePassword << damaged;
    QTest::newRow("agile: reserved word")
        << changed(m_agile, kInfoOffset + 6, "\x41") << agilePassword << damaged;
    QTest::newRow("agile: damaged verifier")
        << replaced("encryptedVerifierHashInput=\"", "encryptedVerifierHashInput=\"AAAA") << agilePassword
        << damaged;
}

void TestAccessEncryption::refusesWithTheReason()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, password);
    QFETCH(QString, reason);
    QVERIFY(!content.isEmpty());
    const QString path = m_dir.filePath(QStringLiteral("refused.accdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size());
    file.close();
    AccessDatabase database(path, password);
    QVERIFY(!database.isOpen());
    QVERIFY(database.tableNames().isEmpty());
    QVERIFY2(!database.errorString().isEmpty(), "refused without a reason");
    QVERIFY2(database.errorString().contains(reason), qPrintable(database.errorString()));
}

// Encryption here keeps no check of its own over the pages: a damaged page decrypts to other
// bytes, which the reader's checks must refuse rather than read as rows.
void TestAccessEncryption::neverReadsDamagedEncryptedPagesAsOtherRows()
{
    QByteArray plain = m_encrypted;
    QString error;
    QVERIFY2(AccessOfficeEncryption::decrypt(plain, QStringLiteral("password"), &error), qPrintable(error));
    QVector<int> pages;
    for (int page = 1; page < plain.size() / kPage; ++page) {
        const char* p = plain.constData() + page * kPage;
        if (p[0] == 0x01 || p[0] == 0x02)
            pages.append(page);
    }
    QVERIFY(!pages.isEmpty());
    const QString path = m_dir.filePath(QStringLiteral("damaged.accdb"));
    const QStringList sound = {QStringLiteral("1|One"), QStringLiteral("2|Two"), QStringLiteral("3|Three")};
    for (const int page : pages) {
        QByteArray damaged = m_encrypted;
        damaged[page * kPage] = char(damaged[page * kPage] ^ 0x5a);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(damaged) == damaged.size());
        file.close();
        AccessDatabase database(path, QStringLiteral("password"));
        const QStringList rows =
            database.isOpen() ? rowsOf(database, QStringLiteral("Table1")) : QStringList();
        QVERIFY2(rows.isEmpty() || rows == sound,
                 qPrintable(QStringLiteral("page %1: %2").arg(page).arg(rows.join(QLatin1Char(' ')))));
    }
}

QTEST_GUILESS_MAIN(TestAccessEncryption)
#include "tst_accessencryption.moc"
