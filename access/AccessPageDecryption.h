#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

// One encryption of an ACE file's pages, its key already derived from the password: each page
// but the header is encrypted on its own, keyed by its number.
class AccessPageDecryption
{
public:
    virtual ~AccessPageDecryption() = default;
    // Decrypts page `number` in place; false when the cipher fails. Threads may decrypt different
    // pages at once.
    virtual bool decrypt(quint32 number, char* page, int size) const = 0;

    // Office hashes a password as UTF-16LE, at most 255 characters of it.
    static QByteArray passwordBytes(const QString& password)
    {
        const QString kept = password.left(255);
        QByteArray bytes(kept.size() * 2, '\0');
        qToLittleEndian<quint16>(kept.utf16(), kept.size(), bytes.data());
        return bytes;
    }
    // A page's block key: the file's encoding key with the page's number XORed in.
    static QByteArray pageBlock(const QByteArray& encodingKey, quint32 number)
    {
        QByteArray block = encodingKey;
        for (int i = 0; i < 4 && i < block.size(); ++i)
            block[i] = char(block[i] ^ char(number >> (8 * i)));
        return block;
    }
};
