#include "Median.h"

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& timed)
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer clock;
        clock.start();
        timed();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

double medianMs(int runs, const std::function<void()>& timed)
{
    return medianMs(runs, nullptr, timed);
}

namespace {

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

double timeMs(const std::function<void()>& operation)
{
    QElapsedTimer clock;
    clock.start();
    operation();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

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
    return {median(firstTimes), median(secondTimes)};
}
