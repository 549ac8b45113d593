#pragma once

#include <QByteArray>
#include <QString>

// The password's side of Office agile encryption. The password (UTF-16LE) is hashed after the
// encryptor's salt, then spun: each round hashes its number (32 bits, little-endian) before the
// hash so far. What is sealed under the password (the verifier, the verifier's hash, the file
// key) is AES-CBC encrypted with the salt as IV, under the spun hash hashed once more with a
// block key of its own and cut, or padded with 0x36, to the key's size. The spin, the costly
// part, is done once for all three.
class AccessAgilePasswordKey
{
public:
    // The password's key encryptor, as the encryption's description gives it.
    struct Encryptor
    {
        QByteArray salt;
        QByteArray hashName; // as Office and OpenSSL name it, "SHA512"
        int keyBits = 0;
        qint64 spinCount = 0;
    };
    enum class Sealed
    {
        VerifierInput,
        VerifierHash,
        FileKey
    };

    AccessAgilePasswordKey(Encryptor encryptor, const QString& password);

    // `bytes` decrypted as `what`: empty when they are no whole number of AES blocks.
    QByteArray unseal(Sealed what, const QByteArray& bytes) const;
    // `bytes` padded with zeros to whole blocks and encrypted as `what` (for the writers of test files).
    QByteArray seal(Sealed what, const QByteArray& bytes) const;
    // Whether the password is the one the verifier and its hash were sealed under.
    bool verifies(const QByteArray& sealedVerifier, const QByteArray& sealedHash) const;

private:
    QByteArray crypt(bool encrypt, Sealed what, QByteArray bytes) const;

    Encryptor m_encryptor;
    QByteArray m_spun;
};
