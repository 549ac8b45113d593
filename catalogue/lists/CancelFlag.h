#pragma once

#include <atomic>
#include <memory>

// Whether work begun for an opened catalogue is still wanted. The catalogue's WorkPool sets it
// once, when the catalogue is replaced or closed; a job made of parts holds a copy and reads it
// between them, so that it ends early instead of working for a catalogue no one will read.
using CancelFlag = std::shared_ptr<const std::atomic<bool>>;

inline bool isCancelled(const CancelFlag& flag)
{
    return flag && flag->load(std::memory_order_relaxed);
}
