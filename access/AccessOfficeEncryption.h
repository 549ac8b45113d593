#pragma once

#include "AccessPageDecryption.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// The Office encryption Access 2007 and later apply to a whole ACE file with a database
// password: the header page stays plain and describes the encryption at 0x299 (its length,
// then Office's EncryptionInfo); every other page is encrypted on its own, keyed by the
// file's encoding key (0x3e) with the page's number mixed in. Known forms: agile encryption
// (4.4: an XML description, a hash spun over the password, AES-CBC per page) and CryptoAPI
// RC4 (x.2 without AES: SHA-1 of salt and password, RC4 per page).
namespace AccessOfficeEncryption {

// True for an ACE header page whose encoding key is set: its pages are encrypted.
bool isEncrypted(const QByteArray& headerPage);

// The decryption for `password`; null with the reason in `error` for a wrong password, a
// damaged description, or an encryption the program does not know.
std::unique_ptr<AccessPageDecryption> open(const QByteArray& headerPage, const QString& password,
                                           QString* error);

// Decrypts a whole file in memory, then clears its encoding key, so that it reads as an
// unencrypted file. The pages are decrypted in as many runs as there are cores; `fill`, when
// given, first brings each run's share of the file into `file` (`size` bytes from `offset`), so
// that the reading is shared out too: only the header page must be there before. False, with
// the reason, as open() refuses, for a file that is no whole number of pages, one that could not
// be read, or one whose key does not decrypt its pages (a damaged key, salt or encoding key).
bool decrypt(QByteArray& file, const QString& password, QString* error,
             const std::function<bool(qsizetype offset, qsizetype size)>& fill = {});

// The encoding key as stored, masked like the rest of the header (for the file's writers).
QByteArray maskedEncodingKey(const QByteArray& key);

} // namespace AccessOfficeEncryption
