#pragma once

#include <QtGlobal>

#include <atomic>
#include <thread>

// Watches on the real X server, from a connection and a thread of its own, whether any window
// of this program is shown (viewable), looking all the time while the program is
// busy, and keeps the longest time that none was shown once one had been.
class WindowGapRecorder
{
public:
    // Returns once the first look is made.
    WindowGapRecorder();
    ~WindowGapRecorder();

    // Stops looking; what was seen stays.
    void stop();
    bool anyShown() const { return m_anyShown; }
    // From the first look that saw none to the next that saw one.
    qint64 longestGapMs() const { return m_longestGapMs; }

private:
    void watch();

    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_looks{0};
    std::atomic<bool> m_anyShown{false};
    std::atomic<qint64> m_longestGapMs{0};
    std::thread m_thread;
};
