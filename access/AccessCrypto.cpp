#include "AccessCrypto.h"

#include <openssl/evp.h>
#include <openssl/provider.h>

#include <algorithm>
#include <map>
#include <memory>

namespace AccessCrypto {

namespace {

constexpr int kAesBlock = 16;

// A context of its own, with the legacy provider beside the default one, so that RC4 is
// there without touching the process's OpenSSL configuration.
OSSL_LIB_CTX* context()
{
    static OSSL_LIB_CTX* const ctx = [] {
        OSSL_LIB_CTX* made = OSSL_LIB_CTX_new();
        if (made) {
            OSSL_PROVIDER_load(made, "default");
            OSSL_PROVIDER_load(made, "legacy");
        }
        return made;
    }();
    return ctx;
}

struct CipherContextFree
{
    void operator()(EVP_CIPHER_CTX* c) const { EVP_CIPHER_CTX_free(c); }
};
struct CipherFree
{
    void operator()(EVP_CIPHER* c) const { EVP_CIPHER_free(c); }
};
struct DigestFree
{
    void operator()(EVP_MD* d) const { EVP_MD_free(d); }
};
struct DigestContextFree
{
    void operator()(EVP_MD_CTX* d) const { EVP_MD_CTX_free(d); }
};

// Fetching an algorithm looks it up among the providers, under their locks: a key spun a hundred
// thousand times, or a file decrypted page by page, fetches each once, a thread at a time.
template <typename Algorithm, typename Free, typename Fetch>
const Algorithm* fetchedOnce(const char* name, Fetch fetch)
{
    thread_local std::map<QByteArray, std::unique_ptr<Algorithm, Free>> fetched;
    std::unique_ptr<Algorithm, Free>& slot = fetched[QByteArray(name)];
    if (!slot)
        slot.reset(fetch(context(), name, nullptr));
    return slot.get();
}

const EVP_CIPHER* cipherNamed(const char* name)
{
    return fetchedOnce<EVP_CIPHER, CipherFree>(name, EVP_CIPHER_fetch);
}

const EVP_MD* digestNamed(const char* name)
{
    return fetchedOnce<EVP_MD, DigestFree>(name, EVP_MD_fetch);
}

bool run(const char* cipherName, bool encrypt, const QByteArray& key, const QByteArray& iv, char* data,
         qsizetype size)
{
    const EVP_CIPHER* cipher = cipherNamed(cipherName);
    std::unique_ptr<EVP_CIPHER_CTX, CipherContextFree> ctx(EVP_CIPHER_CTX_new());
    if (!cipher || !ctx ||
        !EVP_CipherInit_ex2(ctx.get(), cipher, nullptr, nullptr, encrypt ? 1 : 0, nullptr) ||
        !EVP_CIPHER_CTX_set_key_length(ctx.get(), int(key.size())) ||
        !EVP_CipherInit_ex2(ctx.get(), nullptr, reinterpret_cast<const unsigned char*>(key.constData()),
                            iv.isEmpty() ? nullptr : reinterpret_cast<const unsigned char*>(iv.constData()),
                            encrypt ? 1 : 0, nullptr) ||
        !EVP_CIPHER_CTX_set_padding(ctx.get(), 0))
        return false;
    auto* bytes = reinterpret_cast<unsigned char*>(data);
    // Whole blocks go through as they come: the output never outruns the input.
    for (qsizetype done = 0; done < size;) {
        const int chunk = int(std::min<qsizetype>(size - done, 1 << 20));
        int written = 0;
        if (!EVP_CipherUpdate(ctx.get(), bytes + done, &written, bytes + done, chunk) || written != chunk)
            return false;
        done += chunk;
    }
    unsigned char rest[2 * kAesBlock];
    int last = 0;
    return EVP_CipherFinal_ex(ctx.get(), rest, &last) && last == 0;
}

} // namespace

QByteArray hash(const QByteArray& algorithm, std::initializer_list<QByteArrayView> parts)
{
    const EVP_MD* digest = digestNamed(algorithm.constData());
    // Initialised anew for each hash; kept for the thread, as a spun key hashes many times over.
    thread_local const std::unique_ptr<EVP_MD_CTX, DigestContextFree> ctx(EVP_MD_CTX_new());
    if (!digest || !ctx || !EVP_DigestInit_ex2(ctx.get(), digest, nullptr))
        return {};
    for (const QByteArrayView part : parts) {
        if (!EVP_DigestUpdate(ctx.get(), part.data(), size_t(part.size())))
            return {};
    }
    QByteArray out(EVP_MD_get_size(digest), '\0');
    unsigned int size = 0;
    if (!EVP_DigestFinal_ex(ctx.get(), reinterpret_cast<unsigned char*>(out.data()), &size))
        return {};
    out.truncate(int(size));
    return out;
}

bool rc4(const QByteArray& key, char* data, qsizetype size)
{
    return !key.isEmpty() && run("RC4", true, key, {}, data, size);
}

bool aesCbc(bool encrypt, const QByteArray& key, const QByteArray& iv, char* data, qsizetype size)
{
    const char* name = key.size() == 16 ? "AES-128-CBC" : key.size() == 24 ? "AES-192-CBC" : "AES-256-CBC";
    if ((key.size() != 16 && key.size() != 24 && key.size() != 32) || iv.size() != kAesBlock ||
        size % kAesBlock != 0)
        return false;
    return run(name, encrypt, key, iv, data, size);
}

QByteArray fitted(QByteArray bytes, int size, char pad)
{
    if (bytes.size() > size)
        bytes.truncate(size);
    while (bytes.size() < size)
        bytes.append(pad);
    return bytes;
}

} // namespace AccessCrypto
