#pragma once

#include "SizeRunner.h"

// One catalogue size measured whole several times over, each round in new processes, so that
// a row shows how far one round can stray from another.
namespace SizeRounds {

// Each figure the median of the rounds', the program's fastest and slowest beside it; a row is
// the same result only when it was in every round, and the size ok only when every round was.
SizeResult combine(const QList<SizeResult>& rounds);

} // namespace SizeRounds
