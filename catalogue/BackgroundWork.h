#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <thread>

// Work started on a thread of its own, whose result is taken later. The thread is not joined:
// dropping the work never waits, and work whose result nobody wants any more just ends and is
// forgotten. Work the thread has not begun when its result is taken (a busy machine may not
// have run it yet) is done by the taker itself, so taking never waits on a thread still queued.
// The work must use only what it holds itself.
template <typename Result> class BackgroundWork
{
public:
    BackgroundWork() = default;
    explicit BackgroundWork(std::function<Result()> work) : m_state(std::make_shared<State>())
    {
        m_state->work = std::move(work);
        m_state->result = m_state->promise.get_future().share();
        std::thread([state = m_state] { state->run(); }).detach();
    }

    bool isValid() const { return m_state != nullptr; }

    const Result& take() const
    {
        m_state->run();
        return m_state->result.get();
    }

private:
    struct State
    {
        std::function<Result()> work;
        std::atomic<bool> begun{false};
        std::promise<Result> promise;
        std::shared_future<Result> result;

        // Only the first caller works; the other waits for the result.
        void run()
        {
            if (begun.exchange(true))
                return;
            try {
                promise.set_value(work());
            } catch (...) {
                promise.set_exception(std::current_exception());
            }
            work = nullptr;
        }
    };

    std::shared_ptr<State> m_state;
};
