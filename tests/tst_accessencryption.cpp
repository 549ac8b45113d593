#include "access/AccessAgilePasswordKey.h"
#include "access/AccessDatabase.h"
#include "access/AccessNative.h"
#include "access/AccessOfficeEncryption.h"
#include "access/AccessTableReader.h"

#include "Jet4AgileEncryption.h"
#include "Jet4Writer.h"

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

// A plain ACE file encrypted as the writer encrypts its ACE files, with fixed secrets and a short
// spin (Office's hundred thousand spins are checked by the known answers).
QByteArray encryptAgile(QByteArray file, const QString& password, const QByteArray& encodingKey)
{
    const Jet4AgileEncryption::Secrets secrets{
        QByteArray::fromHex("00112233445566778899aabbccddeeff0f1e2d3c4b5a69788796a5b4c3d2e1f0"),
        QByteArray::fromHex("a1b2c3d4e5f60718293a4b5c6d7e8f90"),
        QByteArray::fromHex("0f0e0d0c0b0a09080706050403020100"), QByteArray("verificador 16 b"), encodingKey};
    const Jet4AgileEncryption encryption(password, secrets, 1000);
    return encryption.encryptFile(file) ? file : QByteArray();
}

// A plain ACE file of the writer's with one table of many data pages, every fiftieth row deleted.
QByteArray fileOfManyPages(const QString& path)
{
    using Kind = Jet4ColumnDefinition::Kind;
    Jet4Writer writer(path, Jet4FileFormat::Ace12);
    bool ok = writer.open() &&
              writer.beginTable(QStringLiteral("Linhas"),
                                {{QStringLiteral("Id"), Kind::Long}, {QStringLiteral("Texto"), Kind::Text}});
    for (int i = 0; ok && i < 2000; ++i) {
        const QVariantList row{i, QStringLiteral("linha número %1").arg(i)};
        ok = i % 50 == 7 ? writer.addDeletedRow(row) : writer.addRow(row);
    }
    return ok && writer.endTable() && writer.finish() ? readFile(path) : QByteArray();
}

// A plain ACE file encrypted under the header page of a CryptoAPI RC4 file, whose password it
// then takes: RC4 encrypts as it decrypts.
QByteArray encryptRc4(QByteArray file, const QByteArray& rc4File, const QString& password)
{
    QString error;
    const auto cipher = AccessOfficeEncryption::open(rc4File.left(kPage), password, &error);
    file.replace(0, kPage, rc4File.left(kPage));
    for (int page = 1; cipher && page < file.size() / kPage; ++page) {
        if (!cipher->decrypt(quint32(page), file.data() + page * kPage, kPage))
            return {};
    }
    return cipher ? file : QByteArray();
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

// Where a page is damaged: a byte of the encrypted page flipped, at a place given by the plain page.
enum class Damage
{
    PageType,    // the page's type (with AES, the whole first block)
    FreeSpace,   // the free space the page records
    RowCount,    // the count of its rows
    LastOffset,  // the offset of its last row (with AES, the whole block that holds it)
    DeletedFlag, // the flag that marks its first deleted row deleted
};

// The place in `page`, or -1 where it has none.
int placeOf(Damage damage, const char* page)
{
    const int count = qFromLittleEndian<quint16>(page + 12);
    int deleted = 0;
    while (deleted < count && !(qFromLittleEndian<quint16>(page + 14 + 2 * deleted) & 0x8000))
        ++deleted;
    const int places[] = {0, 2, 12, 14 + 2 * (count - 1), deleted < count ? 14 + 2 * deleted + 1 : -1};
    return places[int(damage)];
}

} // namespace

