#include "Showcase.h"

namespace Showcase {

std::optional<unsigned> shownAt(int step)
{
    if (step < 1 || step >= CycleLength || step % 5 == 0)
        return std::nullopt;
    const int stage = step / 5; // 0 to 7
    const unsigned group = stage < 4 ? 0 : 4;
    const int count = stage % 4 + 1;
    return ((1u << count) - 1) << group;
}

} // namespace Showcase
