#pragma once

#include <QByteArray>
#include <cstdint>

// The database definition page (page 0) of a Jet 4 file: signature, version, and the masked
// block holding the code page, the sort order and the page-encoding key.
namespace Jet4HeaderPage {

QByteArray build(std::uint32_t encodingKey);

} // namespace Jet4HeaderPage
