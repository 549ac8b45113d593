#pragma once

#include <QString>

// The Access copies of a sample catalogue, written by the Jet 4 writer beside the catalogue on
// first use and made again when the catalogue is newer than them: a Jet 4 file, and an ACE file
// encrypted with the password the program opens catalogues with.
namespace AccessBenchFile {

// The .mdb file for `catalogue`, made with `writer` when missing, its encrypted .accdb beside
// it; empty on failure of either.
QString ensure(const QString& catalogue, const QString& writer);

// The encrypted .accdb written beside the .mdb file `access`.
QString encryptedAcePath(const QString& access);

} // namespace AccessBenchFile
