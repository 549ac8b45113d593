#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <initializer_list>

// The hashes and ciphers Office encryption is built from, as OpenSSL's libcrypto provides
// them. RC4 lives in OpenSSL's legacy provider, which is loaded for it.
namespace AccessCrypto {

// The digest of `parts` one after another with the hash named as OpenSSL and Office name
// it ("SHA1", "SHA512"); empty for a hash OpenSSL does not know.
QByteArray hash(const QByteArray& algorithm, std::initializer_list<QByteArrayView> parts);

// `data` run through RC4 with `key`, which both encrypts and decrypts; false when
// OpenSSL cannot provide RC4.
bool rc4(const QByteArray& key, char* data, qsizetype size);

// AES in CBC mode without padding, on whole 16-byte blocks, in place; the key's length picks
// AES-128, -192 or -256. False for another key length, a size that is no whole number of
// blocks, or an IV of other than 16 bytes.
bool aesCbc(bool encrypt, const QByteArray& key, const QByteArray& iv, char* data, qsizetype size);

// `bytes` cut or padded with `pad` to `size` bytes, as Office fits hashes to key and IV sizes.
QByteArray fitted(QByteArray bytes, int size, char pad);

} // namespace AccessCrypto
