#pragma once

#include <QtGlobal>

#include <atomic>
#include <thread>

struct xcb_connection_t;

// Looks on the real X server, all the time from a thread and connection of its own, whether
// any window of this program is shown (viewable), and keeps the longest time that none was,
// once one had been: from the first look that saw none to the next that saw one.
class WindowGapRecorder
{
public:
    WindowGapRecorder(); // returns once the first look is made
    ~WindowGapRecorder() { stop(); }

    void stop();
    bool anyShown() const { return m_anyShown; }
    qint64 longestGapMs() const { return m_longestGapMs; }

private:
    void watch();
    void watch(xcb_connection_t* connection);

    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_looked{false};
    std::atomic<bool> m_anyShown{false};
    std::atomic<qint64> m_longestGapMs{0};
    std::thread m_thread;
};
