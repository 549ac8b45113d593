#pragma once

#include "AccessPageDecryption.h"

#include <memory>

// Office agile encryption (EncryptionInfo 4.4) as Access applies it to pages. The XML
// description names, for the password, a salt, a hash, its spin count and what is sealed under
// the password (AccessAgilePasswordKey); for the file, a salt, a hash and the cipher. Each page is
// decrypted with AES-CBC under the file key, its IV the file's hash of the file's salt followed
// by the page's block key, cut to the block size.
namespace AccessAgileEncryption {

// `info`: the EncryptionInfo after its version (a reserved word, then the XML).
std::unique_ptr<AccessPageDecryption> open(const QByteArray& info, const QByteArray& encodingKey,
                                           const QString& password, QString* error);

// The description of a file encrypted with `fileKey` under `password`, as open() reads it,
// with the salts and the verifier given (for the writers of test files).
QByteArray describe(const QByteArray& fileKey, const QString& password, const QByteArray& passwordSalt,
                    const QByteArray& fileSalt, const QByteArray& verifier, int spinCount);

// Encrypts page `number` in place, as describe()'s file key and salt would have it.
bool encryptPage(const QByteArray& fileKey, const QByteArray& fileSalt, const QByteArray& encodingKey,
                 quint32 number, char* page, int size);

} // namespace AccessAgileEncryption
