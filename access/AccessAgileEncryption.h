#pragma once

#include "AccessPageDecryption.h"

#include <memory>

// Office agile encryption (EncryptionInfo 4.4) as Access applies it to pages. The XML
// description names, for the password, a salt, a hash and its spin count, and the encrypted
// verifier and file key; for the file, a salt and the cipher. The password's key is the hash
// of salt and password, hashed again with the iteration's number before it as many times as
// the spin count says, then with a block key per use; each page is decrypted with AES-CBC
// under the file key, its IV the hash of the file's salt and the page's block key.
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
