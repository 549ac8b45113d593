#pragma once

#include "AccessPageDecryption.h"

#include <memory>

// CryptoAPI RC4 encryption (Office's EncryptionInfo x.2 without AES): SHA-1 of the salt and
// the password, then per page SHA-1 of that and the page's block key, cut to the key size,
// as the RC4 key of the whole page. The password is checked against the verifier first.
namespace AccessRc4CryptoApi {

// `info`: the EncryptionInfo after its version.
std::unique_ptr<AccessPageDecryption> open(const QByteArray& info, const QByteArray& encodingKey,
                                           const QString& password, QString* error);

} // namespace AccessRc4CryptoApi
