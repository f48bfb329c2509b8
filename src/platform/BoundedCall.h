#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace verdal {

// Runs `work` on a thread of its own and waits at most `timeoutMs` for its result, so that a
// look at a dead network mount or a slow network tool cannot hold the caller. After a timeout
// the thread finishes on its own and its result is dropped; `work` must therefore own
// everything it touches. A caller that must keep answering while it waits (a window) passes
// `whileWaiting`, which is called every few milliseconds until the result is there.
template <class T>
std::optional<T> CallBounded(std::function<T()> work, int timeoutMs,
                             const std::function<void()>& whileWaiting = {})
{
    struct State
    {
        std::mutex Mutex;
        std::condition_variable Done;
        std::optional<T> Result;
    };
    auto state = std::make_shared<State>();
    std::thread([state, work = std::move(work)] {
        T result = work();
        std::lock_guard lock(state->Mutex);
        state->Result = std::move(result);
        state->Done.notify_all();
    }).detach();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(state->Mutex);
    const auto arrived = [&] { return state->Result.has_value(); };
    if (!whileWaiting) {
        state->Done.wait_until(lock, deadline, arrived);
        return std::move(state->Result);
    }
    while (!state->Done.wait_for(lock, std::chrono::milliseconds(10), arrived) &&
           std::chrono::steady_clock::now() < deadline) {
        lock.unlock();
        whileWaiting();
        lock.lock();
    }
    return std::move(state->Result);
}

}  // namespace verdal
