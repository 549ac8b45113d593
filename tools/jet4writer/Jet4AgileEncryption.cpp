#include "Jet4AgileEncryption.h"

#include "Jet4Format.h"
#include "access/AccessAgileEncryption.h"
#include "access/AccessOfficeEncryption.h"

#include <QtEndian>

#include <openssl/rand.h>

#include <cstring>

namespace {

constexpr int kInfoOffset = 0x299;
constexpr int kEncodingKeyOffset = 0x3e;
// EncryptionInfo 4.4: agile encryption.
const QByteArray kVersion = QByteArray::fromHex("04000400");

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, '\0');
    return RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), size) == 1 ? bytes : QByteArray();
}

} // namespace

Jet4AgileEncryption::Secrets Jet4AgileEncryption::randomSecrets()
{
    Secrets secrets{randomBytes(32), randomBytes(16), randomBytes(16), randomBytes(16), randomBytes(4)};
    // An encoding key of zeros marks a file that is not encrypted.
    while (secrets.encodingKey == QByteArray(4, '\0'))
        secrets.encodingKey = randomBytes(4);
    const bool drawn = !secrets.fileKey.isEmpty() && !secrets.fileSalt.isEmpty() &&
                       !secrets.passwordSalt.isEmpty() && !secrets.verifier.isEmpty() &&
                       !secrets.encodingKey.isEmpty();
    return drawn ? secrets : Secrets();
}

Jet4AgileEncryption::Jet4AgileEncryption(const QString& password, const Secrets& secrets, int spinCount)
    : m_secrets(secrets)
{
    if (secrets.fileKey.size() != 32 || secrets.fileSalt.size() != 16 || secrets.encodingKey.size() != 4 ||
        secrets.encodingKey == QByteArray(4, '\0'))
        return;
    const QByteArray info =
        kVersion + AccessAgileEncryption::describe(secrets.fileKey, password, secrets.passwordSalt,
                                                   secrets.fileSalt, secrets.verifier, spinCount);
    m_maskedKey = AccessOfficeEncryption::maskedEncodingKey(secrets.encodingKey);
    if (kInfoOffset + 2 + info.size() > Jet4Format::kPageSize || m_maskedKey.size() != 4)
        return;
    m_info = QByteArray(2, '\0') + info;
    qToLittleEndian(quint16(info.size()), m_info.data());
}

bool Jet4AgileEncryption::apply(std::uint32_t number, char* page) const
{
    if (!isValid())
        return false;
    if (number != 0)
        return AccessAgileEncryption::encryptPage(m_secrets.fileKey, m_secrets.fileSalt,
                                                  m_secrets.encodingKey, number, page, Jet4Format::kPageSize);
    std::memcpy(page + kInfoOffset, m_info.constData(), size_t(m_info.size()));
    std::memcpy(page + kEncodingKeyOffset, m_maskedKey.constData(), size_t(m_maskedKey.size()));
    return true;
}

bool Jet4AgileEncryption::encryptFile(QByteArray& file) const
{
    if (file.isEmpty() || file.size() % Jet4Format::kPageSize != 0)
        return false;
    for (qsizetype page = 0; page < file.size() / Jet4Format::kPageSize; ++page) {
        if (!apply(std::uint32_t(page), file.data() + page * Jet4Format::kPageSize))
            return false;
    }
    return true;
}
