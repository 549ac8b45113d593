#pragma once

#include "Measurement.h"

// One sweep of the cache of converted copies, as each opening of an Access file makes it, over a
// cache folder of small stand-in copies: some recent, some whose Access file is gone and some
// nobody opened for longer than the sweep keeps them. The same result: exactly the last two
// sorts went, with their source records.
namespace SweepRun {

Measurement measure(int runs);

} // namespace SweepRun
