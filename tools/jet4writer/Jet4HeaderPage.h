#pragma once

#include "Jet4FileFormat.h"

#include <QByteArray>
#include <cstdint>

// The database definition page (page 0) of a Jet 4 or ACE 12 file: signature, version, and the
// masked block holding the code page, the sort order and the page-encoding key. Empty when the
// mask cannot be applied.
namespace Jet4HeaderPage {

QByteArray build(std::uint32_t encodingKey, Jet4FileFormat format = Jet4FileFormat::Jet4);

} // namespace Jet4HeaderPage