Q_DECLARE_METATYPE(Damage)

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
    void refusesDamagedPages_data();
    void refusesDamagedPages();

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
    const auto flipped = [](QByteArray bytes, int offset) {
        bytes[offset] = char(bytes[offset] ^ 0x01);
        return bytes;
    };
    // With a damaged key, salt or encoding key the password still checks, but the pages do not
    // decrypt; a damaged salt or verifier cannot be told from another password.
    const QString keyDamaged = QStringLiteral("não se decifram com a chave");
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
    QTest::newRow("rc4: damaged encoding key") << flipped(m_encrypted, 0x3e) << rc4Password << keyDamaged;
    QTest::newRow("rc4: damaged salt") << flipped(m_encrypted, 0x32a) << rc4Password << wrong;
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
    // One character of an attribute's base64 value changed: the same length, other bytes.
    const auto changedValue = [&](const char* attribute) {
        const int at = int(m_agile.indexOf(QByteArray(attribute) + "=\"", xml)) + int(qstrlen(attribute)) + 2;
        return changed(m_agile, at, m_agile.at(at) == 'A' ? "B" : "A");
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
        << replaced("spinCount=\"1000\"", "spinCount=\"9999999999\"") << agilePassword << damaged;
    QTest::newRow("agile: broken XML") << replaced("<encryption", "<encryption<") << agilePassword << damaged;
    QTest::newRow("agile: reserved word")
        << changed(m_agile, kInfoOffset + 6, "\x41") << agilePassword << damaged;
    QTest::newRow("agile: damaged file key")
        << changedValue("encryptedKeyValue") << agilePassword << keyDamaged;
    QTest::newRow("agile: damaged file salt") << changedValue("saltValue") << agilePassword << keyDamaged;
    QTest::newRow("agile: damaged encoding key") << flipped(m_agile, 0x3e) << agilePassword << keyDamaged;
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

// Encryption keeps no check of its own over the pages (RC4 turns a flipped byte into one flipped
// byte, AES-CBC into a garbled block): the reader's checks of each page's structure must refuse
// the table a damaged page belongs to. Every data page damaged in turn.
void TestAccessEncryption::refusesDamagedPages_data()
{
    QTest::addColumn<QByteArray>("encrypted");
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<bool>("aes");
    const QByteArray plain = fileOfManyPages(m_dir.filePath(QStringLiteral("pages.accdb")));
    const QByteArray rc4 = encryptRc4(plain, m_encrypted, QStringLiteral("password"));
    const QByteArray agile = encryptAgile(plain, QStringLiteral("segredo"), QByteArray::fromHex("0badcafe"));
    QTest::newRow("rc4: page type") << rc4 << Damage::PageType << false;
    QTest::newRow("rc4: free space") << rc4 << Damage::FreeSpace << false;
    QTest::newRow("rc4: row count") << rc4 << Damage::RowCount << false;
    QTest::newRow("rc4: last row's offset") << rc4 << Damage::LastOffset << false;
    QTest::newRow("rc4: a deleted row's flag") << rc4 << Damage::DeletedFlag << false;
    QTest::newRow("agile: first block") << agile << Damage::PageType << true;
    QTest::newRow("agile: last row's offset") << agile << Damage::LastOffset << true;
}

void TestAccessEncryption::refusesDamagedPages()
{
    QFETCH(QByteArray, encrypted);
    QFETCH(Damage, damage);
    QFETCH(bool, aes);
    const QString password = aes ? QStringLiteral("segredo") : QStringLiteral("password");
    QByteArray plain = encrypted;
    QString error;
    QVERIFY2(AccessOfficeEncryption::decrypt(plain, password, &error), qPrintable(error));
    const QString path = m_dir.filePath(QStringLiteral("damaged.accdb"));
    int damagedPages = 0;
    for (int page = 3; page < plain.size() / kPage; ++page) {
        const int place = placeOf(damage, plain.constData() + page * kPage);
        if (plain.at(page * kPage) != 0x01 || place < 0)
            continue;
        QByteArray damaged = encrypted;
        // AES-CBC garbles the whole block of the flipped byte.
        const int at = page * kPage + (aes ? place / 16 * 16 : place);
        damaged[at] = char(damaged[at] ^ (damage == Damage::DeletedFlag ? 0x80 : 0x04));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(damaged) == damaged.size());
        file.close();
        AccessDatabase database(path, password);
        QVERIFY2(!database.isOpen() || rowsOf(database, QStringLiteral("Linhas")).isEmpty(),
                 qPrintable(QStringLiteral("page %1").arg(page)));
        ++damagedPages;
    }
    QVERIFY(damagedPages > 10);
}

QTEST_GUILESS_MAIN(TestAccessEncryption)
#include "tst_accessencryption.moc"
