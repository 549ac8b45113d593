#include "AccessAgilePasswordKey.h"

#include "AccessCrypto.h"
#include "AccessPageDecryption.h"

#include <QtEndian>

namespace {

constexpr int kBlockSize = 16;

QByteArray blockKey(AccessAgilePasswordKey::Sealed what)
{
    switch (what) {
    case AccessAgilePasswordKey::Sealed::VerifierInput:
        return QByteArray::fromHex("fea7d2763b4b9e79");
    case AccessAgilePasswordKey::Sealed::VerifierHash:
        return QByteArray::fromHex("d7aa0f6d3061344e");
    case AccessAgilePasswordKey::Sealed::FileKey:
        break;
    }
    return QByteArray::fromHex("146e0be7abacd0d6");
}

} // namespace

AccessAgilePasswordKey::AccessAgilePasswordKey(Encryptor encryptor, const QString& password)
    : m_encryptor(std::move(encryptor))
{
    const QByteArray& name = m_encryptor.hashName;
    m_spun = AccessCrypto::hash(name, {m_encryptor.salt, AccessPageDecryption::passwordBytes(password)});
    char round[4];
    for (qint64 i = 0; i < m_encryptor.spinCount && !m_spun.isEmpty(); ++i) {
        qToLittleEndian(quint32(i), round);
        m_spun = AccessCrypto::hash(name, {QByteArrayView(round, 4), m_spun});
    }
}

QByteArray AccessAgilePasswordKey::crypt(bool encrypt, Sealed what, QByteArray bytes) const
{
    const QByteArray key = AccessCrypto::fitted(
        AccessCrypto::hash(m_encryptor.hashName, {m_spun, blockKey(what)}), m_encryptor.keyBits / 8, 0x36);
    const QByteArray iv = AccessCrypto::fitted(m_encryptor.salt, kBlockSize, 0x36);
    if (m_spun.isEmpty() || !AccessCrypto::aesCbc(encrypt, key, iv, bytes.data(), bytes.size()))
        return {};
    return bytes;
}

QByteArray AccessAgilePasswordKey::unseal(Sealed what, const QByteArray& bytes) const
{
    return crypt(false, what, bytes);
}

QByteArray AccessAgilePasswordKey::seal(Sealed what, const QByteArray& bytes) const
{
    const int padded = int((bytes.size() + kBlockSize - 1) / kBlockSize * kBlockSize);
    return crypt(true, what, AccessCrypto::fitted(bytes, padded, '\0'));
}

bool AccessAgilePasswordKey::verifies(const QByteArray& sealedVerifier, const QByteArray& sealedHash) const
{
    // The verifier is as long as the salt; its hash is padded to whole blocks.
    const QByteArray verifier = unseal(Sealed::VerifierInput, sealedVerifier);
    const QByteArray expected = unseal(Sealed::VerifierHash, sealedHash);
    const QByteArray hash =
        AccessCrypto::hash(m_encryptor.hashName, {verifier.left(m_encryptor.salt.size())});
    return verifier.size() >= m_encryptor.salt.size() && !hash.isEmpty() && expected.size() >= hash.size() &&
           expected.left(hash.size()) == hash;
}
