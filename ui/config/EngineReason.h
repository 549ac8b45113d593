#pragma once

#include "catalogue/engine/EngineError.h"

#include <QString>

namespace EngineReason {

// The engine's error in the user's language, its own text after it in parentheses, so that
// support can still search for it.
QString text(const EngineError& error);

} // namespace EngineReason
