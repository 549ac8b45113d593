#pragma once

#include <QByteArray>
#include <QVector>
#include <cstdint>

class Jet4PageFile;

// The row that lists a table's data pages. A short range of pages is a bitmap kept in the
// row itself (type 0: start page, then one bit per page); a longer one is a list of
// usage-map pages (type 1), each a bitmap of a fixed stretch of the file.
namespace Jet4UsageMap {

// Writes the usage-map pages a long list needs. Empty when a page could not be written.
QByteArray build(const QVector<std::uint32_t>& pages, Jet4PageFile& file);

} // namespace Jet4UsageMap
