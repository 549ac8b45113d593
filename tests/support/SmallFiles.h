#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Whole small files, read and written in one go.

// The file's bytes; `ifUnreadable` when it cannot be read, so that a test can tell a missing
// file from an empty one.
QByteArray readFile(const QString& path, const QByteArray& ifUnreadable = QByteArray());
// Writes the bytes, truncating the file unless `extra` opens it otherwise (ReadWrite: in place).
bool writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode extra = QIODevice::Truncate);
