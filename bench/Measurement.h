#pragma once

#include <QString>

#include <cmath>

// One timed operation at one catalogue size. Times are medians in milliseconds; a bare or
// allowance time that does not apply is NaN.
struct Measurement
{
    enum class Kind
    {
        Start,   // the program started to its first search window: 1.5 x the engine's shell reading the lists
        Opening, // OpenCatalogue and F2: 1.5 x (bare + one sort of the competitor references)
        Window,  // opening a search window: 100 ms
        Lookup,  // a lookup that shows no product: 20 ms and 1.5 x bare + refill of its combo boxes
        Panel,   // a lookup that shows a product, from its key to the panel painted: 16 ms
        Filter,  // a filter chosen alone, its result shown: 16 ms and 1.3 x bare
        Conversion, // the first opening of an Access file, which converts it: 1500 ms
        Keystroke,  // a keystroke's offers while typing: 16 ms, one frame at 60 Hz
        Check,      // the look at the catalogue file before a lookup: 0.1 ms
        Info,       // shown for reference, no target
    };

    QString operation;
    Kind kind = Kind::Info;
    double programMs = NAN;
    double bareMs = NAN;
    double allowanceMs = NAN; // refill time (lookups) or sort time (openings)
    bool correct = true;      // the program found what the engine found
    // The program's fastest and slowest figure over the rounds the median is taken of.
    double fastestMs = NAN;
    double slowestMs = NAN;
};
