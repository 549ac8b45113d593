#pragma once

#include <optional>

// The showcase column's animation: which of its eight pictures (Imagee1, Imagee2,
// Imagee3, Image4, Image5, Image6, Image7, Image8, bits 0 to 7) are shown at a tick.
// One group builds up a picture at a time, then the other replaces it; a cycle is forty
// ticks.
namespace Showcase {

constexpr int CycleLength = 40;

// The pictures shown at this tick, or nothing when the tick changes nothing.
std::optional<unsigned> shownAt(int step);

} // namespace Showcase
