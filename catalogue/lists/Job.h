#pragma once

#include <QFuture>
#include <QUnhandledException>

#include <exception>

// The result of work started on a WorkPool. Taking it waits for the work; work still queued is
// taken back from the pool and done by the taker itself, so that a job that waits for another
// never waits for a thread that is not free. An exception the work threw is thrown again by
// take(), as itself.
template <typename Result> class Job
{
public:
    Job() = default;
    explicit Job(QFuture<Result> future) : m_future(std::move(future)) {}

    bool isFinished() const { return m_future.isFinished(); }
    // The same work, to be waited for without its result.
    Job<void> done() const { return Job<void>(QFuture<void>(m_future)); }
    // Waits for the work, whatever it ended with: an exception is its taker's to see.
    void wait() const noexcept
    {
        try {
            take();
        } catch (...) {
        }
    }

    Result take() const
    {
        try {
            // A copy shares the work's state; QFuture only waits through a non-const one.
            QFuture<Result> future = m_future;
            if constexpr (std::is_void_v<Result>)
                future.waitForFinished();
            else
                return future.result();
        } catch (const QUnhandledException& unhandled) {
            if (unhandled.exception())
                std::rethrow_exception(unhandled.exception());
            throw;
        }
    }

private:
    QFuture<Result> m_future;
};
