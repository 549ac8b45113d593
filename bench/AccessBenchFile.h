#pragma once

#include <QString>

// The Access (Jet 4) copy of a sample catalogue, written by the Jet 4 writer beside the
// catalogue on first use and made again when the catalogue is newer than it.
namespace AccessBenchFile {

// The .mdb file for `catalogue`, made with `writer` when missing; empty on failure.
QString ensure(const QString& catalogue, const QString& writer);

} // namespace AccessBenchFile
