#include "AccessOfficeEncryption.h"

#include "AccessAgileEncryption.h"
#include "AccessCrypto.h"
#include "AccessRc4CryptoApi.h"

#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <future>
#include <vector>

namespace AccessOfficeEncryption {

namespace {

constexpr int kPageSize = 4096;
constexpr int kVersionOffset = 0x14;
constexpr int kFirstAceVersion = 2;
// Jet 4 and ACE mask the header from 0x18 with RC4 under a fixed key.
constexpr int kMaskStart = 0x18;
constexpr quint32 kMaskKey = 0x6b39dac7;
constexpr int kEncodingKeyOffset = 0x3e;
constexpr int kEncodingKeySize = 4;
constexpr int kInfoOffset = 0x299;
// The flags of Office's EncryptionInfo that tell CryptoAPI and AES apart.
constexpr quint32 kCryptoApiFlag = 0x04;
constexpr quint32 kAesFlag = 0x20;
// At most this many runs, however many cores there are (two were measured: 307 ms to 155 ms on
// the large catalogue, with the key spun once).
constexpr qsizetype kMostRuns = 4;
constexpr quint8 kDefinitionPage = 0x02;

QByteArray maskAt(int offset, int size)
{
    QByteArray key(4, '\0');
    qToLittleEndian(kMaskKey, key.data());
    QByteArray stream(offset - kMaskStart + size, '\0');
    if (!AccessCrypto::rc4(key, stream.data(), stream.size()))
        return {};
    return stream.right(size);
}

QByteArray unmasked(const QByteArray& bytes, int offset)
{
    QByteArray mask = maskAt(offset, int(bytes.size()));
    if (mask.size() != bytes.size())
        return {};
    for (int i = 0; i < mask.size(); ++i)
        mask[i] = char(mask[i] ^ bytes[i]);
    return mask;
}

QByteArray encodingKey(const QByteArray& headerPage)
{
    return unmasked(headerPage.mid(kEncodingKeyOffset, kEncodingKeySize), kEncodingKeyOffset);
}

// Every Jet 4 and ACE file keeps the definition of its system catalogue on page 2.
bool definesTheCatalogue(const QByteArray& file)
{
    return file.size() >= 3 * kPageSize && quint8(file[2 * kPageSize]) == kDefinitionPage &&
           quint8(file[2 * kPageSize + 1]) == 0x01;
}

// The pages after the header, shared out in runs, each a thread of its own but the last, which is
// the caller's: each brings its share into `file`, if need be, then decrypts it there.
bool decryptPages(const AccessPageDecryption& decryption, QByteArray& file,
                  const std::function<bool(qsizetype, qsizetype)>& fill)
{
    const qsizetype pages = file.size() / kPageSize;
    const qsizetype runs = std::clamp<qsizetype>(QThread::idealThreadCount(), 1, kMostRuns);
    const qsizetype each = (pages - 1 + runs - 1) / runs;
    char* bytes = file.data();
    std::vector<std::future<bool>> started;
    for (qsizetype first = 1; first < pages; first += each) {
        const qsizetype count = std::min(each, pages - first);
        const auto run = [&decryption, &fill, bytes, first, count] {
            if (fill && !fill(first * kPageSize, count * kPageSize))
                return false;
            for (qsizetype page = first; page < first + count; ++page) {
                if (!decryption.decrypt(quint32(page), bytes + page * kPageSize, kPageSize))
                    return false;
            }
            return true;
        };
        started.push_back(std::async(first + each < pages ? std::launch::async : std::launch::deferred, run));
    }
    // The last run is done while the others are.
    bool decrypted = true;
    for (auto run = started.rbegin(); run != started.rend(); ++run)
        decrypted = run->get() && decrypted;
    return decrypted;
}

} // namespace

bool isEncrypted(const QByteArray& headerPage)
{
    if (headerPage.size() < kPageSize || quint8(headerPage[kVersionOffset]) < kFirstAceVersion)
        return false;
    const QByteArray key = encodingKey(headerPage);
    return key.size() == kEncodingKeySize && key != QByteArray(kEncodingKeySize, '\0');
}

QByteArray maskedEncodingKey(const QByteArray& key)
{
    return unmasked(key, kEncodingKeyOffset);
}

std::unique_ptr<AccessPageDecryption> open(const QByteArray& headerPage, const QString& password,
                                           QString* error)
{
    const auto refuse = [error](const QString& why) {
        *error = why;
        return nullptr;
    };
    if (headerPage.size() < kPageSize)
        return refuse(QStringLiteral("o cabeçalho da criptografia está incompleto"));
    const int size = qFromLittleEndian<quint16>(headerPage.constData() + kInfoOffset);
    const QByteArray info = headerPage.mid(kInfoOffset + 2, size);
    if (size < 8 || kInfoOffset + 2 + size > kPageSize)
        return refuse(QStringLiteral("o cabeçalho da criptografia está danificado"));
    const int major = qFromLittleEndian<quint16>(info.constData());
    const int minor = qFromLittleEndian<quint16>(info.constData() + 2);
    const quint32 flags = qFromLittleEndian<quint32>(info.constData() + 4);
    const QByteArray key = encodingKey(headerPage);
    if (major == 4 && minor == 4)
        return AccessAgileEncryption::open(info.mid(4), key, password, error);
    if (major >= 2 && major <= 4 && minor == 2 && (flags & kCryptoApiFlag) && !(flags & kAesFlag))
        return AccessRc4CryptoApi::open(info.mid(4), key, password, error);
    return refuse(QStringLiteral("o arquivo usa uma criptografia do Access que o programa não conhece "
                                 "(versão %1.%2, opções 0x%3)")
                      .arg(major)
                      .arg(minor)
                      .arg(flags, 0, 16));
}

bool decrypt(QByteArray& file, const QString& password, QString* error,
             const std::function<bool(qsizetype, qsizetype)>& fill)
{
    if (file.size() < kPageSize || file.size() % kPageSize != 0) {
        *error = QStringLiteral("o arquivo não tem um número inteiro de páginas");
        return false;
    }
    const std::unique_ptr<AccessPageDecryption> decryption = open(file.left(kPageSize), password, error);
    if (!decryption)
        return false;
    if (!decryptPages(*decryption, file, fill)) {
        *error = QStringLiteral("as páginas do arquivo não puderam ser lidas e decifradas");
        return false;
    }
    // The password is checked, the key and the salts that decrypt the pages are not: with one of
    // them damaged every page decrypts to other bytes, the system catalogue's definition first.
    if (!definesTheCatalogue(file)) {
        *error =
            QStringLiteral("as páginas do arquivo não se decifram com a chave de seu cabeçalho: o cabeçalho "
                           "da criptografia está danificado");
        return false;
    }
    const QByteArray cleared = maskedEncodingKey(QByteArray(kEncodingKeySize, '\0'));
    file.replace(kEncodingKeyOffset, kEncodingKeySize, cleared);
    return cleared.size() == kEncodingKeySize;
}

} // namespace AccessOfficeEncryption
