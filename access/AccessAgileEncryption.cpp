#include "AccessAgileEncryption.h"

#include "AccessAgilePasswordKey.h"
#include "AccessCrypto.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace AccessAgileEncryption {

namespace {

constexpr quint32 kReserved = 0x40;
constexpr int kBlockSize = 16;
// Beyond this a damaged or hostile description would keep the import hashing for hours.
constexpr qint64 kMostSpins = 10'000'000;
const char* const kPasswordUri = "http://schemas.microsoft.com/office/2006/keyEncryptor/password";
const char* const kNamespace = "http://schemas.microsoft.com/office/2006/encryption";
const char* const kPasswordNamespace = "http://schemas.microsoft.com/office/2006/keyEncryptor/password";

// The attributes keyData and the password's encryptedKey share.
struct Cipher
{
    QByteArray salt;
    QByteArray hashName;
    int hashSize = 0;
    int keyBits = 0;
    bool sound = false;
};

Cipher cipherOf(const QXmlStreamAttributes& a)
{
    Cipher c;
    c.salt = QByteArray::fromBase64(a.value(QLatin1String("saltValue")).toLatin1());
    c.hashName = a.value(QLatin1String("hashAlgorithm")).toLatin1();
    c.hashSize = a.value(QLatin1String("hashSize")).toInt();
    c.keyBits = a.value(QLatin1String("keyBits")).toInt();
    c.sound = a.value(QLatin1String("cipherAlgorithm")) == QLatin1String("AES") &&
              a.value(QLatin1String("cipherChaining")) == QLatin1String("ChainingModeCBC") &&
              a.value(QLatin1String("blockSize")).toInt() == kBlockSize &&
              (c.keyBits == 128 || c.keyBits == 192 || c.keyBits == 256) && c.salt.size() >= kBlockSize &&
              c.salt.size() == a.value(QLatin1String("saltSize")).toInt() &&
              AccessCrypto::hash(c.hashName, {}).size() == c.hashSize;
    return c;
}

class Decryption : public AccessPageDecryption
{
public:
    Decryption(QByteArray key, Cipher file, QByteArray encodingKey)
        : m_key(std::move(key)), m_file(std::move(file)), m_encodingKey(std::move(encodingKey))
    {
    }
    bool decrypt(quint32 number, char* page, int size) const override
    {
        const QByteArray iv =
            AccessCrypto::hash(m_file.hashName, {m_file.salt, pageBlock(m_encodingKey, number)});
        return AccessCrypto::aesCbc(false, m_key, AccessCrypto::fitted(iv, kBlockSize, 0x36), page, size);
    }

private:
    QByteArray m_key;
    Cipher m_file;
    QByteArray m_encodingKey;
};

QByteArray base64(const QByteArray& bytes)
{
    return bytes.toBase64();
}

} // namespace

std::unique_ptr<AccessPageDecryption> open(const QByteArray& info, const QByteArray& encodingKey,
                                           const QString& password, QString* error)
{
    const auto refuse = [error](const QString& why) {
        *error = why;
        return nullptr;
    };
    const QString damaged = QStringLiteral("a descrição da criptografia do arquivo está danificada");
    if (info.size() < 4 || qFromLittleEndian<quint32>(info.constData()) != kReserved)
        return refuse(damaged);
    QXmlStreamReader xml(info.mid(4));
    Cipher file;
    Cipher key;
    QXmlStreamAttributes keyAttributes;
    bool inPasswordEncryptor = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("keyData")) {
            file = cipherOf(xml.attributes());
        } else if (xml.name() == QLatin1String("keyEncryptor")) {
            inPasswordEncryptor = xml.attributes().value(QLatin1String("uri")) == QLatin1String(kPasswordUri);
        } else if (xml.name() == QLatin1String("encryptedKey") && inPasswordEncryptor) {
            keyAttributes = xml.attributes();
            key = cipherOf(keyAttributes);
        }
    }
    if (xml.hasError() || keyAttributes.isEmpty())
        return refuse(damaged);
    if (!file.sound || !key.sound)
        return refuse(QStringLiteral("a criptografia do arquivo usa algoritmos que o programa não conhece"));
    bool numeric = false;
    const qint64 spins = keyAttributes.value(QLatin1String("spinCount")).toLongLong(&numeric);
    if (!numeric || spins < 0 || spins > kMostSpins)
        return refuse(damaged);
    const auto encrypted = [&](const char* name) {
        return QByteArray::fromBase64(keyAttributes.value(QLatin1String(name)).toLatin1());
    };
    const QByteArray sealedVerifier = encrypted("encryptedVerifierHashInput");
    const QByteArray sealedHash = encrypted("encryptedVerifierHashValue");
    const QByteArray sealedKey = encrypted("encryptedKeyValue");
    // Each is sealed in whole blocks and holds at least what it seals.
    const auto whole = [](const QByteArray& sealed, int least) {
        return sealed.size() >= least && sealed.size() % kBlockSize == 0;
    };
    if (!whole(sealedVerifier, key.salt.size()) || !whole(sealedHash, key.hashSize) ||
        !whole(sealedKey, file.keyBits / 8))
        return refuse(damaged);
    const AccessAgilePasswordKey passwordKey({key.salt, key.hashName, key.keyBits, spins}, password);
    if (!passwordKey.verifies(sealedVerifier, sealedHash))
        return refuse(QStringLiteral("a senha do arquivo não confere"));
    const QByteArray fileKey = passwordKey.unseal(AccessAgilePasswordKey::Sealed::FileKey, sealedKey);
    if (fileKey.size() < file.keyBits / 8)
        return refuse(damaged);
    return std::make_unique<Decryption>(fileKey.left(file.keyBits / 8), file, encodingKey);
}

