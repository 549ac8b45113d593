#pragma once

#include <functional>
#include <vector>

// The time `operation` takes, in milliseconds.
double timeMs(const std::function<void()>& operation);

// Runs `prepare` (untimed) then `timed`, `runs` times, and gives the median time of
// `timed` in milliseconds.
double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& timed);
double medianMs(int runs, const std::function<void()>& timed);

// The median of times already taken (NaN when there are none).
double medianOf(std::vector<double> times);

// The medians of two operations timed in turn within each run, so that both meet the same
// load on the machine: { median of `first`, median of `second` }.
struct PairedMedians
{
    double first;
    double second;
};
PairedMedians pairedMediansMs(int runs, const std::function<void()>& prepare,
                              const std::function<void()>& first, const std::function<void()>& second);
