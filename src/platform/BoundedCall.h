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
// everything it touches.
template <class T>
std::optional<T> CallBounded(std::function<T()> work, int timeoutMs)
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
    std::unique_lock lock(state->Mutex);
    state->Done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                         [&] { return state->Result.has_value(); });
    return std::move(state->Result);
}

}  // namespace verdal