QByteArray describe(const QByteArray& fileKey, const QString& password, const QByteArray& passwordSalt,
                    const QByteArray& fileSalt, const QByteArray& verifier, int spinCount)
{
    const QByteArray hashName("SHA512");
    const AccessAgilePasswordKey passwordKey({passwordSalt, hashName, 256, spinCount}, password);
    const auto attributes = [&](QXmlStreamWriter& xml, const QByteArray& salt, int keyBits) {
        xml.writeAttribute(QStringLiteral("saltSize"), QString::number(salt.size()));
        xml.writeAttribute(QStringLiteral("blockSize"), QString::number(kBlockSize));
        xml.writeAttribute(QStringLiteral("keyBits"), QString::number(keyBits));
        xml.writeAttribute(QStringLiteral("hashSize"), QStringLiteral("64"));
        xml.writeAttribute(QStringLiteral("cipherAlgorithm"), QStringLiteral("AES"));
        xml.writeAttribute(QStringLiteral("cipherChaining"), QStringLiteral("ChainingModeCBC"));
        xml.writeAttribute(QStringLiteral("hashAlgorithm"), QString::fromLatin1(hashName));
        xml.writeAttribute(QStringLiteral("saltValue"), QString::fromLatin1(base64(salt)));
    };
    QByteArray text;
    QXmlStreamWriter xml(&text);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QString::fromLatin1(kNamespace));
    xml.writeNamespace(QString::fromLatin1(kPasswordNamespace), QStringLiteral("p"));
    xml.writeStartElement(QString::fromLatin1(kNamespace), QStringLiteral("encryption"));
    xml.writeStartElement(QString::fromLatin1(kNamespace), QStringLiteral("keyData"));
    attributes(xml, fileSalt, fileKey.size() * 8);
    xml.writeEndElement();
    xml.writeStartElement(QString::fromLatin1(kNamespace), QStringLiteral("keyEncryptors"));
    xml.writeStartElement(QString::fromLatin1(kNamespace), QStringLiteral("keyEncryptor"));
    xml.writeAttribute(QStringLiteral("uri"), QString::fromLatin1(kPasswordUri));
    xml.writeStartElement(QString::fromLatin1(kPasswordNamespace), QStringLiteral("encryptedKey"));
    xml.writeAttribute(QStringLiteral("spinCount"), QString::number(spinCount));
    attributes(xml, passwordSalt, 256);
    using Sealed = AccessAgilePasswordKey::Sealed;
    const auto sealed = [&](Sealed what, const QByteArray& plain) {
        return QString::fromLatin1(base64(passwordKey.seal(what, plain)));
    };
    xml.writeAttribute(QStringLiteral("encryptedVerifierHashInput"), sealed(Sealed::VerifierInput, verifier));
    xml.writeAttribute(QStringLiteral("encryptedVerifierHashValue"),
                       sealed(Sealed::VerifierHash, AccessCrypto::hash(hashName, {verifier})));
    xml.writeAttribute(QStringLiteral("encryptedKeyValue"), sealed(Sealed::FileKey, fileKey));
    xml.writeEndDocument();
    QByteArray info(4, '\0');
    qToLittleEndian(kReserved, info.data());
    return info + text;
}

bool encryptPage(const QByteArray& fileKey, const QByteArray& fileSalt, const QByteArray& encodingKey,
                 quint32 number, char* page, int size)
{
    const QByteArray iv =
        AccessCrypto::hash("SHA512", {fileSalt, AccessPageDecryption::pageBlock(encodingKey, number)});
    return AccessCrypto::aesCbc(true, fileKey, AccessCrypto::fitted(iv, kBlockSize, 0x36), page, size);
}

} // namespace AccessAgileEncryption
