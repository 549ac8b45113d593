#include "Median.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

double timeMs(const std::function<void()>& operation)
{
    QElapsedTimer clock;
    clock.start();
    operation();
    return double(clock.nsecsElapsed()) / 1e6;
}

double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& timed)
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        times.push_back(timeMs(timed));
    }
    return medianOf(std::move(times));
}

double medianMs(int runs, const std::function<void()>& timed)
{
    return medianMs(runs, nullptr, timed);
}

double medianOf(std::vector<double> times)
{
    if (times.empty())
        return NAN;
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

PairedMedians pairedMediansMs(int runs, const std::function<void()>& prepare,
                              const std::function<void()>& first, const std::function<void()>& second)
{
    std::vector<double> firstTimes;
    std::vector<double> secondTimes;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        firstTimes.push_back(timeMs(first));
        secondTimes.push_back(timeMs(second));
    }
    return {medianOf(std::move(firstTimes)), medianOf(std::move(secondTimes))};
}
