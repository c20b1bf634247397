// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs a function once, the first time any thread asks, as std::call_once
// does: others wait for it to finish, and a function that throws leaves it
// to the next caller. glibc's call_once wakes the waiters with a system call
// every time a function has run, waiters or not, and an analysis runs a
// dozen of them (values reduced on first use, the working, a cubic's
// forms); this one waits and wakes through std::atomic, which calls the
// kernel only when a thread is waiting.

#include <atomic>
#include <utility>

namespace zembrel::engine {

class Once {
public:
    Once() = default;
    Once(const Once& other) = delete;
    Once& operator=(const Once& other) = delete;
    Once(Once&& other) = delete;
    Once& operator=(Once&& other) = delete;
    ~Once() = default;

    // Done without a call: for a value made complete, before it is shared.
    void markDone() { state_.store(kDone, std::memory_order_relaxed); }

    template <class Function>
    void call(Function&& function)
    {
        if (state_.load(std::memory_order_acquire) == kDone)
            return;
        for (;;) {
            int expected = kIdle;
            if (state_.compare_exchange_strong(expected, kRunning, std::memory_order_acquire)) {
                try {
                    std::forward<Function>(function)();
                } catch (...) {
                    finish(kIdle);
                    throw;
                }
                finish(kDone);
                return;
            }
            if (expected == kDone)
                return;
            state_.wait(kRunning, std::memory_order_acquire);
        }
    }

private:
    static constexpr int kIdle = 0;
    static constexpr int kRunning = 1;
    static constexpr int kDone = 2;

    void finish(int state)
    {
        state_.store(state, std::memory_order_release);
        state_.notify_all();
    }

    std::atomic<int> state_{kIdle};
};

} // namespace zembrel::engine
