#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// Office agile encryption of an ACE file under its database password, as Access applies it and
// the import decrypts it (AccessOfficeEncryption): the header page stays plain but for the
// encryption's description at 0x299 and the encoding key at 0x3e; every other page is
// AES-encrypted on its own. The description and the page cipher are the import's own, so that
// what is written here is read by the same code that reads Access's files.
class Jet4AgileEncryption
{
public:
    // What one file is encrypted with besides its password.
    struct Secrets
    {
        QByteArray fileKey;      // 32 bytes: AES-256
        QByteArray fileSalt;     // 16 bytes
        QByteArray passwordSalt; // 16 bytes
        QByteArray verifier;     // 16 bytes
        QByteArray encodingKey;  // 4 bytes, not all zero
    };

    // As many spins as Access uses for the password's hash.
    static constexpr int kSpinCount = 100000;

    // Fresh secrets from OpenSSL's random generator; all empty when it fails.
    static Secrets randomSecrets();

    Jet4AgileEncryption(const QString& password, const Secrets& secrets, int spinCount = kSpinCount);

    // False when the secrets are malformed or the description does not fit the header page.
    bool isValid() const { return !m_info.isEmpty(); }
    // Encrypts page `number` of a plain ACE file in place: the header page takes the
    // description and the encoding key, any other page is encrypted whole.
    bool apply(std::uint32_t number, char* page) const;
    // A whole plain ACE file, a whole number of pages, encrypted in memory.
    bool encryptFile(QByteArray& file) const;

private:
    Secrets m_secrets;
    // The description's length, then Office's EncryptionInfo.
    QByteArray m_info;
    QByteArray m_maskedKey;
};
