#include "AccessRc4CryptoApi.h"

#include "AccessCrypto.h"

namespace AccessRc4CryptoApi {

namespace {

constexpr quint32 kRc4 = 0x6801;
constexpr quint32 kSha1 = 0x8004;
constexpr int kVerifierSize = 16;
constexpr int kSha1Size = 20;

class Decryption : public AccessPageDecryption
{
public:
    Decryption(QByteArray baseHash, QByteArray encodingKey, int keyBytes)
        : m_baseHash(std::move(baseHash)), m_encodingKey(std::move(encodingKey)), m_keyBytes(keyBytes)
    {
    }

    // The verifier is decrypted with the key of block 0, without the encoding key.
    QByteArray key(const QByteArray& block) const
    {
        QByteArray key = AccessCrypto::hash("SHA1", {m_baseHash, block}).left(m_keyBytes);
        // A 40-bit key is used as 128 bits, padded with zeros.
        return m_keyBytes == 5 ? AccessCrypto::fitted(key, 16, '\0') : key;
    }

    bool decrypt(quint32 number, char* page, int size) const override
    {
        return AccessCrypto::rc4(key(pageBlock(m_encodingKey, number)), page, size);
    }

private:
    QByteArray m_baseHash;
    QByteArray m_encodingKey;
    int m_keyBytes;
};

quint32 at32(const QByteArray& bytes, int offset)
{
    return offset >= 0 && offset + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.constData() + offset)
                                                     : 0;
}

} // namespace

std::unique_ptr<AccessPageDecryption> open(const QByteArray& info, const QByteArray& encodingKey,
                                           const QString& password, QString* error)
{
    const auto refuse = [error](const QString& why) {
        *error = why;
        return nullptr;
    };
    // Flags, the header's size, the header (flags, extra size, cipher, hash, key size,
    // provider, two reserved, provider name), then the verifier.
    const int headerSize = int(at32(info, 4));
    const int header = 8;
    const int verifier = header + headerSize;
    const quint32 cipher = at32(info, header + 8);
    const quint32 hash = at32(info, header + 12);
    const int keyBits = at32(info, header + 16) == 0 ? 40 : int(at32(info, header + 16));
    const int saltSize = int(at32(info, verifier));
    if (headerSize < 32 || headerSize > info.size() || saltSize != 16 ||
        verifier + 4 + saltSize + kVerifierSize + 4 + kSha1Size > info.size())
        return refuse(QStringLiteral("o cabeçalho da criptografia RC4 está danificado"));
    if (cipher != kRc4 || hash != kSha1 || keyBits < 40 || keyBits > 128 || keyBits % 8 != 0)
        return refuse(QStringLiteral("a criptografia RC4 do arquivo usa algoritmos que o programa não "
                                     "conhece (0x%1, 0x%2, %3 bits)")
                          .arg(cipher, 0, 16)
                          .arg(hash, 0, 16)
                          .arg(keyBits));
    const QByteArray salt = info.mid(verifier + 4, saltSize);
    const int hashSize = int(at32(info, verifier + 4 + saltSize + kVerifierSize));
    if (hashSize != kSha1Size)
        return refuse(QStringLiteral("o cabeçalho da criptografia RC4 está danificado"));
    auto decryption = std::make_unique<Decryption>(
        AccessCrypto::hash("SHA1", {salt, AccessPageDecryption::passwordBytes(password)}), encodingKey,
        keyBits / 8);
    // The verifier and its hash are one RC4 stream.
    QByteArray check = info.mid(verifier + 4 + saltSize, kVerifierSize) +
                       info.mid(verifier + 4 + saltSize + kVerifierSize + 4, kSha1Size);
    if (!AccessCrypto::rc4(decryption->key(QByteArray(4, '\0')), check.data(), check.size()))
        return refuse(QStringLiteral("o OpenSSL não oferece RC4 (provedor legacy)"));
    if (AccessCrypto::hash("SHA1", {check.left(kVerifierSize)}) != check.mid(kVerifierSize))
        return refuse(QStringLiteral("a senha do arquivo não confere"));
    return decryption;
}

} // namespace AccessRc4CryptoApi
