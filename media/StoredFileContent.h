#pragma once

#include <QByteArray>
#include <QString>

// What a stored file's bytes are, whatever its extension field says: a desktop types a file
// with a blank or unknown extension by its content, and may then run it.
namespace StoredFileContent {

// True for a program: Windows and DOS executables, ELF, Mach-O (universal ones too, and Java
// classes that share their mark), scripts starting with "#!", Windows shortcuts, compiled
// help, Linux launchers and registry files.
bool isProgram(const QByteArray& content);

// The extension of the picture the bytes hold (JPEG, PNG, GIF, BMP, TIFF or WebP), or empty.
QString pictureExtension(const QByteArray& content);

} // namespace StoredFileContent
