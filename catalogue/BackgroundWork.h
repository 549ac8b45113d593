#pragma once

#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <thread>

// Runs `work` on a thread of its own and gives its result to wait for. The thread is not
// joined: dropping the result never waits, and work whose result nobody wants any more just
// ends and is forgotten. The work must use only what it holds itself.
template <typename Result>
std::shared_future<Result> startInBackground(std::function<Result()> work)
{
    auto promise = std::make_shared<std::promise<Result>>();
    std::shared_future<Result> result = promise->get_future().share();
    std::thread([promise, work = std::move(work)] {
        try {
            promise->set_value(work());
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    }).detach();
    return result;
}
