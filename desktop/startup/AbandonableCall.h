// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <utility>

namespace quartet {

// A blocking call run on a thread of its own, waited for until a deadline at
// most. Some libraries block without a limit where a peer takes the
// connection and then says nothing useful (libxcb's connect, libdbus's
// connect and authentication); past the deadline such a call is abandoned:
// its thread is left to end, or to hang, on its own, and whatever it returns
// later is dropped with it.
template <typename Result>
class AbandonableCall {
public:
    explicit AbandonableCall(std::function<Result()> call)
    {
        std::promise<Result> promise;
        m_result = promise.get_future();
        // Without a thread the promise is broken at once: no result.
        try {
            std::thread([call = std::move(call), promise = std::move(promise)]() mutable {
                try {
                    promise.set_value(call());
                } catch (...) {
                    promise.set_exception(std::current_exception());
                }
            }).detach();
        } catch (const std::exception&) {
        }
    }

    // The call's result if it returns by the deadline.
    std::optional<Result> resultBy(std::chrono::steady_clock::time_point deadline)
    {
        if (m_result.wait_until(deadline) != std::future_status::ready)
            return std::nullopt;
        try {
            return m_result.get();
        } catch (...) {
            return std::nullopt;
        }
    }

private:
    std::future<Result> m_result;
};

}  // namespace quartet
