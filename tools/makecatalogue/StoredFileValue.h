#pragma once

#include <QByteArray>

// A file as the catalogue stores it: the file-name extension without the point, padded with
// blanks to 30 bytes, followed by the file's bytes.
class StoredFileValue
{
public:
    static QByteArray make(const QByteArray& extension, const QByteArray& content);
};
