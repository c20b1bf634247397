// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QThreadPool>

#include <functional>
#include <optional>

class QObject;

namespace zembrel {

// Work done aside, on one worker thread, one task at a time, for a window
// that must not wait for it: a task asked for while another runs waits, and
// a newer one takes its place, so a burst of keystrokes costs at most two.
// What a task returns runs on the UI thread afterwards, in the receiver's
// context; the receiver tells a result it no longer wants by its own
// generations.
class AsideWorker {
public:
    // Runs aside and touches no widget; returns what to do with its result on the UI thread.
    using Task = std::function<std::function<void()>()>;

    explicit AsideWorker(QObject& receiver);
    AsideWorker(const AsideWorker&) = delete;
    AsideWorker& operator=(const AsideWorker&) = delete;
    // Drops the waiting task and waits for the running one.
    ~AsideWorker();

    // Runs the task when the worker is free, in place of any task waiting.
    void ask(Task task);
    void dropWaiting() { waiting_.reset(); }

    // A task runs, or its result has not yet been taken.
    bool running() const { return running_; }
    bool waiting() const { return waiting_.has_value(); }

private:
    void startWaiting();

    QObject& receiver_;
    QThreadPool pool_;
    bool running_ = false;
    std::optional<Task> waiting_;
};

} // namespace zembrel
